#pragma once

#include "component/Variant.h"
#include "vorrin/control/MemberInfo.h"

#include <QVariant>

namespace vorrin {

// Converts between the component model's variants and the QVariant values the control object
// takes, by the member's declared value type. Day-state arrays are two-dimensional variant
// arrays [1..n] x [1..31] on the component side and n rows of 31 values on the control side.
class VariantBridge
{
public:
    // Fails with DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW when the variant does not convert.
    static component::HResult toQVariant(const component::Variant& in, ValueType type, QVariant& out);
    static component::Variant fromQVariant(const QVariant& in, ValueType type);

    // Any variant, by its own type. A one-dimensional array becomes a list; a two-dimensional one
    // a list of rows (the first dimension), each a list (the second); an array of more dimensions
    // a plain number, which no member takes as an array. Arrays are walked by their element
    // counts; one whose indices do not fit 32 bits, or arrays nested more than a few deep, fail
    // with E_INVALIDARG.
    static component::HResult toQVariant(const component::Variant& in, QVariant& out);
    // Any QVariant; a list of lists becomes a two-dimensional array with lower bounds 1.
    static component::Variant fromQVariant(const QVariant& in);

    static component::VarType varTypeOf(ValueType type);
};

} // namespace vorrin
