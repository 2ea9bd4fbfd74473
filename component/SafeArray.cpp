#include "component/SafeArray.h"

#include <limits>
#include <new>

namespace component {

SafeArray::SafeArray(const QList<Bound>& bounds, VarType elementType)
    : m_bounds(bounds), m_elementType(elementType)
{
    qsizetype total = bounds.isEmpty() ? 0 : 1;
    for (const Bound& b : bounds) {
        if (__builtin_mul_overflow(total, static_cast<qsizetype>(b.count), &total) ||
            total > std::numeric_limits<qsizetype>::max() / static_cast<qsizetype>(sizeof(Variant)))
            throw std::bad_alloc();
    }
    m_elements.resize(total);
    if (elementType != VT_VARIANT) {
        // Elements of a typed array start as that type's zero.
        Variant zero;
        if (succeeded(Variant::fromI4(0).changeType(elementType, zero)))
            m_elements.fill(zero);
    }
}

int32_t SafeArray::lowerBound(int dim) const
{
    return dim >= 1 && dim <= dimensions() ? m_bounds[dim - 1].lower : 0;
}

uint32_t SafeArray::count(int dim) const
{
    return dim >= 1 && dim <= dimensions() ? m_bounds[dim - 1].count : 0;
}

bool SafeArray::isAddressable(int dim) const
{
    if (dim < 1 || dim > dimensions())
        return false;
    const Bound& b = m_bounds[dim - 1];
    return b.count == 0 || static_cast<int64_t>(b.lower) + static_cast<int64_t>(b.count) - 1 <=
                               std::numeric_limits<int32_t>::max();
}

int32_t SafeArray::upperBound(int dim) const
{
    if (dim < 1 || dim > dimensions())
        return -1;
    const Bound& b = m_bounds[dim - 1];
    return static_cast<int32_t>(static_cast<int64_t>(b.lower) + static_cast<int64_t>(b.count) - 1);
}

qsizetype SafeArray::offsetOf(const QList<int32_t>& indices) const
{
    if (indices.size() != m_bounds.size() || m_bounds.isEmpty())
        return -1;
    qsizetype offset = 0;
    qsizetype stride = 1;
    for (qsizetype d = 0; d < m_bounds.size(); ++d) {
        const int64_t i = static_cast<int64_t>(indices[d]) - m_bounds[d].lower;
        if (i < 0 || i >= static_cast<int64_t>(m_bounds[d].count))
            return -1;
        offset += static_cast<qsizetype>(i) * stride;
        stride *= static_cast<qsizetype>(m_bounds[d].count);
    }
    return offset;
}

HResult SafeArray::get(const QList<int32_t>& indices, Variant& out) const
{
    const qsizetype at = offsetOf(indices);
    if (at < 0)
        return DISP_E_BADINDEX;
    out = m_elements[at];
    return S_OK;
}

const Variant* SafeArray::at(const QList<int32_t>& indices) const
{
    const qsizetype i = offsetOf(indices);
    return i < 0 ? nullptr : &m_elements[i];
}

HResult SafeArray::put(const QList<int32_t>& indices, const Variant& value)
{
    const qsizetype at = offsetOf(indices);
    if (at < 0)
        return DISP_E_BADINDEX;
    if (m_elementType == VT_VARIANT) {
        m_elements[at] = value.deref();
        return S_OK;
    }
    Variant converted;
    const HResult hr = value.changeType(m_elementType, converted);
    if (succeeded(hr))
        m_elements[at] = std::move(converted);
    return hr;
}

bool SafeArray::operator==(const SafeArray& other) const
{
    if (m_elementType != other.m_elementType || m_bounds.size() != other.m_bounds.size())
        return false;
    for (qsizetype d = 0; d < m_bounds.size(); ++d)
        if (m_bounds[d].lower != other.m_bounds[d].lower || m_bounds[d].count != other.m_bounds[d].count)
            return false;
    return m_elements == other.m_elements;
}

} // namespace component
