#include "vorrin/server/ClassFactory.h"

#include "vorrin/server/ServerModule.h"
#include "vorrin/server/VorrinObject.h"

namespace vorrin {

using namespace component;

ClassFactory::ClassFactory()
{
    ServerModule::objectCreated();
}

ClassFactory::~ClassFactory()
{
    ServerModule::objectDestroyed();
}

Ref<IClassFactory> ClassFactory::create()
{
    return Ref<IClassFactory>::adopt(new ClassFactory);
}

HResult ClassFactory::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IUnknown::iid && iid != IClassFactory::iid)
        return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

uint32_t ClassFactory::AddRef()
{
    return ++m_refs;
}

uint32_t ClassFactory::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HResult ClassFactory::CreateInstance(IUnknown* outer, const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    Ref<IUnknown> object = VorrinObject::create();
    return object->QueryInterface(iid, out);
}

HResult ClassFactory::LockServer(bool lock)
{
    if (lock)
        ServerModule::lock();
    else
        ServerModule::unlock();
    return S_OK;
}

} // namespace vorrin
