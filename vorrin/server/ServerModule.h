#pragma once

#include <QString>

namespace vorrin {

// The library's bookkeeping of what keeps it loaded: live objects it handed out (controls,
// class factories, and component objects such as fonts) and LockServer locks. The library may
// be unloaded only when none is left.
class ServerModule
{
public:
    static void objectCreated();
    static void objectDestroyed();
    static void lock();
    static void unlock();
    static int liveObjects();
    static int locks();
    static bool canUnload();

    // The full path of the file this code was loaded from.
    static QString libraryPath();
};

} // namespace vorrin
