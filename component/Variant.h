#pragma once

#include "component/HResult.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace component {

struct IUnknown;
struct IDispatch;
class SafeArray;

enum VarType : uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

// The Boolean of the component model: True is -1, as the saved formats store it.
constexpr int16_t VARIANT_TRUE = -1;
constexpr int16_t VARIANT_FALSE = 0;

// A value of one of the component model's types. It holds numbers, dates (automation dates:
// days since 30 December 1899), Booleans, text, counted interface pointers and arrays, or refers
// to a value the caller owns (by reference), which lets a callee write an argument back.
//
// A by-reference variant of type VT_BYREF|T points to another Variant of type T (or of any type
// for VT_BYREF|VT_VARIANT); writing through it with assignReferenced() keeps the target's type.
// Copying a variant copies an array deeply and adds a reference to an interface; the referred-to
// value of a by-reference variant is never owned.
class Variant
{
public:
    Variant();
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(const Variant& other);
    Variant& operator=(Variant&& other) noexcept;
    ~Variant();

    static Variant fromI2(int16_t v);
    static Variant fromI4(int32_t v);
    static Variant fromUI4(uint32_t v);
    static Variant fromR8(double v);
    static Variant fromDate(double v);
    static Variant fromBool(bool v);
    static Variant fromString(const QString& v);
    static Variant fromError(HResult code);
    static Variant null();
    static Variant fromDispatch(IDispatch* v); // adds a reference
    static Variant fromUnknown(IUnknown* v);   // adds a reference
    static Variant fromArray(SafeArray array);
    // Refers to `target`. With `asVariant` the reference is VT_BYREF|VT_VARIANT (any type may be
    // written back); otherwise it is typed after the target's current type.
    static Variant byRef(Variant* target, bool asVariant = false);

    uint16_t type() const { return m_type; }
    VarType baseType() const { return static_cast<VarType>(m_type & VT_TYPEMASK); }
    bool isByRef() const { return (m_type & VT_BYREF) != 0; }
    bool isArray() const { return (m_type & VT_ARRAY) != 0; }
    bool isEmpty() const { return m_type == VT_EMPTY; }

    // The value itself: for a by-reference variant, the one it refers to.
    const Variant& deref() const;
    Variant* referenced() const { return isByRef() ? m_value.ref : nullptr; }

    int16_t toI2() const { return m_value.i2; }
    int32_t toI4() const { return m_value.i4; }
    uint32_t toUI4() const { return m_value.ui4; }
    double toR8() const { return m_value.r8; }
    double toDate() const { return m_value.r8; }
    bool toBool() const { return m_value.i2 != 0; }
    int16_t rawBool() const { return m_value.i2; }
    HResult toError() const { return m_value.i4; }
    const QString& toString() const { return m_string; }
    IUnknown* unknown() const { return m_value.unk; }
    IDispatch* dispatch() const;
    SafeArray* array() const { return m_array.get(); }

    // Converts to `to` (a plain type), following a reference. Numbers, Booleans, dates and
    // numeric text convert among each other; an out-of-range number gives DISP_E_OVERFLOW, anything
    // else that cannot convert DISP_E_TYPEMISMATCH.
    HResult changeType(VarType to, Variant& out) const;

    // Writes `value` through a by-reference variant, converting to the referenced type unless the
    // reference is VT_BYREF|VT_VARIANT.
    HResult assignReferenced(const Variant& value) const;

    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }
    QString debugText() const;

private:
    void clear();
    void copyFrom(const Variant& other);

    uint16_t m_type = VT_EMPTY;
    union Value {
        int16_t i2;
        int32_t i4;
        uint32_t ui4;
        double r8;
        IUnknown* unk;
        Variant* ref;
        int64_t raw;
    } m_value{.raw = 0};
    QString m_string;
    std::unique_ptr<SafeArray> m_array;
};

} // namespace component
