#pragma once

#include <vector>

namespace vorrin {

// Value types crossing the control's dispatch interface, named after the automation types a
// dispatch adaptor maps them to. In `QVariant` form (VorrinCtl::getProperty and friends):
//   Bool    -> bool            I2    -> qint16 (short)   I4 -> qint32 (int)
//   Date    -> double (automation date: days since 30 Dec 1899)
//   Color   -> quint32 (an OLE colour 0x00BBGGRR, or a system colour 0x800000nn)
//   Font    -> QFont (an invalid QVariant when the control has no font)
//   String  -> QString         Variant -> any QVariant (see VorrinCtl for the day-state arrays)
//   Void    -> no value
enum class ValueType { Void, Bool, I2, I4, Date, Color, Font, String, Variant };

// One argument of a method or event. `byRef` arguments are written back into the caller's list;
// `out` arguments are by reference and carry no input.
struct ArgInfo
{
    const char* name;
    ValueType type;
    bool byRef = false;
    bool out = false;
};

// One member of the control's dispatch interface, as a type library would describe it.
struct MemberInfo
{
    enum Kind { Property, Method };

    const char* name;
    int dispid;
    Kind kind;
    ValueType type;            // property type, or the method's return type (Void for all methods)
    const char* enumName;      // for I4/I2 values typed by an enumeration, else nullptr
    bool readOnly = false;     // no property of the control is read-only; kept for adaptors
    bool hidden = false;       // hidden from property browsers
    bool bindable = false;     // asks request-edit before notifying
    bool defaultBind = false;  // the default bindable property
    bool hasPutRef = false;    // a by-reference setter exists (the font)
    std::vector<ArgInfo> args; // methods only, in call order
};

// One event of the control's event interface, with its arguments in firing order.
struct EventInfo
{
    const char* name;
    int dispid;
    std::vector<ArgInfo> args;
};

} // namespace vorrin
