#pragma once

#include "component/Persist.h"

#include <QList>
#include <QPair>

#include <atomic>

namespace component {

// An in-memory property bag that keeps names in the order they were first written, so a saved
// control can be inspected (and compared) property by property. Names are matched exactly.
class MemoryPropertyBag final : public IPropertyBag
{
public:
    static Ref<MemoryPropertyBag> create();

    HResult QueryInterface(const Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    HResult Read(const QString& name, Variant& value) override;
    HResult Write(const QString& name, const Variant& value) override;

    QStringList names() const;
    const Variant* find(const QString& name) const;
    void set(const QString& name, const Variant& value) { Write(name, value); }
    void remove(const QString& name);

private:
    MemoryPropertyBag();
    ~MemoryPropertyBag() override;

    std::atomic<uint32_t> m_refs{1};
    QList<QPair<QString, Variant>> m_values;
};

} // namespace component
