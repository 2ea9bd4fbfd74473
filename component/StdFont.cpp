#include "component/StdFont.h"

#include "component/ModuleObjects.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>

namespace component {

namespace {

// Bits of the attribute byte in the saved stream.
constexpr uint8_t kItalic = 0x02;
constexpr uint8_t kUnderline = 0x04;
constexpr uint8_t kStrikethrough = 0x08;

HResult readExact(IStream* s, void* buffer, uint32_t count)
{
    uint32_t got = 0;
    const HResult hr = s->Read(buffer, count, &got);
    if (failed(hr))
        return hr;
    return got == count ? S_OK : STG_E_READFAULT;
}

HResult writeExact(IStream* s, const void* buffer, uint32_t count)
{
    uint32_t put = 0;
    const HResult hr = s->Write(buffer, count, &put);
    if (failed(hr))
        return hr;
    return put == count ? S_OK : STG_E_WRITEFAULT;
}

// The saved name is one length byte and up to 255 bytes. A name that Latin-1 can hold is saved
// in it, as stored files always had it; any other is saved as UTF-8, cut at a whole character.
QByteArray encodeName(const QString& name)
{
    bool latin1 = true;
    for (const QChar c : name)
        latin1 = latin1 && c.unicode() < 0x100;
    if (latin1)
        return name.toLatin1().left(255);
    QByteArray utf8 = name.toUtf8();
    if (utf8.size() > 255) {
        qsizetype end = 255;
        while (end > 0 && (static_cast<uchar>(utf8.at(end)) & 0xC0) == 0x80)
            --end; // back to the first byte of the character that does not fit
        utf8.truncate(end);
    }
    return utf8;
}

// Bytes that form valid UTF-8 with at least one multi-byte character were written as UTF-8: a
// Latin-1 font name practically never reads that way. Anything else is Latin-1.
QString decodeName(const QByteArray& bytes)
{
    const bool ascii = std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8.decode(bytes);
        if (!utf8.hasError())
            return decoded;
    }
    return QString::fromLatin1(bytes);
}

} // namespace

StdFont::StdFont(const Description& d) : m_d(d), m_notify(static_cast<IFont*>(this), IPropertyNotifySink::iid)
{
    ModuleObjects::created();
}

StdFont::~StdFont()
{
    ModuleObjects::destroyed();
}

Ref<IFont> StdFont::create(const Description& d)
{
    return Ref<IFont>::adopt(new StdFont(d));
}

Ref<IFont> StdFont::fromQFont(const QFont& font)
{
    Description d;
    d.name = font.family();
    d.size = font.pointSizeF() > 0 ? static_cast<int64_t>(font.pointSizeF() * 10000.0 + 0.5) : 80000;
    // Qt's weights follow the same 100..900 scale as the font object's.
    d.weight = static_cast<int16_t>(font.weight());
    d.italic = font.italic();
    d.underline = font.underline();
    d.strikethrough = font.strikeOut();
    return create(d);
}

HResult StdFont::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::iid || iid == IFont::iid)
        *out = static_cast<IFont*>(this);
    else if (iid == IDispatch::iid)
        *out = static_cast<IDispatch*>(this);
    else if (iid == IPersistStream::iid)
        *out = static_cast<IPersistStream*>(this);
    else if (iid == IConnectionPointContainer::iid)
        *out = static_cast<IConnectionPointContainer*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

uint32_t StdFont::AddRef()
{
    return ++m_refs;
}

uint32_t StdFont::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

void StdFont::changed(DispId id)
{
    m_dirty = true;
    m_notify.changed(id);
}

HResult StdFont::setName(const QString& name)
{
    if (name.isEmpty())
        return E_INVALIDARG;
    m_d.name = name;
    changed(DISPID_FONT_NAME);
    return S_OK;
}

HResult StdFont::setSize(int64_t size)
{
    if (size <= 0)
        return E_INVALIDARG;
    m_d.size = size;
    changed(DISPID_FONT_SIZE);
    return S_OK;
}

HResult StdFont::setBold(bool bold)
{
    m_d.weight = bold ? 700 : 400;
    changed(DISPID_FONT_BOLD);
    return S_OK;
}

HResult StdFont::setItalic(bool italic)
{
    m_d.italic = italic;
    changed(DISPID_FONT_ITALIC);
    return S_OK;
}

