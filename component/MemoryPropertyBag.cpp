#include "component/MemoryPropertyBag.h"

#include "component/ModuleObjects.h"

namespace component {

MemoryPropertyBag::MemoryPropertyBag()
{
    ModuleObjects::created();
}

MemoryPropertyBag::~MemoryPropertyBag()
{
    ModuleObjects::destroyed();
}

Ref<MemoryPropertyBag> MemoryPropertyBag::create()
{
    return Ref<MemoryPropertyBag>::adopt(new MemoryPropertyBag);
}

HResult MemoryPropertyBag::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::iid || iid == IPropertyBag::iid) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

uint32_t MemoryPropertyBag::AddRef()
{
    return ++m_refs;
}

uint32_t MemoryPropertyBag::Release()
{
    const uint32_t left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

const Variant* MemoryPropertyBag::find(const QString& name) const
{
    for (const auto& entry : m_values)
        if (entry.first == name)
            return &entry.second;
    return nullptr;
}

HResult MemoryPropertyBag::Read(const QString& name, Variant& value)
{
    const Variant* stored = find(name);
    if (!stored)
        return E_INVALIDARG;
    const VarType wanted = value.baseType();
    if (value.isEmpty() || value.isArray() || wanted == VT_VARIANT) {
        value = *stored;
        return S_OK;
    }
    Variant converted;
    const HResult hr = stored->changeType(wanted, converted);
    if (failed(hr))
        return DISP_E_TYPEMISMATCH;
    value = std::move(converted);
    return S_OK;
}

HResult MemoryPropertyBag::Write(const QString& name, const Variant& value)
{
    for (auto& entry : m_values) {
        if (entry.first == name) {
            entry.second = value.deref();
            return S_OK;
        }
    }
    m_values.append({name, value.deref()});
    return S_OK;
}

QStringList MemoryPropertyBag::names() const
{
    QStringList out;
    for (const auto& entry : m_values)
        out << entry.first;
    return out;
}

void MemoryPropertyBag::remove(const QString& name)
{
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        if (m_values[i].first == name) {
            m_values.removeAt(i);
            return;
        }
    }
}

} // namespace component
