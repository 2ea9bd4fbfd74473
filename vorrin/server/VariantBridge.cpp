#include "vorrin/server/VariantBridge.h"

#include "component/SafeArray.h"

#include <optional>

namespace vorrin {

using namespace component;

VarType VariantBridge::varTypeOf(ValueType type)
{
    switch (type) {
    case ValueType::Bool:
        return VT_BOOL;
    case ValueType::I2:
        return VT_I2;
    case ValueType::I4:
        return VT_I4;
    case ValueType::Date:
        return VT_DATE;
    case ValueType::Color:
        return VT_UI4;
    case ValueType::Font:
        return VT_DISPATCH;
    case ValueType::String:
        return VT_BSTR;
    case ValueType::Variant:
        return VT_VARIANT;
    case ValueType::Void:
        break;
    }
    return VT_EMPTY;
}

HResult VariantBridge::toQVariant(const Variant& in, ValueType type, QVariant& out)
{
    if (type == ValueType::Variant)
        return toQVariant(in, out);
    Variant v;
    const HResult hr = in.changeType(varTypeOf(type), v);
    if (failed(hr))
        return hr;
    switch (type) {
    case ValueType::Bool:
        out = v.toBool();
        return S_OK;
    case ValueType::I2:
        out = QVariant::fromValue<qint16>(v.toI2());
        return S_OK;
    case ValueType::I4:
        out = QVariant::fromValue<qint32>(v.toI4());
        return S_OK;
    case ValueType::Date:
        out = v.toDate();
        return S_OK;
    case ValueType::Color:
        out = QVariant::fromValue<quint32>(v.toUI4());
        return S_OK;
    case ValueType::String:
        out = v.toString();
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

Variant VariantBridge::fromQVariant(const QVariant& in, ValueType type)
{
    if (!in.isValid())
        return {};
    switch (type) {
    case ValueType::Bool:
        return Variant::fromBool(in.toBool());
    case ValueType::I2:
        return Variant::fromI2(static_cast<int16_t>(in.toInt()));
    case ValueType::I4:
        return Variant::fromI4(static_cast<int32_t>(in.toLongLong()));
    case ValueType::Date:
        return Variant::fromDate(in.toDouble());
    case ValueType::Color:
        return Variant::fromUI4(static_cast<uint32_t>(in.toLongLong() & 0xFFFFFFFFll));
    case ValueType::String:
        return Variant::fromString(in.toString());
    case ValueType::Variant:
    case ValueType::Font:
    case ValueType::Void:
        break;
    }
    return fromQVariant(in);
}

namespace {

// Nested arrays beyond this depth are not something a member takes; refusing them keeps the
// conversion's recursion bounded whatever a host builds.
constexpr int kMaxNesting = 8;

HResult anyToQVariant(const Variant& in, QVariant& out, int depth);

// An element of `a` at positions `first` and `second` (counted from 0) of its first two
// dimensions; the caller has checked that every index fits 32 bits.
HResult elementAt(const SafeArray& a, uint32_t first, std::optional<uint32_t> second, QVariant& out,
                  int depth)
{
    QList<int32_t> index{static_cast<int32_t>(static_cast<int64_t>(a.lowerBound(1)) + first)};
    if (second)
        index << static_cast<int32_t>(static_cast<int64_t>(a.lowerBound(2)) + *second);
    const Variant* element = a.at(index);
    if (!element)
        return DISP_E_BADINDEX;
    return anyToQVariant(*element, out, depth + 1);
}

HResult arrayToQVariant(const SafeArray& a, QVariant& out, int depth)
{
    if (depth >= kMaxNesting)
        return E_INVALIDARG;
    if (a.dimensions() != 1 && a.dimensions() != 2) {
        // Nothing the control takes; a scalar makes its shape check refuse it.
        out = QVariant(0);
        return S_OK;
    }
    for (int d = 1; d <= a.dimensions(); ++d)
        if (!a.isAddressable(d))
            return E_INVALIDARG;
    QVariantList rows;
    for (uint32_t i = 0; i < a.count(1); ++i) {
        QVariant value;
        if (a.dimensions() == 1) {
            if (const HResult hr = elementAt(a, i, std::nullopt, value, depth); failed(hr))
                return hr;
        } else {
            QVariantList row;
            for (uint32_t j = 0; j < a.count(2); ++j) {
                QVariant element;
                if (const HResult hr = elementAt(a, i, j, element, depth); failed(hr))
                    return hr;
                row << element;
            }
            value = row;
        }
        rows << value;
    }
    out = rows;
    return S_OK;
}

HResult anyToQVariant(const Variant& in, QVariant& out, int depth)
{
    const Variant& v = in.deref();
    if (v.isArray()) {
        if (const SafeArray* a = v.array())
            return arrayToQVariant(*a, out, depth);
        out = QVariantList{};
        return S_OK;
    }
    switch (v.type()) {
    case VT_BOOL:
        out = v.toBool();
        break;
    case VT_I2:
        out = QVariant::fromValue<qint16>(v.toI2());
        break;
    case VT_I4:
        out = QVariant::fromValue<qint32>(v.toI4());
        break;
    case VT_UI4:
        out = QVariant::fromValue<quint32>(v.toUI4());
        break;
    case VT_R8:
    case VT_DATE:
        out = v.toR8();
        break;
    case VT_BSTR:
        out = v.toString();
        break;
    default:
        out = QVariant();
        break;
    }
    return S_OK;
}

} // namespace

HResult VariantBridge::toQVariant(const Variant& in, QVariant& out)
{
    return anyToQVariant(in, out, 0);
}

Variant VariantBridge::fromQVariant(const QVariant& in)
{
    if (!in.isValid())
        return {};
    if (in.typeId() == QMetaType::QVariantList) {
        const QVariantList rows = in.toList();
        bool nested = !rows.isEmpty();
        int columns = 0;
        for (const QVariant& r : rows) {
            if (r.typeId() != QMetaType::QVariantList) {
                nested = false;
                break;
            }
            columns = std::max(columns, static_cast<int>(r.toList().size()));
        }
        if (nested) {
            SafeArray a({{1, static_cast<uint32_t>(rows.size())}, {1, static_cast<uint32_t>(columns)}});
            for (int i = 0; i < rows.size(); ++i) {
                const QVariantList row = rows[i].toList();
                for (int j = 0; j < row.size(); ++j)
                    a.put({i + 1, j + 1}, fromQVariant(row[j]));
            }
            return Variant::fromArray(std::move(a));
        }
        SafeArray a({{1, static_cast<uint32_t>(rows.size())}});
        for (int i = 0; i < rows.size(); ++i)
            a.put({i + 1}, fromQVariant(rows[i]));
        return Variant::fromArray(std::move(a));
    }
    switch (in.typeId()) {
    case QMetaType::Bool:
        return Variant::fromBool(in.toBool());
    case QMetaType::Short:
        return Variant::fromI2(static_cast<int16_t>(in.toInt()));
    case QMetaType::Int:
        return Variant::fromI4(in.toInt());
    case QMetaType::UInt:
        return Variant::fromUI4(in.toUInt());
    case QMetaType::Double:
        return Variant::fromR8(in.toDouble());
    case QMetaType::QString:
        return Variant::fromString(in.toString());
    default:
        return Variant::fromR8(in.toDouble());
    }
}

} // namespace vorrin