HResult StdFont::setUnderline(bool underline)
{
    m_d.underline = underline;
    changed(DISPID_FONT_UNDER);
    return S_OK;
}

HResult StdFont::setStrikethrough(bool strike)
{
    m_d.strikethrough = strike;
    changed(DISPID_FONT_STRIKE);
    return S_OK;
}

HResult StdFont::setWeight(int16_t weight)
{
    if (weight < 0 || weight > 1000)
        return E_INVALIDARG;
    m_d.weight = weight;
    changed(DISPID_FONT_WEIGHT);
    return S_OK;
}

HResult StdFont::setCharset(int16_t charset)
{
    m_d.charset = charset;
    changed(DISPID_FONT_CHARSET);
    return S_OK;
}

HResult StdFont::Clone(IFont** out)
{
    if (!out)
        return E_POINTER;
    *out = create(m_d).detach();
    return S_OK;
}

bool StdFont::isEqual(IFont* other) const
{
    return other && other->name() == m_d.name && other->size() == m_d.size && other->weight() == m_d.weight &&
           other->charset() == m_d.charset && other->italic() == m_d.italic &&
           other->underline() == m_d.underline && other->strikethrough() == m_d.strikethrough;
}

QFont StdFont::toQFont() const
{
    QFont f(m_d.name);
    f.setPointSizeF(static_cast<double>(m_d.size) / 10000.0);
    f.setWeight(static_cast<QFont::Weight>(qBound(1, static_cast<int>(m_d.weight), 1000)));
    f.setItalic(m_d.italic);
    f.setUnderline(m_d.underline);
    f.setStrikeOut(m_d.strikethrough);
    return f;
}

