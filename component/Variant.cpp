#include "component/Variant.h"

#include "component/Dispatch.h"
#include "component/SafeArray.h"

#include <cmath>
#include <limits>

namespace component {

Variant::Variant() = default;

Variant::Variant(const Variant& other)
{
    copyFrom(other);
}

Variant::Variant(Variant&& other) noexcept
    : m_type(std::exchange(other.m_type, uint16_t(VT_EMPTY))), m_value(other.m_value),
      m_string(std::move(other.m_string)), m_array(std::move(other.m_array))
{
    other.m_value.raw = 0;
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) {
        Variant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        clear();
        m_type = std::exchange(other.m_type, uint16_t(VT_EMPTY));
        m_value = other.m_value;
        other.m_value.raw = 0;
        m_string = std::move(other.m_string);
        m_array = std::move(other.m_array);
    }
    return *this;
}

Variant::~Variant()
{
    clear();
}

void Variant::clear()
{
    if (!isByRef() && (m_type == VT_DISPATCH || m_type == VT_UNKNOWN) && m_value.unk)
        m_value.unk->Release();
    m_type = VT_EMPTY;
    m_value.raw = 0;
    m_string.clear();
    m_array.reset();
}

void Variant::copyFrom(const Variant& other)
{
    m_type = other.m_type;
    m_value = other.m_value;
    m_string = other.m_string;
    if (other.m_array)
        m_array = std::make_unique<SafeArray>(*other.m_array);
    if (!isByRef() && (m_type == VT_DISPATCH || m_type == VT_UNKNOWN) && m_value.unk)
        m_value.unk->AddRef();
}

Variant Variant::fromI2(int16_t v)
{
    Variant r;
    r.m_type = VT_I2;
    r.m_value.i2 = v;
    return r;
}

Variant Variant::fromI4(int32_t v)
{
    Variant r;
    r.m_type = VT_I4;
    r.m_value.i4 = v;
    return r;
}

Variant Variant::fromUI4(uint32_t v)
{
    Variant r;
    r.m_type = VT_UI4;
    r.m_value.ui4 = v;
    return r;
}

Variant Variant::fromR8(double v)
{
    Variant r;
    r.m_type = VT_R8;
    r.m_value.r8 = v;
    return r;
}

Variant Variant::fromDate(double v)
{
    Variant r;
    r.m_type = VT_DATE;
    r.m_value.r8 = v;
    return r;
}

Variant Variant::fromBool(bool v)
{
    Variant r;
    r.m_type = VT_BOOL;
    r.m_value.i2 = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}

Variant Variant::fromString(const QString& v)
{
    Variant r;
    r.m_type = VT_BSTR;
    r.m_string = v;
    return r;
}

Variant Variant::fromError(HResult code)
{
    Variant r;
    r.m_type = VT_ERROR;
    r.m_value.i4 = code;
    return r;
}

Variant Variant::null()
{
    Variant r;
    r.m_type = VT_NULL;
    return r;
}

Variant Variant::fromDispatch(IDispatch* v)
{
    Variant r;
    r.m_type = VT_DISPATCH;
    r.m_value.unk = v;
    if (v)
        v->AddRef();
    return r;
}

Variant Variant::fromUnknown(IUnknown* v)
{
    Variant r;
    r.m_type = VT_UNKNOWN;
    r.m_value.unk = v;
    if (v)
        v->AddRef();
    return r;
}

Variant Variant::fromArray(SafeArray array)
{
    Variant r;
    r.m_type = static_cast<uint16_t>(VT_ARRAY | array.elementType());
    r.m_array = std::make_unique<SafeArray>(std::move(array));
    return r;
}

Variant Variant::byRef(Variant* target, bool asVariant)
{
    Variant r;
    r.m_type = static_cast<uint16_t>(VT_BYREF | (asVariant ? uint16_t(VT_VARIANT) : target->type()));
    r.m_value.ref = target;
    return r;
}

const Variant& Variant::deref() const
{
    const Variant* v = this;
    // A reference to a reference is legal but never deeper than a couple of steps in practice;
    // the bound protects against a cycle a careless caller could build.
    for (int depth = 0; depth < 8 && v->isByRef() && v->m_value.ref; ++depth)
        v = v->m_value.ref;
    return *v;
}

IDispatch* Variant::dispatch() const
{
    return m_type == VT_DISPATCH ? static_cast<IDispatch*>(m_value.unk) : nullptr;
}

