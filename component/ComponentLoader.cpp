#include "component/ComponentLoader.h"

#include "component/ComponentRegistry.h"
#include "component/ServerExports.h"
#include "component/Unknown.h"

#include <QFileInfo>
#include <QLibrary>
#include <QList>

#include <memory>
#include <vector>

namespace component {

namespace {

struct LoadedLibrary
{
    QString path;
    std::unique_ptr<QLibrary> library;
};

std::vector<LoadedLibrary>& loaded()
{
    static std::vector<LoadedLibrary> libraries;
    return libraries;
}

QString canonical(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? path : c;
}

QLibrary* libraryFor(const QString& path, QString* error)
{
    const QString key = canonical(path);
    for (const LoadedLibrary& l : loaded())
        if (l.path == key)
            return l.library.get();
    auto lib = std::make_unique<QLibrary>(key);
    if (!lib->load()) {
        if (error)
            *error = QStringLiteral("Cannot load %1: %2").arg(path, lib->errorString());
        return nullptr;
    }
    QLibrary* raw = lib.get();
    loaded().push_back({key, std::move(lib)});
    return raw;
}

template <class F> F entryPoint(QLibrary* lib, const char* name, QString* error)
{
    auto f = reinterpret_cast<F>(lib->resolve(name));
    if (!f && error)
        *error = QStringLiteral("%1 does not export %2").arg(lib->fileName(), QLatin1String(name));
    return f;
}

} // namespace

HResult ComponentLoader::getClassObject(const Guid& clsid, const Guid& iid, void** out, QString* error)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    ComponentRegistry registry;
    if (!registry.load(error))
        return REGDB_E_CLASSNOTREG;
    const QString path = registry.inprocServerPath(clsid);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("The class %1 is not registered").arg(clsid.toString());
        return REGDB_E_CLASSNOTREG;
    }
    if (!QFileInfo::exists(path)) {
        if (error)
            *error =
                QStringLiteral("The library %1 registered for %2 does not exist").arg(path, clsid.toString());
        return CO_E_DLLNOTFOUND;
    }
    QLibrary* lib = libraryFor(path, error);
    if (!lib)
        return CO_E_DLLNOTFOUND;
    const auto get = entryPoint<DllGetClassObjectFunction>(lib, kDllGetClassObject, error);
    if (!get)
        return CO_E_ERRORINDLL;
    return get(&clsid, &iid, out);
}

HResult ComponentLoader::createInstance(const QString& name, const Guid& iid, void** out, QString* error)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    ComponentRegistry registry;
    if (!registry.load(error))
        return REGDB_E_CLASSNOTREG;
    const std::optional<Guid> clsid = registry.classIdOf(name);
    if (!clsid) {
        if (error)
            *error = QStringLiteral("The class \"%1\" is not registered").arg(name);
        return REGDB_E_CLASSNOTREG;
    }
    Ref<IClassFactory> factory;
    const HResult hr = getClassObject(*clsid, IClassFactory::iid, factory.put(), error);
    if (failed(hr))
        return hr;
    return factory->CreateInstance(nullptr, iid, out);
}

HResult ComponentLoader::registerServer(const QString& libraryPath, QString* error)
{
    QLibrary* lib = libraryFor(libraryPath, error);
    if (!lib)
        return CO_E_DLLNOTFOUND;
    const auto reg = entryPoint<DllRegisterServerFunction>(lib, kDllRegisterServer, error);
    return reg ? reg() : CO_E_ERRORINDLL;
}

HResult ComponentLoader::unregisterServer(const QString& libraryPath, QString* error)
{
    QLibrary* lib = libraryFor(libraryPath, error);
    if (!lib)
        return CO_E_DLLNOTFOUND;
    const auto unreg = entryPoint<DllUnregisterServerFunction>(lib, kDllUnregisterServer, error);
    return unreg ? unreg() : CO_E_ERRORINDLL;
}

HResult ComponentLoader::canUnloadNow(const QString& libraryPath)
{
    const QString key = canonical(libraryPath);
    for (const LoadedLibrary& l : loaded()) {
        if (l.path == key) {
            const auto can = entryPoint<DllCanUnloadNowFunction>(l.library.get(), kDllCanUnloadNow, nullptr);
            return can ? can() : E_FAIL;
        }
    }
    return E_FAIL;
}

int ComponentLoader::freeUnusedLibraries()
{
    int unloaded = 0;
    auto& libs = loaded();
    for (auto it = libs.begin(); it != libs.end();) {
        const auto can = entryPoint<DllCanUnloadNowFunction>(it->library.get(), kDllCanUnloadNow, nullptr);
        if (can && can() == S_OK) {
            it->library->unload();
            it = libs.erase(it);
            ++unloaded;
        } else {
            ++it;
        }
    }
    return unloaded;
}

int ComponentLoader::loadedLibraryCount()
{
    return static_cast<int>(loaded().size());
}

} // namespace component
