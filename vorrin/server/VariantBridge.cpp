#include "vorrin/server/VariantBridge.h"

#include "component/SafeArray.h"

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
    if (type == ValueType::Variant) {
        out = toQVariant(in);
        return S_OK;
    }
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

QVariant VariantBridge::toQVariant(const Variant& in)
{
    const Variant& v = in.deref();
    if (v.isArray()) {
        const SafeArray* a = v.array();
        if (!a)
            return QVariantList{};
        QVariantList rows;
        if (a->dimensions() == 1) {
            for (int32_t i = a->lowerBound(1); i <= a->upperBound(1); ++i)
                rows << toQVariant(*a->at({i}));
            return rows;
        }
        if (a->dimensions() == 2) {
            for (int32_t i = a->lowerBound(1); i <= a->upperBound(1); ++i) {
                QVariantList row;
                for (int32_t j = a->lowerBound(2); j <= a->upperBound(2); ++j)
                    row << toQVariant(*a->at({i, j}));
                rows << QVariant(row);
            }
            return rows;
        }
        // Three or more dimensions: nothing the control takes; hand over a scalar so the
        // control's shape check refuses it.
        return QVariant(0);
    }
    switch (v.type()) {
    case VT_BOOL:
        return v.toBool();
    case VT_I2:
        return QVariant::fromValue<qint16>(v.toI2());
    case VT_I4:
        return QVariant::fromValue<qint32>(v.toI4());
    case VT_UI4:
        return QVariant::fromValue<quint32>(v.toUI4());
    case VT_R8:
    case VT_DATE:
        return v.toR8();
    case VT_BSTR:
        return v.toString();
    default:
        return {};
    }
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