namespace {

bool numberOf(const Variant& v, double& out)
{
    switch (v.type()) {
    case VT_I2:
        out = v.toI2();
        return true;
    case VT_I4:
        out = v.toI4();
        return true;
    case VT_UI4:
        out = v.toUI4();
        return true;
    case VT_R8:
    case VT_DATE:
        out = v.toR8();
        return true;
    case VT_BOOL:
        out = v.rawBool();
        return true;
    case VT_BSTR: {
        bool ok = false;
        out = v.toString().trimmed().toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
}

HResult integral(double d, double lo, double hi, int64_t& out)
{
    if (!std::isfinite(d))
        return DISP_E_OVERFLOW;
    // Automation rounds half to even when it turns a real number into an integer.
    const double r = std::nearbyint(d);
    if (r < lo || r > hi)
        return DISP_E_OVERFLOW;
    out = static_cast<int64_t>(r);
    return S_OK;
}

} // namespace

HResult Variant::changeType(VarType to, Variant& out) const
{
    const Variant& v = deref();
    if (v.type() == to) {
        out = v;
        return S_OK;
    }
    if (v.isArray())
        return DISP_E_TYPEMISMATCH;
    if (to == VT_VARIANT) {
        out = v;
        return S_OK;
    }
    if (to == VT_BSTR) {
        double d = 0;
        if (v.type() == VT_BOOL) {
            out = fromString(v.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
            return S_OK;
        }
        if (!numberOf(v, d))
            return DISP_E_TYPEMISMATCH;
        out = fromString(QString::number(d, 'g', 15));
        return S_OK;
    }
    if (to == VT_DISPATCH || to == VT_UNKNOWN) {
        if (v.type() != VT_DISPATCH && v.type() != VT_UNKNOWN)
            return DISP_E_TYPEMISMATCH;
        if (to == VT_UNKNOWN) {
            out = fromUnknown(v.unknown());
            return S_OK;
        }
        IDispatch* d = nullptr;
        if (v.unknown() && failed(v.unknown()->QueryInterface(IDispatch::iid, reinterpret_cast<void**>(&d))))
            return DISP_E_TYPEMISMATCH;
        out = fromDispatch(d);
        if (d)
            d->Release();
        return S_OK;
    }
    double d = 0;
    if (!numberOf(v, d))
        return DISP_E_TYPEMISMATCH;
    int64_t n = 0;
    HResult hr = S_OK;
    switch (to) {
    case VT_I2:
        hr = integral(d, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), n);
        if (succeeded(hr))
            out = fromI2(static_cast<int16_t>(n));
        return hr;
    case VT_I4:
        hr = integral(d, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), n);
        if (succeeded(hr))
            out = fromI4(static_cast<int32_t>(n));
        return hr;
    case VT_UI4:
        // Colours travel as unsigned values but hosts often pass them as signed integers; the
        // bit pattern of a negative 32-bit integer is kept, as automation does for colours.
        if (v.type() == VT_I4 || v.type() == VT_I2) {
            out = fromUI4(static_cast<uint32_t>(v.type() == VT_I4 ? v.toI4() : v.toI2()));
            return S_OK;
        }
        hr = integral(d, 0, std::numeric_limits<uint32_t>::max(), n);
        if (succeeded(hr))
            out = fromUI4(static_cast<uint32_t>(n));
        return hr;
    case VT_R8:
        out = fromR8(d);
        return S_OK;
    case VT_DATE:
        out = fromDate(d);
        return S_OK;
    case VT_BOOL:
        out = fromBool(d != 0);
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HResult Variant::assignReferenced(const Variant& value) const
{
    if (!isByRef() || !m_value.ref)
        return E_POINTER;
    Variant* target = m_value.ref;
    if ((m_type & VT_TYPEMASK) == VT_VARIANT) {
        *target = value.deref();
        return S_OK;
    }
    Variant converted;
    const HResult hr = value.changeType(static_cast<VarType>(m_type & VT_TYPEMASK), converted);
    if (failed(hr))
        return hr;
    *target = std::move(converted);
    return S_OK;
}

bool Variant::operator==(const Variant& other) const
{
    if (m_type != other.m_type)
        return false;
    if (isByRef())
        return m_value.ref == other.m_value.ref;
    if (isArray())
        return m_array && other.m_array ? *m_array == *other.m_array : m_array == other.m_array;
    switch (m_type) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
    case VT_BOOL:
        return m_value.i2 == other.m_value.i2;
    case VT_I4:
    case VT_UI4:
    case VT_ERROR:
        return m_value.i4 == other.m_value.i4;
    case VT_R8:
    case VT_DATE:
        return m_value.r8 == other.m_value.r8;
    case VT_BSTR:
        return m_string == other.m_string;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return m_value.unk == other.m_value.unk;
    default:
        return m_value.raw == other.m_value.raw;
    }
}

QString Variant::debugText() const
{
    if (isByRef())
        return QStringLiteral("&") + deref().debugText();
    if (isArray())
        return QStringLiteral("array[%1]").arg(m_array ? m_array->elementCount() : 0);
    switch (m_type) {
    case VT_EMPTY:
        return QStringLiteral("Empty");
    case VT_NULL:
        return QStringLiteral("Null");
    case VT_I2:
        return QString::number(m_value.i2);
    case VT_I4:
        return QString::number(m_value.i4);
    case VT_UI4:
        return QString::number(m_value.ui4);
    case VT_R8:
        return QString::number(m_value.r8, 'g', 15);
    case VT_DATE:
        return QStringLiteral("date ") + QString::number(m_value.r8, 'g', 15);
    case VT_BOOL:
        return toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VT_BSTR:
        return u'"' + m_string + u'"';
    case VT_ERROR:
        return QStringLiteral("error 0x%1").arg(static_cast<uint32_t>(m_value.i4), 8, 16, QChar(u'0'));
    default:
        return QStringLiteral("type %1").arg(m_type);
    }
}

} // namespace component
