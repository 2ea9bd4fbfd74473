#include "component/ConnectionPoint.h"

namespace component {

ConnectionPoint::ConnectionPoint(IUnknown* owner, const Guid& outgoing) : m_owner(owner), m_outgoing(outgoing)
{}

ConnectionPoint::~ConnectionPoint() = default;

HResult ConnectionPoint::QueryInterface(const Guid& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IUnknown::iid || iid == IConnectionPoint::iid) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

uint32_t ConnectionPoint::AddRef()
{
    return m_owner->AddRef();
}

uint32_t ConnectionPoint::Release()
{
    return m_owner->Release();
}

HResult ConnectionPoint::GetConnectionInterface(Guid& iid)
{
    iid = m_outgoing;
    return S_OK;
}

HResult ConnectionPoint::Advise(IUnknown* sink, uint32_t* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    // The sink must really implement the outgoing interface (or be a dispatch sink for a
    // dispatch-only event interface), otherwise events would be delivered to the wrong vtable.
    Ref<IUnknown> asOutgoing;
    if (failed(sink->QueryInterface(m_outgoing, asOutgoing.put())) &&
        failed(sink->QueryInterface(IDispatch::iid, asOutgoing.put())))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = m_nextCookie++;
    m_sinks.append({*cookie, Ref<IUnknown>::share(sink)});
    return S_OK;
}

HResult ConnectionPoint::Unadvise(uint32_t cookie)
{
    for (qsizetype i = 0; i < m_sinks.size(); ++i) {
        if (m_sinks[i].cookie == cookie) {
            // Release after removal: the sink's destructor may call back into this point.
            Ref<IUnknown> keep = std::move(m_sinks[i].sink);
            m_sinks.removeAt(i);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

template <class I> QList<Ref<I>> ConnectionPoint::sinksAs() const
{
    QList<Ref<I>> result;
    for (const Connection& c : m_sinks) {
        Ref<I> s = queryInterface<I>(c.sink.get());
        if (s)
            result.append(std::move(s));
    }
    return result;
}

void ConnectionPoint::fire(DispId id, QList<Variant>& args)
{
    const QList<Ref<IDispatch>> sinks = sinksAs<IDispatch>();
    for (const Ref<IDispatch>& s : sinks)
        s->Invoke(id, DISPATCH_METHOD, args, nullptr, nullptr);
}

HResult ConnectionPoint::requestEdit(DispId id)
{
    const QList<Ref<IPropertyNotifySink>> sinks = sinksAs<IPropertyNotifySink>();
    for (const Ref<IPropertyNotifySink>& s : sinks) {
        const HResult hr = s->OnRequestEdit(id);
        if (failed(hr) || hr == S_FALSE)
            return S_FALSE;
    }
    return S_OK;
}

void ConnectionPoint::changed(DispId id)
{
    const QList<Ref<IPropertyNotifySink>> sinks = sinksAs<IPropertyNotifySink>();
    for (const Ref<IPropertyNotifySink>& s : sinks)
        s->OnChanged(id);
}

void ConnectionPoint::unadviseAll()
{
    QList<Connection> gone = std::move(m_sinks);
    m_sinks.clear();
}

} // namespace component
