#pragma once

#include "component/TypeLibrary.h"

namespace vorrin {

// The type description of the calendar control's library `VorrinLib`: the class, its dual
// interface IVorrinCtl, its event interface _CalEvents and the four enumerations, built from the
// control's own member tables so the description cannot drift from what dispatch accepts.
class VorrinTypeLibrary
{
public:
    static const component::TypeLibrary& get();
    static const component::InterfaceDescription& controlInterface();
    static const component::InterfaceDescription& eventInterface();
};

} // namespace vorrin
