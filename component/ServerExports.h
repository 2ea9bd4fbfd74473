#pragma once

#include "component/Guid.h"
#include "component/HResult.h"

namespace component {

// The four entry points every in-process component server exports, as a host resolves them.
extern "C" {
using DllGetClassObjectFunction = HResult (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFunction = HResult (*)();
using DllRegisterServerFunction = HResult (*)();
using DllUnregisterServerFunction = HResult (*)();
}

inline constexpr const char* kDllGetClassObject = "DllGetClassObject";
inline constexpr const char* kDllCanUnloadNow = "DllCanUnloadNow";
inline constexpr const char* kDllRegisterServer = "DllRegisterServer";
inline constexpr const char* kDllUnregisterServer = "DllUnregisterServer";

} // namespace component
