#pragma once

#include "component/Connection.h"

#include <QList>

#include <functional>

namespace component {

// The connection point an event source owns for one outgoing interface. It keeps the advised
// sinks (each counted) under cookies, and calls them in the order they were advised. Its own
// reference count is its owner's, so a host holding the point keeps the source alive. Sinks may
// advise or unadvise while an event is being delivered: delivery works on a snapshot.
class ConnectionPoint final : public IConnectionPoint
{
public:
    ConnectionPoint(IUnknown* owner, const Guid& outgoing);
    ~ConnectionPoint() override;
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HResult QueryInterface(const Guid& iid, void** out) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    HResult GetConnectionInterface(Guid& iid) override;
    HResult Advise(IUnknown* sink, uint32_t* cookie) override;
    HResult Unadvise(uint32_t cookie) override;

    const Guid& outgoing() const { return m_outgoing; }
    qsizetype sinkCount() const { return m_sinks.size(); }

    // Raises a dispatch event on every sink; by-reference arguments see each sink's changes.
    void fire(DispId id, QList<Variant>& args);
    // Asks every property-notify sink; the first refusal (a failure result) wins.
    HResult requestEdit(DispId id);
    void changed(DispId id);

    // Drops every sink: an owner calls this when it closes so no cycle outlives it.
    void unadviseAll();

private:
    struct Connection
    {
        uint32_t cookie;
        Ref<IUnknown> sink;
    };
    template <class I> QList<Ref<I>> sinksAs() const;

    IUnknown* m_owner;
    Guid m_outgoing;
    QList<Connection> m_sinks;
    uint32_t m_nextCookie = 1;
};

} // namespace component
