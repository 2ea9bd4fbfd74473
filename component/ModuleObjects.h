#pragma once

namespace component {

// Counts the component objects this copy of the component library created and that are still
// alive. A server library links its own copy, so the count tells whether a host still holds an
// object (a font, a stream) whose code lives in that library: it must not be unloaded then.
class ModuleObjects
{
public:
    static void created();
    static void destroyed();
    static int count();
};

} // namespace component
