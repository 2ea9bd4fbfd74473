#include "component/Dispatch.h"

namespace component {

HResult getProperty(IDispatch* object, DispId id, Variant& value, ExcepInfo* excep)
{
    if (!object)
        return E_POINTER;
    QList<Variant> none;
    return object->Invoke(id, DISPATCH_PROPERTYGET, none, &value, excep);
}

HResult putProperty(IDispatch* object, DispId id, const Variant& value, ExcepInfo* excep)
{
    if (!object)
        return E_POINTER;
    QList<Variant> args{value};
    return object->Invoke(id, DISPATCH_PROPERTYPUT, args, nullptr, excep);
}

HResult putPropertyRef(IDispatch* object, DispId id, const Variant& value, ExcepInfo* excep)
{
    if (!object)
        return E_POINTER;
    QList<Variant> args{value};
    return object->Invoke(id, DISPATCH_PROPERTYPUTREF, args, nullptr, excep);
}

HResult callMethod(IDispatch* object, DispId id, QList<Variant>& args, Variant* result, ExcepInfo* excep)
{
    if (!object)
        return E_POINTER;
    return object->Invoke(id, DISPATCH_METHOD, args, result, excep);
}

HResult dispIdOf(IDispatch* object, const QString& name, DispId& id)
{
    if (!object)
        return E_POINTER;
    QList<DispId> ids;
    const HResult hr = object->GetIDsOfNames({name}, ids);
    if (succeeded(hr) && !ids.isEmpty())
        id = ids.front();
    return hr;
}

} // namespace component
