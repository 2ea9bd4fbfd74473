#pragma once

#include "component/Guid.h"
#include "component/HResult.h"

#include <QString>

namespace component {

// The host's way to a component: it looks the class up in the per-user registry, loads the
// serving library (once per process), asks its class factory and hands back the wanted
// interface. Libraries stay loaded until freeUnusedLibraries() finds that they allow unloading.
// Used from the user-interface thread only.
class ComponentLoader
{
public:
    // `name` is a class identifier in braces or a ProgID. REGDB_E_CLASSNOTREG when the registry
    // does not know it, CO_E_DLLNOTFOUND / CO_E_ERRORINDLL when the library cannot be used.
    static HResult createInstance(const QString& name, const Guid& iid, void** out, QString* error = nullptr);
    static HResult getClassObject(const Guid& clsid, const Guid& iid, void** out, QString* error = nullptr);

    // Loads `libraryPath` and calls its registration entry point (or the unregistration one).
    static HResult registerServer(const QString& libraryPath, QString* error = nullptr);
    static HResult unregisterServer(const QString& libraryPath, QString* error = nullptr);

    // Unloads every library whose DllCanUnloadNow answers S_OK; returns how many were unloaded.
    static int freeUnusedLibraries();
    static int loadedLibraryCount();
    // DllCanUnloadNow of an already loaded library; E_FAIL when it is not loaded.
    static HResult canUnloadNow(const QString& libraryPath);
};

} // namespace component
