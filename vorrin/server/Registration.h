#pragma once

#include "component/ComponentRegistry.h"
#include "component/HResult.h"

#include <QString>

namespace vorrin {

// The calendar control's entries in the component registry: its two ProgIDs, its class key
// (server path, threading model, status bits, type library, version) and its type library.
// Installing replaces the class key whole; uninstalling removes everything it wrote except the
// shared CLSID key.
class Registration
{
public:
    static void install(component::ComponentRegistry& registry, const QString& libraryPath);
    static void uninstall(component::ComponentRegistry& registry);

    // Load, change and save the per-user registry file; SELFREG_E_CLASS when it cannot be
    // read or written.
    static component::HResult registerServer(const QString& libraryPath);
    static component::HResult unregisterServer();

    // The control's status for the content aspect: recompose on resize, cannot link inside,
    // inside-out, activate when visible, set client site first.
    static constexpr unsigned kMiscStatusContent = 131473;
};

} // namespace vorrin
