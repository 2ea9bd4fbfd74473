// The four entry points of the calendar control's component server, and the library's version
// information. Nothing else is exported (the build hides every other symbol).
#include "component/Guid.h"
#include "component/HResult.h"
#include "component/ModuleVersionInfo.h"
#include "vorrin/server/ClassFactory.h"
#include "vorrin/server/Registration.h"
#include "vorrin/server/ServerModule.h"
#include "vorrin/server/VorrinIdentifiers.h"

using namespace component;

// Read from the file by hosts and by the about box; the section name must match
// ModuleVersionInfo::kSectionName.
__attribute__((used, section(".modversion"))) static const char kVersionInfo[] =
    "FileVersion=1, 4, 4, 5\n"
    "ProductVersion=1, 4, 4, 5\n"
    "ProductName=Vorrin ActiveX Control\n"
    "FileDescription=Halvane Cal ActiveX Control\n"
    "OLESelfRegister=\n";

#define VORRIN_EXPORT extern "C" __attribute__((visibility("default")))

VORRIN_EXPORT HResult DllGetClassObject(const Guid* clsid, const Guid* iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!clsid || !iid)
        return E_INVALIDARG;
    if (*clsid != vorrin::ids::CLSID_VorrinCtl)
        return CLASS_E_CLASSNOTAVAILABLE;
    Ref<IClassFactory> factory = vorrin::ClassFactory::create();
    return factory->QueryInterface(*iid, out);
}

VORRIN_EXPORT HResult DllCanUnloadNow()
{
    return vorrin::ServerModule::canUnload() ? S_OK : S_FALSE;
}

VORRIN_EXPORT HResult DllRegisterServer()
{
    return vorrin::Registration::registerServer(vorrin::ServerModule::libraryPath());
}

VORRIN_EXPORT HResult DllUnregisterServer()
{
    return vorrin::Registration::unregisterServer();
}
