#pragma once

#include "component/Unknown.h"

#include <atomic>

namespace vorrin {

// The calendar control's class factory. Each factory handed out counts as a live object of the
// library, and LockServer adds a lock, so the library stays loaded while a host holds either.
class ClassFactory final : public component::IClassFactory
{
public:
    static component::Ref<component::IClassFactory> create();

    component::HResult QueryInterface(const component::Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    // Aggregation is not supported.
    component::HResult CreateInstance(component::IUnknown* outer, const component::Guid& iid,
                                      void** out) override;
    component::HResult LockServer(bool lock) override;

private:
    ClassFactory();
    ~ClassFactory() override;

    std::atomic<uint32_t> m_refs{1};
};

} // namespace vorrin
