#pragma once

#include "component/Dispatch.h"
#include "component/Unknown.h"

#include <QList>

namespace component {

struct IConnectionPoint;

// An object that raises events lists one connection point per outgoing interface.
struct IConnectionPointContainer : IUnknown
{
    static constexpr Guid iid = Guid::parse("{B196B284-BAB4-101A-B69C-00AA00341D07}");

    virtual HResult FindConnectionPoint(const Guid& iid, IConnectionPoint** out) = 0;
    virtual HResult EnumConnectionPoints(QList<Guid>& iids) = 0;
};

// One outgoing interface: a host advises a sink implementing it and gets a cookie to unadvise.
struct IConnectionPoint : IUnknown
{
    static constexpr Guid iid = Guid::parse("{B196B286-BAB4-101A-B69C-00AA00341D07}");

    virtual HResult GetConnectionInterface(Guid& iid) = 0;
    virtual HResult Advise(IUnknown* sink, uint32_t* cookie) = 0;
    virtual HResult Unadvise(uint32_t cookie) = 0;
};

// The container's side of property binding: an object asks before a bindable property changes
// (a failure refuses the edit) and reports afterwards that it changed.
struct IPropertyNotifySink : IUnknown
{
    static constexpr Guid iid = Guid::parse("{9BFBBC02-EFF1-101A-84ED-00AA00341D07}");

    virtual HResult OnChanged(DispId id) = 0;
    virtual HResult OnRequestEdit(DispId id) = 0;
};

// DISPID_UNKNOWN passed to OnChanged means "several properties changed".

} // namespace component
