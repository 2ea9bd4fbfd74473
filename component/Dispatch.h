#pragma once

#include "component/Unknown.h"
#include "component/Variant.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace component {

struct TypeLibrary;
struct InterfaceDescription;

using DispId = int32_t;

// How a member is invoked; a property put may be combined with nothing else.
enum DispatchFlags : uint16_t {
    DISPATCH_METHOD = 1,
    DISPATCH_PROPERTYGET = 2,
    DISPATCH_PROPERTYPUT = 4,
    DISPATCH_PROPERTYPUTREF = 8,
};

constexpr DispId DISPID_UNKNOWN = -1;
constexpr DispId DISPID_VALUE = 0;

// The error a member reports through dispatch: DISP_E_EXCEPTION carries it to the caller.
struct ExcepInfo
{
    uint16_t code = 0;
    QString source;
    QString description;
    HResult scode = S_OK;
};

// Late-bound access to an object: members are found by name and called by DISPID with variants.
// Arguments are passed in declaration order (not reversed); a by-reference argument is a variant
// of type VT_BYREF|T through which the callee writes back. A property put takes the new value as
// its only argument.
struct IDispatch : IUnknown
{
    static constexpr Guid iid = Guid::parse("{00020400-0000-0000-C000-000000000046}");

    virtual HResult GetIDsOfNames(const QStringList& names, QList<DispId>& ids) = 0;
    virtual HResult Invoke(DispId id, uint16_t flags, QList<Variant>& args, Variant* result,
                           ExcepInfo* excep) = 0;
    // The description of the interface this object dispatches, or E_NOTIMPL.
    virtual HResult GetTypeInfo(const InterfaceDescription** info) = 0;
};

// An object that remembers the exception information of its last failed call, for callers whose
// interface has no place for it (loading saved settings, for one).
struct IErrorInfoSource : IUnknown
{
    static constexpr Guid iid = Guid::parse("{5D3F0A94-2C1B-4E8D-A7F6-91B04C3E2D58}");

    // S_FALSE (and an empty `info`) when the last call did not fail with exception information.
    virtual HResult GetLastErrorInfo(ExcepInfo& info) = 0;
};

// Convenience calls for hosts and tests. They fill `excep` (when given) on DISP_E_EXCEPTION.
HResult getProperty(IDispatch* object, DispId id, Variant& value, ExcepInfo* excep = nullptr);
HResult putProperty(IDispatch* object, DispId id, const Variant& value, ExcepInfo* excep = nullptr);
HResult putPropertyRef(IDispatch* object, DispId id, const Variant& value, ExcepInfo* excep = nullptr);
HResult callMethod(IDispatch* object, DispId id, QList<Variant>& args, Variant* result = nullptr,
                   ExcepInfo* excep = nullptr);
// Looks the member up by name first.
HResult dispIdOf(IDispatch* object, const QString& name, DispId& id);

} // namespace component
