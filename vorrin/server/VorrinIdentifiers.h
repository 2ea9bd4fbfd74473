#pragma once

#include "component/Guid.h"

#include <QString>

// The names by which hosts find the calendar control: its class, interfaces, type library and
// ProgIDs. These are the control's public identity; stored settings and registries depend on them.
namespace vorrin::ids {

constexpr component::Guid CLSID_VorrinCtl = component::Guid::parse("{241A44CB-597F-11D1-9A00-00C04FD8DC2E}");
constexpr component::Guid IID_IVorrinCtl = component::Guid::parse("{241A44CA-597F-11D1-9A00-00C04FD8DC2E}");
constexpr component::Guid DIID_CalEvents = component::Guid::parse("{1838E701-6526-11D1-9A11-00C04FD8DC2E}");
constexpr component::Guid LIBID_VorrinLib = component::Guid::parse("{241A44BB-597F-11D1-9A00-00C04FD8DC2E}");

inline QString progId()
{
    return QStringLiteral("Halvane.VorrinCtl.1");
}
inline QString versionIndependentProgId()
{
    return QStringLiteral("Halvane.VorrinCtl");
}
inline QString classDescription()
{
    return QStringLiteral("Halvane Cal Control");
}

constexpr unsigned kTypeLibLocale = 1033;

} // namespace vorrin::ids
