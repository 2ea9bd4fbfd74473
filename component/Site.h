#pragma once

#include "component/Dispatch.h"
#include "component/Unknown.h"

#include <QList>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <climits>

class QDialog;
class QWidget;

namespace component {

// Ambient properties a container answers through the IDispatch of its site.
constexpr DispId DISPID_AMBIENT_BACKCOLOR = -701;
constexpr DispId DISPID_AMBIENT_FONT = -703;
constexpr DispId DISPID_AMBIENT_USERMODE = -709;

// The container's side of an embedded object: where the object reports that its look or its
// data changed and that it wants to be saved. Ambient properties come from the site's IDispatch.
struct IClientSite : IUnknown
{
    static constexpr Guid iid = Guid::parse("{00000118-0000-0000-C000-000000000046}");

    virtual HResult SaveObject() = 0;
    virtual HResult OnViewChange() = 0;
    virtual HResult OnDataChange() = 0;
};

// The extra site of a control: focus changes.
struct IControlSite : IUnknown
{
    static constexpr Guid iid = Guid::parse("{B196B289-BAB4-101A-B69C-00AA00341D07}");

    virtual HResult OnFocus(bool gotFocus) = 0;
};

// The control's ear for its container's ambient properties: the container calls it when one
// changes (DISPID_UNKNOWN: several or unknown), and the control reads them again from its site.
struct IAmbientChangeSink : IUnknown
{
    static constexpr Guid iid = Guid::parse("{6A0F2D3B-91C4-4E57-B8A2-3D5E7F1C0B94}");

    virtual HResult OnAmbientPropertyChange(DispId id) = 0;
};

// An embeddable object: it is given its site and its extent (in HIMETRIC, 1/100 mm) and closed.
struct IControlObject : IUnknown
{
    static constexpr Guid iid = Guid::parse("{00000112-0000-0000-C000-000000000046}");

    virtual HResult SetClientSite(IClientSite* site) = 0;
    virtual HResult GetClientSite(IClientSite** site) = 0;
    virtual HResult SetExtent(const QSize& himetric) = 0;
    virtual HResult GetExtent(QSize& himetric) = 0;
    // Deactivates, drops the site and every event connection: the end of the object's use.
    virtual HResult Close() = 0;
};

// Showing an object inside a host widget: the object creates its window as a child of `parent`
// at `rect` (pixels) and removes it on deactivation. `window()` is null while inactive.
struct IInPlaceWidget : IUnknown
{
    static constexpr Guid iid = Guid::parse("{8E6A1C20-3B7D-4F6A-9C41-5D2B7E0A1F36}");

    virtual HResult InPlaceActivate(QWidget* parent, const QRect& rect) = 0;
    virtual HResult InPlaceDeactivate() = 0;
    virtual HResult SetObjectRect(const QRect& rect) = 0;
    virtual QWidget* window() = 0;
};

// A container that runs an embedded object's modal windows itself, through its own dialog seam,
// so an object never starts a modal loop its container does not know of. The dialog may
// already be shown; RunModal returns when it has been answered, with its result code.
struct IModalHost : IUnknown
{
    static constexpr Guid iid = Guid::parse("{C4E2B7A1-6F3D-4A8B-9E15-2D7C0B8F4A63}");

    virtual int RunModal(QDialog* dialog) = 0;
};

// The property pages a designer shows for an object, by page class.
struct ISpecifyPropertyPages : IUnknown
{
    static constexpr Guid iid = Guid::parse("{B196B28B-BAB4-101A-B69C-00AA00341D07}");

    virtual HResult GetPages(QList<Guid>& pages) = 0;
};

constexpr Guid CLSID_StockColorPage = Guid::parse("{7EBDAAE1-8120-11CF-899F-00AA00688B10}");
constexpr Guid CLSID_StockFontPage = Guid::parse("{7EBDAAE0-8120-11CF-899F-00AA00688B10}");

// Conversions between pixels and HIMETRIC at the screen's usual 96 dots per inch. They work in
// 64 bits and saturate, so no size a host passes can overflow them.
constexpr int himetricFromPixels(int pixels)
{
    const long long himetric = (static_cast<long long>(pixels) * 2540 + 48) / 96;
    return static_cast<int>(std::clamp<long long>(himetric, INT_MIN, INT_MAX));
}
constexpr int pixelsFromHimetric(int himetric)
{
    return static_cast<int>((static_cast<long long>(himetric) * 96 + 1270) / 2540);
}

// The largest extent an object takes, in pixels and in HIMETRIC: no window can be shown or
// painted beyond it, so a larger saved size is damage, not a wish.
constexpr int kMaxExtentPixels = 32767;
constexpr int kMaxExtentHimetric = himetricFromPixels(kMaxExtentPixels);
constexpr bool isValidExtent(long long himetric)
{
    return himetric >= 0 && himetric <= kMaxExtentHimetric;
}

} // namespace component