HResult StdFont::GetIDsOfNames(const QStringList& names, QList<DispId>& ids)
{
    static const QList<QPair<QString, DispId>> table = {
        {QStringLiteral("Name"), DISPID_FONT_NAME},
        {QStringLiteral("Size"), DISPID_FONT_SIZE},
        {QStringLiteral("Bold"), DISPID_FONT_BOLD},
        {QStringLiteral("Italic"), DISPID_FONT_ITALIC},
        {QStringLiteral("Underline"), DISPID_FONT_UNDER},
        {QStringLiteral("Strikethrough"), DISPID_FONT_STRIKE},
        {QStringLiteral("Weight"), DISPID_FONT_WEIGHT},
        {QStringLiteral("Charset"), DISPID_FONT_CHARSET},
    };
    ids.clear();
    HResult hr = S_OK;
    for (const QString& n : names) {
        DispId found = DISPID_UNKNOWN;
        for (const auto& entry : table)
            if (entry.first.compare(n, Qt::CaseInsensitive) == 0)
                found = entry.second;
        if (found == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
        ids.append(found);
    }
    return hr;
}

HResult StdFont::Invoke(DispId id, uint16_t flags, QList<Variant>& args, Variant* result, ExcepInfo*)
{
    if (flags & DISPATCH_PROPERTYGET) {
        if (!result)
            return E_POINTER;
        switch (id) {
        case DISPID_FONT_NAME:
            *result = Variant::fromString(m_d.name);
            return S_OK;
        case DISPID_FONT_SIZE:
            // Scripting hosts see the size in points.
            *result = Variant::fromR8(static_cast<double>(m_d.size) / 10000.0);
            return S_OK;
        case DISPID_FONT_BOLD:
            *result = Variant::fromBool(bold());
            return S_OK;
        case DISPID_FONT_ITALIC:
            *result = Variant::fromBool(m_d.italic);
            return S_OK;
        case DISPID_FONT_UNDER:
            *result = Variant::fromBool(m_d.underline);
            return S_OK;
        case DISPID_FONT_STRIKE:
            *result = Variant::fromBool(m_d.strikethrough);
            return S_OK;
        case DISPID_FONT_WEIGHT:
            *result = Variant::fromI2(m_d.weight);
            return S_OK;
        case DISPID_FONT_CHARSET:
            *result = Variant::fromI2(m_d.charset);
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }
    if (flags & DISPATCH_PROPERTYPUT) {
        if (args.size() != 1)
            return DISP_E_BADPARAMCOUNT;
        Variant v;
        HResult hr = S_OK;
        auto as = [&](VarType t) { return args[0].changeType(t, v); };
        switch (id) {
        case DISPID_FONT_NAME:
            if (failed(hr = as(VT_BSTR)))
                return hr;
            return setName(v.toString());
        case DISPID_FONT_SIZE:
            if (failed(hr = as(VT_R8)))
                return hr;
            return setSize(static_cast<int64_t>(v.toR8() * 10000.0 + 0.5));
        case DISPID_FONT_BOLD:
            if (failed(hr = as(VT_BOOL)))
                return hr;
            return setBold(v.toBool());
        case DISPID_FONT_ITALIC:
            if (failed(hr = as(VT_BOOL)))
                return hr;
            return setItalic(v.toBool());
        case DISPID_FONT_UNDER:
            if (failed(hr = as(VT_BOOL)))
                return hr;
            return setUnderline(v.toBool());
        case DISPID_FONT_STRIKE:
            if (failed(hr = as(VT_BOOL)))
                return hr;
            return setStrikethrough(v.toBool());
        case DISPID_FONT_WEIGHT:
            if (failed(hr = as(VT_I2)))
                return hr;
            return setWeight(v.toI2());
        case DISPID_FONT_CHARSET:
            if (failed(hr = as(VT_I2)))
                return hr;
            return setCharset(v.toI2());
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }
    return DISP_E_MEMBERNOTFOUND;
}

HResult StdFont::GetTypeInfo(const InterfaceDescription** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HResult StdFont::GetClassID(Guid& clsid)
{
    clsid = CLSID_StdFont;
    return S_OK;
}

HResult StdFont::IsDirty()
{
    return m_dirty ? S_OK : S_FALSE;
}

HResult StdFont::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    uint8_t version = 0;
    HResult hr = readExact(stream, &version, 1);
    if (failed(hr))
        return hr;
    if (version != 1)
        return STG_E_INVALIDHEADER;
    uchar fixed[2 + 1 + 2 + 4 + 1];
    if (failed(hr = readExact(stream, fixed, sizeof fixed)))
        return hr;
    Description d;
    d.charset = static_cast<int16_t>(qFromLittleEndian<uint16_t>(fixed));
    const uint8_t attributes = fixed[2];
    d.weight = static_cast<int16_t>(qFromLittleEndian<uint16_t>(fixed + 3));
    d.size = qFromLittleEndian<uint32_t>(fixed + 5);
    const uint8_t nameLength = fixed[9];
    QByteArray name(nameLength, '\0');
    if (nameLength && failed(hr = readExact(stream, name.data(), nameLength)))
        return hr;
    d.name = decodeName(name);
    d.italic = attributes & kItalic;
    d.underline = attributes & kUnderline;
    d.strikethrough = attributes & kStrikethrough;
    m_d = d;
    m_dirty = false;
    m_notify.changed(DISPID_UNKNOWN);
    return S_OK;
}

HResult StdFont::Save(IStream* stream, bool clearDirty)
{
    if (!stream)
        return E_POINTER;
    const QByteArray name = encodeName(m_d.name);
    QByteArray out;
    out.append(char(1));
    uchar buf[4];
    qToLittleEndian<uint16_t>(static_cast<uint16_t>(m_d.charset), buf);
    out.append(reinterpret_cast<const char*>(buf), 2);
    out.append(static_cast<char>((m_d.italic ? kItalic : 0) | (m_d.underline ? kUnderline : 0) |
                                 (m_d.strikethrough ? kStrikethrough : 0)));
    qToLittleEndian<uint16_t>(static_cast<uint16_t>(m_d.weight), buf);
    out.append(reinterpret_cast<const char*>(buf), 2);
    // The saved size field is 32 bits wide; absurd sizes are clamped rather than wrapped.
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(std::clamp<int64_t>(m_d.size, 0, UINT32_MAX)), buf);
    out.append(reinterpret_cast<const char*>(buf), 4);
    out.append(static_cast<char>(name.size()));
    out.append(name);
    const HResult hr = writeExact(stream, out.constData(), static_cast<uint32_t>(out.size()));
    if (succeeded(hr) && clearDirty)
        m_dirty = false;
    return hr;
}

HResult StdFont::FindConnectionPoint(const Guid& iid, IConnectionPoint** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IPropertyNotifySink::iid)
        return CONNECT_E_NOCONNECTION;
    *out = &m_notify;
    m_notify.AddRef();
    return S_OK;
}

HResult StdFont::EnumConnectionPoints(QList<Guid>& iids)
{
    iids = {IPropertyNotifySink::iid};
    return S_OK;
}

} // namespace component
