#pragma once

#include "component/Connection.h"
#include "component/ConnectionPoint.h"
#include "component/Dispatch.h"
#include "component/Font.h"
#include "component/Persist.h"
#include "component/Site.h"

#include <atomic>
#include <memory>

namespace vorrin {

class VorrinCtl;
class FontChangeSink;

// The calendar control as a component object: the adaptor between a host speaking the component
// model and the control object (VorrinCtl). It dispatches IVorrinCtl by DISPID with variants,
// turning the control's errors into exception information (description = message, source =
// the ProgID); raises _CalEvents on advised sinks and property notifications on
// IPropertyNotifySink sinks (whose OnRequestEdit answers the control's permission requests);
// saves and loads the control's settings by stream and by property bag; takes its site, ambient
// properties (again whenever the site says they changed) and font; shows itself inside a host widget; and
// names its property pages.
//
// The font property is a font object (IFont) owned here and mirrored into the control as a
// QFont; changes reported by the font object reach the control. Close() (or the last Release)
// drops the site, every sink and the window. Counts as a live object of the library.
//
// Saved settings load the same way whether or not the control is shown (VorrinCtl::beginLoad).
// The object is dirty exactly when what it would save differs from what it last loaded or saved
// (or from what it was made or sited with): changes to properties that are never saved do not
// count, and neither does choosing the site's font.
class VorrinObject final : public component::IDispatch,
                           public component::IConnectionPointContainer,
                           public component::IPersistStreamInit,
                           public component::IPersistPropertyBag,
                           public component::IControlObject,
                           public component::IAmbientChangeSink,
                           public component::IInPlaceWidget,
                           public component::ISpecifyPropertyPages,
                           public component::IErrorInfoSource
{
public:
    static component::Ref<component::IUnknown> create();

    component::HResult QueryInterface(const component::Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // IDispatch (also IVorrinCtl)
    component::HResult GetIDsOfNames(const QStringList& names, QList<component::DispId>& ids) override;
    component::HResult Invoke(component::DispId id, uint16_t flags, QList<component::Variant>& args,
                              component::Variant* result, component::ExcepInfo* excep) override;
    component::HResult GetTypeInfo(const component::InterfaceDescription** info) override;

    // IConnectionPointContainer
    component::HResult FindConnectionPoint(const component::Guid& iid,
                                           component::IConnectionPoint** out) override;
    component::HResult EnumConnectionPoints(QList<component::Guid>& iids) override;

    // IPersistStreamInit and IPersistPropertyBag
    component::HResult GetClassID(component::Guid& clsid) override;
    component::HResult IsDirty() override;
    component::HResult Load(component::IStream* stream) override;
    component::HResult Save(component::IStream* stream, bool clearDirty) override;
    component::HResult InitNew() override;
    component::HResult Load(component::IPropertyBag* bag) override;
    component::HResult Save(component::IPropertyBag* bag, bool clearDirty, bool saveAll) override;

    // IControlObject
    component::HResult SetClientSite(component::IClientSite* site) override;
    component::HResult GetClientSite(component::IClientSite** site) override;
    component::HResult SetExtent(const QSize& himetric) override;
    component::HResult GetExtent(QSize& himetric) override;
    component::HResult Close() override;

    // IAmbientChangeSink: user mode and background colour are read again.
    component::HResult OnAmbientPropertyChange(component::DispId id) override;

    // IInPlaceWidget
    component::HResult InPlaceActivate(QWidget* parent, const QRect& rect) override;
    component::HResult InPlaceDeactivate() override;
    component::HResult SetObjectRect(const QRect& rect) override;
    QWidget* window() override;

    // ISpecifyPropertyPages
    component::HResult GetPages(QList<component::Guid>& pages) override;

    // IErrorInfoSource: the exception information of the last failed call or load.
    component::HResult GetLastErrorInfo(component::ExcepInfo& info) override;

    // The control object behind the adaptor (for the library's own pages and tests).
    VorrinCtl& control() { return *m_ctl; }

private:
    friend class FontChangeSink;

    VorrinObject();
    ~VorrinObject() override;

    component::IUnknown* identity() { return static_cast<component::IDispatch*>(this); }
    component::HResult putFont(const component::Variant& value, bool byReference);
    void adoptFont(component::Ref<component::IFont> font);
    void fontChanged();
    void chooseSiteFont();
    void readAmbients();
    template <class F> component::HResult loadSettings(F&& load);
    QByteArray savedSettings();
    void markClean() { m_cleanSettings = savedSettings(); }
    void onEvent(int dispid, QVariantList& args);
    template <class F> void fromControl(F&& deliver);
    component::HResult invokeMember(component::DispId id, uint16_t flags, QList<component::Variant>& args,
                                    component::Variant* result);
    component::HResult fail(const std::exception& error, component::ExcepInfo* excep);

    std::atomic<uint32_t> m_refs{1};
    std::unique_ptr<VorrinCtl> m_ctl;
    component::ConnectionPoint m_events;
    component::ConnectionPoint m_propertyNotify;
    component::Ref<component::IClientSite> m_site;
    component::Ref<component::IFont> m_font;
    FontChangeSink* m_fontSink;
    uint32_t m_fontCookie = 0;
    bool m_syncingFont = false;          // a font object change being mirrored: no permission needed
    int m_controlDepth = 0;              // notifications from the control under way
    bool m_deferControlDeletion = false; // the last reference went during one of them
    QSize m_himetric;
    QByteArray m_cleanSettings; // what the object saved or loaded last
    component::ExcepInfo m_lastError;
};

} // namespace vorrin
