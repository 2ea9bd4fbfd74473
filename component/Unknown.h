#pragma once

#include "component/Guid.h"
#include "component/HResult.h"

#include <cstdint>
#include <utility>

namespace component {

// The root of every component interface: reference counting and asking an object for another of
// its interfaces. An object lives while its count is above zero; QueryInterface hands out an
// interface already counted, so every successful call is paired with one Release.
struct IUnknown
{
    static constexpr Guid iid = Guid::parse("{00000000-0000-0000-C000-000000000046}");

    virtual HResult QueryInterface(const Guid& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

// Makes objects of one class. LockServer keeps the serving library loaded between creations.
struct IClassFactory : IUnknown
{
    static constexpr Guid iid = Guid::parse("{00000001-0000-0000-C000-000000000046}");

    virtual HResult CreateInstance(IUnknown* outer, const Guid& iid, void** out) = 0;
    virtual HResult LockServer(bool lock) = 0;
};

// An owning pointer to an interface: releases what it holds, adds a reference when copied.
template <class T> class Ref
{
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    // Takes over a reference the caller already holds.
    static Ref adopt(T* p)
    {
        Ref r;
        r.m_p = p;
        return r;
    }
    // Adds a reference of its own.
    static Ref share(T* p)
    {
        if (p)
            p->AddRef();
        return adopt(p);
    }
    Ref(const Ref& o) : m_p(o.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref o) noexcept
    {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~Ref() { reset(); }

    void reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* detach() { return std::exchange(m_p, nullptr); }
    // For out-parameters: releases what is held and lets the callee store a counted pointer.
    void** put()
    {
        reset();
        return reinterpret_cast<void**>(&m_p);
    }

    template <class U> Ref<U> query() const
    {
        Ref<U> r;
        if (m_p)
            m_p->QueryInterface(U::iid, r.put());
        return r;
    }

private:
    T* m_p = nullptr;
};

// Asks any interface pointer for another interface; empty when the object does not have it.
template <class U, class T> Ref<U> queryInterface(T* p)
{
    Ref<U> r;
    if (p)
        p->QueryInterface(U::iid, r.put());
    return r;
}

} // namespace component
