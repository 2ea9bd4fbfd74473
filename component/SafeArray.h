#pragma once

#include "component/HResult.h"
#include "component/Variant.h"

#include <QList>

#include <cstdint>

namespace component {

// A rectangular array of variants with one to several dimensions, each with its own lower bound
// and length, as automation passes arrays (the calendar's day states are [1..n] x [1..31]).
// Elements are stored with the first index varying fastest; get and put check every index. An
// array too large to hold throws std::bad_alloc when it is made, as any allocation would.
class SafeArray
{
public:
    struct Bound
    {
        int32_t lower = 0;
        uint32_t count = 0;
    };

    SafeArray() = default;
    explicit SafeArray(const QList<Bound>& bounds, VarType elementType = VT_VARIANT);

    int dimensions() const { return static_cast<int>(m_bounds.size()); }
    VarType elementType() const { return m_elementType; }
    // Bounds by dimension, counted from 1 as automation does. A host may give a lower bound and
    // a count whose last index lies beyond 32 bits: upperBound() then wraps, as automation's
    // does, so walk a dimension by its count, after checking isAddressable().
    int32_t lowerBound(int dim) const;
    int32_t upperBound(int dim) const;
    uint32_t count(int dim) const;
    // Every index of the dimension fits 32 bits (so every element can be reached).
    bool isAddressable(int dim) const;
    qsizetype elementCount() const { return m_elements.size(); }

    HResult get(const QList<int32_t>& indices, Variant& out) const;
    HResult put(const QList<int32_t>& indices, const Variant& value);
    const Variant* at(const QList<int32_t>& indices) const;

    bool operator==(const SafeArray& other) const;

private:
    qsizetype offsetOf(const QList<int32_t>& indices) const;

    QList<Bound> m_bounds;
    VarType m_elementType = VT_VARIANT;
    QList<Variant> m_elements;
};

} // namespace component
