#include "vorrin/persistence/PropertyPersistence.h"

#include "component/Font.h"
#include "component/Site.h"
#include "component/StdFont.h"
#include "vorrin/persistence/SavedProperties.h"

#include <QtEndian>

#include <cstring>

namespace vorrin {

using namespace component;

namespace {

HResult writeBytes(IStream* s, const void* data, uint32_t count)
{
    uint32_t written = 0;
    const HResult hr = s->Write(data, count, &written);
    if (failed(hr))
        return hr;
    return written == count ? S_OK : STG_E_WRITEFAULT;
}

HResult readBytes(IStream* s, void* data, uint32_t count)
{
    uint32_t read = 0;
    const HResult hr = s->Read(data, count, &read);
    if (failed(hr))
        return hr;
    // A stream that ends early is damaged: never apply half a value.
    return read == count ? S_OK : STG_E_READFAULT;
}

template <class T> HResult writeLE(IStream* s, T value)
{
    uchar buf[sizeof(T)];
    qToLittleEndian<T>(value, buf);
    return writeBytes(s, buf, sizeof(T));
}

template <class T> HResult readLE(IStream* s, T& value)
{
    uchar buf[sizeof(T)];
    const HResult hr = readBytes(s, buf, sizeof(T));
    if (succeeded(hr))
        value = qFromLittleEndian<T>(buf);
    return hr;
}

HResult writeFont(IStream* s, const Variant& value)
{
    HResult hr = writeLE<uint16_t>(s, VT_DISPATCH);
    if (failed(hr))
        return hr;
    Ref<IPersistStream> persist = queryInterface<IPersistStream>(value.deref().unknown());
    Guid clsid;
    if (persist)
        persist->GetClassID(clsid);
    const QByteArray id = clsid.toBytes();
    if (failed(hr = writeBytes(s, id.constData(), 16)))
        return hr;
    return persist ? persist->Save(s, false) : S_OK;
}

HResult writeValue(IStream* s, const SavedProperty& p, const Variant& got)
{
    if (p.type == VT_DISPATCH)
        return writeFont(s, got);
    Variant v;
    HResult hr = got.changeType(p.type, v);
    if (failed(hr))
        return hr;
    if (failed(hr = writeLE<uint16_t>(s, p.type)))
        return hr;
    switch (p.type) {
    case VT_UI4:
        return writeLE<uint32_t>(s, v.toUI4());
    case VT_I4:
        return writeLE<int32_t>(s, v.toI4());
    case VT_BOOL:
        return writeLE<int16_t>(s, v.rawBool());
    case VT_DATE: {
        double d = v.toDate();
        uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        return writeLE<uint64_t>(s, bits);
    }
    default:
        return DISP_E_BADVARTYPE;
    }
}

// Reads one saved variant of whatever type was stored; the caller converts it to the
// property's type. Only the types the control saves can be read: any other type means the
// stream is not one of ours, and its length is unknown.
HResult readValue(IStream* s, Variant& out)
{
    uint16_t type = 0;
    HResult hr = readLE<uint16_t>(s, type);
    if (failed(hr))
        return hr;
    switch (type) {
    case VT_UI4: {
        uint32_t v = 0;
        hr = readLE(s, v);
        out = Variant::fromUI4(v);
        return hr;
    }
    case VT_I4: {
        int32_t v = 0;
        hr = readLE(s, v);
        out = Variant::fromI4(v);
        return hr;
    }
    case VT_I2: {
        int16_t v = 0;
        hr = readLE(s, v);
        out = Variant::fromI2(v);
        return hr;
    }
    case VT_BOOL: {
        int16_t v = 0;
        hr = readLE(s, v);
        out = Variant::fromBool(v != 0);
        return hr;
    }
    case VT_DATE:
    case VT_R8: {
        uint64_t bits = 0;
        hr = readLE(s, bits);
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        out = type == VT_DATE ? Variant::fromDate(d) : Variant::fromR8(d);
        return hr;
    }
    case VT_DISPATCH: {
        char id[16];
        if (failed(hr = readBytes(s, id, 16)))
            return hr;
        const Guid clsid = Guid::fromBytes(id);
        if (clsid.isNull()) {
            out = Variant::fromDispatch(nullptr);
            return S_OK;
        }
        if (clsid != CLSID_StdFont)
            return REGDB_E_CLASSNOTREG;
        Ref<IFont> font = StdFont::create();
        Ref<IPersistStream> persist = font.query<IPersistStream>();
        if (failed(hr = persist->Load(s)))
            return hr;
        out = Variant::fromDispatch(font.query<IDispatch>().get());
        return S_OK;
    }
    default:
        return DISP_E_BADVARTYPE;
    }
}

HResult apply(IDispatch* control, const SavedProperty& p, const Variant& stored, ExcepInfo* excep)
{
    if (p.type == VT_DISPATCH) {
        // An absent font stays absent: nothing to give the setter.
        if (!stored.deref().unknown())
            return S_OK;
        return putProperty(control, p.dispid, stored, excep);
    }
    Variant v;
    const HResult hr = stored.changeType(p.type, v);
    if (failed(hr))
        return hr;
    return putProperty(control, p.dispid, v, excep);
}

QSize extentOf(const PropertyPersistence::Extent& extent)
{
    return extent.get ? extent.get() : QSize();
}

// A saved size out of range is damage like any refused value: the load stops, saying which.
HResult applyExtent(const PropertyPersistence::Extent& extent, uint32_t cx, uint32_t cy, ExcepInfo* excep)
{
    const bool xValid = isValidExtent(cx);
    if (!xValid || !isValidExtent(cy)) {
        const QString name = xValid ? SavedProperties::extentYName() : SavedProperties::extentXName();
        if (excep) {
            *excep = {};
            excep->scode = E_INVALIDARG;
            excep->description = QStringLiteral("Invalid Range for Property ") + name +
                                 QStringLiteral(".\r\nProperty: ") + name + QStringLiteral("\r\n");
        }
        return excep ? DISP_E_EXCEPTION : E_INVALIDARG;
    }
    return extent.set ? extent.set(QSize(static_cast<int>(cx), static_cast<int>(cy))) : S_OK;
}

} // namespace

HResult PropertyPersistence::saveToStream(IDispatch* control, const Extent& extent, IStream* stream,
                                          ExcepInfo* excep)
{
    if (!control || !stream)
        return E_POINTER;
    const QSize size = extentOf(extent);
    HResult hr = writeLE<uint32_t>(stream, SavedProperties::kStreamVersion);
    if (succeeded(hr))
        hr = writeLE<uint32_t>(stream, static_cast<uint32_t>(size.width()));
    if (succeeded(hr))
        hr = writeLE<uint32_t>(stream, static_cast<uint32_t>(size.height()));
    for (const SavedProperty& p : SavedProperties::list()) {
        if (failed(hr))
            return hr;
        Variant value;
        if (failed(hr = getProperty(control, p.dispid, value, excep)))
            return hr;
        hr = writeValue(stream, p, value);
    }
    return hr;
}

HResult PropertyPersistence::loadFromStream(IDispatch* control, const Extent& extent, IStream* stream,
                                            ExcepInfo* excep)
{
    if (!control || !stream)
        return E_POINTER;
    uint32_t version = 0;
    uint32_t cx = 0;
    uint32_t cy = 0;
    HResult hr = readLE(stream, version);
    if (failed(hr))
        return hr;
    // Older versions share the layout; a newer one may not, and is refused rather than misread.
    if (version > SavedProperties::kStreamVersion)
        return STG_E_INVALIDHEADER;
    if (failed(hr = readLE(stream, cx)) || failed(hr = readLE(stream, cy)))
        return hr;
    if (failed(hr = applyExtent(extent, cx, cy, excep)))
        return hr;
    for (const SavedProperty& p : SavedProperties::list()) {
        Variant stored;
        if (failed(hr = readValue(stream, stored)))
            return hr;
        if (failed(hr = apply(control, p, stored, excep)))
            return hr;
    }
    return S_OK;
}

HResult PropertyPersistence::saveToBag(IDispatch* control, const Extent& extent, IPropertyBag* bag,
                                       ExcepInfo* excep)
{
    if (!control || !bag)
        return E_POINTER;
    const QSize size = extentOf(extent);
    HResult hr =
        bag->Write(SavedProperties::extentXName(), Variant::fromUI4(static_cast<uint32_t>(size.width())));
    if (succeeded(hr))
        hr = bag->Write(SavedProperties::extentYName(),
                        Variant::fromUI4(static_cast<uint32_t>(size.height())));
    for (const SavedProperty& p : SavedProperties::list()) {
        if (failed(hr))
            return hr;
        Variant value;
        if (failed(hr = getProperty(control, p.dispid, value, excep)))
            return hr;
        if (p.type == VT_DISPATCH) {
            Ref<IFont> font = queryInterface<IFont>(value.deref().unknown());
            if (!font)
                continue;
            // The bag keeps a copy: later changes to the control's font must not alter what
            // was saved.
            Ref<IFont> copy;
            if (failed(hr = font->Clone(reinterpret_cast<IFont**>(copy.put()))))
                return hr;
            hr = bag->Write(p.name, Variant::fromDispatch(copy.query<IDispatch>().get()));
            continue;
        }
        Variant typed;
        if (failed(hr = value.changeType(p.type, typed)))
            return hr;
        hr = bag->Write(p.name, typed);
    }
    return hr;
}

HResult PropertyPersistence::loadFromBag(IDispatch* control, const Extent& extent, IPropertyBag* bag,
                                         ExcepInfo* excep)
{
    if (!control || !bag)
        return E_POINTER;
    // The size applies only when both extents are there; one that is there but not a number
    // fails the load like any other damaged value.
    Variant cx = Variant::fromUI4(0);
    Variant cy = Variant::fromUI4(0);
    HResult hr = bag->Read(SavedProperties::extentXName(), cx);
    const bool hasX = hr != E_INVALIDARG;
    if (hasX && failed(hr))
        return hr;
    hr = bag->Read(SavedProperties::extentYName(), cy);
    const bool hasY = hr != E_INVALIDARG;
    if (hasY && failed(hr))
        return hr;
    if (hasX && hasY && failed(hr = applyExtent(extent, cx.toUI4(), cy.toUI4(), excep)))
        return hr;
    for (const SavedProperty& p : SavedProperties::list()) {
        Variant stored;
        // The bag converts to the type asked for, carried by the value passed in.
        if (p.type != VT_DISPATCH)
            Variant::fromI4(0).changeType(p.type, stored);
        hr = bag->Read(p.name, stored);
        if (hr == E_INVALIDARG)
            continue; // not saved: the property keeps its value
        if (failed(hr))
            return hr;
        if (failed(hr = apply(control, p, stored, excep)))
            return hr;
    }
    return S_OK;
}

} // namespace vorrin
