#pragma once

#include "component/Dispatch.h"
#include "component/Persist.h"

#include <QSize>

#include <functional>

namespace vorrin {

// Saves and loads the calendar control's settings in its two formats: the byte stream (format
// version, the two extents, then each saved property as a variant) and the property bag (each
// property under its saved name). Values are read through the control's getters and applied
// through its setters, by DISPID, so validation applies on load too. Loading stops at the first
// property the control refuses and returns that failure with the control's exception
// information; the properties before it stay applied. Extents outside 0..kMaxExtentHimetric stop
// the load before anything is applied, with exception information naming the extent.
//
// The stream form of each property is a 2-byte variant type and its value: 4 bytes for colours
// (VT_UI4) and integers (VT_I4), 2 for Booleans (VT_BOOL, True = -1), 8 for dates (VT_DATE); the
// font is VT_DISPATCH, then the font object's class identifier and its own saved stream (a null
// identifier stands for "no font").
class PropertyPersistence
{
public:
    // The object's size in HIMETRIC, which is saved with its settings but is not a property.
    struct Extent
    {
        std::function<QSize()> get;
        std::function<component::HResult(const QSize&)> set;
    };

    static component::HResult saveToStream(component::IDispatch* control, const Extent& extent,
                                           component::IStream* stream, component::ExcepInfo* excep = nullptr);
    static component::HResult loadFromStream(component::IDispatch* control, const Extent& extent,
                                             component::IStream* stream,
                                             component::ExcepInfo* excep = nullptr);

    // A missing name leaves that property as it is; a font property whose object is absent is
    // not written.
    static component::HResult saveToBag(component::IDispatch* control, const Extent& extent,
                                        component::IPropertyBag* bag, component::ExcepInfo* excep = nullptr);
    static component::HResult loadFromBag(component::IDispatch* control, const Extent& extent,
                                          component::IPropertyBag* bag,
                                          component::ExcepInfo* excep = nullptr);
};

} // namespace vorrin
