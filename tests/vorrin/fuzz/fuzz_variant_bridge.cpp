// Fuzz target: the bridge between the component model's variants and the control's values, above
// all arrays of any shape (day states are two-dimensional arrays of variants). The input describes
// a variant: scalars, by-reference values and arrays of one to four dimensions with any bounds,
// nested a few levels deep. It is converted to every member type, converted to the control's form
// and back, and handed to SetDayState through dispatch, which answers with a result, never a crash.
#include "FuzzBytes.h"
#include "FuzzControl.h"

#include "component/Dispatch.h"
#include "component/SafeArray.h"
#include "vorrin/server/VariantBridge.h"

#include <cstdint>
#include <deque>
#include <limits>

using namespace component;

namespace {

constexpr int kMaxDepth = 3;
constexpr std::uint32_t kMaxElements = 2048; // per input, so every run stays fast

std::int32_t lowerBound(FuzzBytes& in)
{
    constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t bottom = std::numeric_limits<std::int32_t>::min();
    switch (in.pick(8)) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return top;
    case 3:
        return top - in.pick(64);
    case 4:
        return bottom;
    case 5:
        return bottom + in.pick(64);
    case 6:
        return -in.pick(64);
    default:
        return in.take<std::int32_t>();
    }
}

class Builder
{
public:
    explicit Builder(FuzzBytes& in) : m_in(in) {}

    Variant variant(int depth)
    {
        switch (m_in.pick(depth < kMaxDepth ? 13 : 11)) {
        case 0:
            return {};
        case 1:
            return Variant::null();
        case 2:
            return Variant::fromI2(m_in.take<std::int16_t>());
        case 3:
            return Variant::fromI4(m_in.take<std::int32_t>());
        case 4:
            return Variant::fromUI4(m_in.take<std::uint32_t>());
        case 5:
            return Variant::fromR8(m_in.take<double>());
        case 6:
            return Variant::fromDate(m_in.take<double>());
        case 7:
        case 8:
            return Variant::fromBool(m_in.flag());
        case 9:
            return Variant::fromString(m_in.text(8));
        case 10:
            return Variant::fromI4(m_in.pick(3) - 1);
        case 11: {
            // By reference: the value lives as long as the input is handled.
            m_referenced.push_back(variant(depth + 1));
            return Variant::byRef(&m_referenced.back(), m_in.flag());
        }
        default:
            return array(depth);
        }
    }

private:
    Variant array(int depth)
    {
        const int dimensions = 1 + m_in.pick(4);
        QList<SafeArray::Bound> bounds;
        std::uint64_t total = 1;
        for (int d = 0; d < dimensions; ++d) {
            SafeArray::Bound b;
            b.lower = lowerBound(m_in);
            b.count = static_cast<std::uint32_t>(m_in.pick(40));
            if (total * std::max<std::uint64_t>(b.count, 1) + m_elements > kMaxElements)
                b.count = 1;
            total *= b.count;
            bounds << b;
        }
        m_elements += static_cast<std::uint32_t>(total);
        static const VarType kElementTypes[] = {VT_VARIANT, VT_VARIANT, VT_I4, VT_BOOL, VT_R8, VT_I2};
        SafeArray a(bounds, kElementTypes[m_in.pick(6)]);
        // Fill some elements by flat position, computing each index as a host would.
        const std::uint64_t filled = std::min<std::uint64_t>(total, m_in.pick(64));
        for (std::uint64_t flat = 0; flat < filled && !m_in.atEnd(); ++flat) {
            QList<std::int32_t> index;
            std::uint64_t rest = flat;
            for (const SafeArray::Bound& b : bounds) {
                const std::uint64_t within = b.count ? rest % b.count : 0;
                rest = b.count ? rest / b.count : 0;
                index << static_cast<std::int32_t>(static_cast<std::int64_t>(b.lower) +
                                                   static_cast<std::int64_t>(within));
            }
            a.put(index, variant(depth + 1));
        }
        return Variant::fromArray(std::move(a));
    }

    FuzzBytes& m_in;
    std::deque<Variant> m_referenced;
    std::uint32_t m_elements = 0;
};

// A control showing a calendar that keeps day states, made once: SetDayState needs one.
Ref<IUnknown>& dayStateControl()
{
    static Ref<IUnknown> control = [] {
        Ref<IUnknown> c = fuzz::newControl(true);
        putProperty(c.query<IDispatch>().get(), 7, Variant::fromI4(9)); // day states, multi-select
        return c;
    }();
    return control;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzBytes in(data, size);
    Builder builder(in);
    const Variant value = builder.variant(0);

    using vorrin::ValueType;
    using vorrin::VariantBridge;
    for (ValueType type : {ValueType::Bool, ValueType::I2, ValueType::I4, ValueType::Date, ValueType::Color,
                           ValueType::String, ValueType::Font, ValueType::Void, ValueType::Variant}) {
        QVariant converted;
        if (succeeded(VariantBridge::toQVariant(value, type, converted)))
            VariantBridge::fromQVariant(converted, type);
    }
    QVariant asList;
    if (succeeded(VariantBridge::toQVariant(value, ValueType::Variant, asList))) {
        QVariant again;
        VariantBridge::toQVariant(VariantBridge::fromQVariant(asList), ValueType::Variant, again);
    }

    QList<Variant> args{value};
    callMethod(dayStateControl().query<IDispatch>().get(), 27, args);
    return 0;
}
