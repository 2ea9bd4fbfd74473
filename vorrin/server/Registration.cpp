#include "vorrin/server/Registration.h"

#include "vorrin/server/VorrinIdentifiers.h"
#include "vorrin/server/VorrinTypeLibrary.h"

namespace vorrin {

using namespace component;

namespace {

QString classKey()
{
    return QStringLiteral("CLSID\\") + ids::CLSID_VorrinCtl.toString();
}

} // namespace

void Registration::install(ComponentRegistry& registry, const QString& libraryPath)
{
    const QString description = ids::classDescription();
    const QString progId = ids::progId();
    const QString independent = ids::versionIndependentProgId();
    const QString clsid = ids::CLSID_VorrinCtl.toString();

    registry.setValue(progId, {}, description);
    registry.setValue(progId + QStringLiteral("\\CLSID"), {}, clsid);
    registry.createKey(progId + QStringLiteral("\\Insertable"));
    registry.setValue(independent, {}, description);
    registry.setValue(independent + QStringLiteral("\\CurVer"), {}, progId);
    registry.createKey(QStringLiteral("CLSID"));

    const QString key = classKey();
    registry.removeKey(key); // replaced whole
    registry.setValue(key, {}, description);
    registry.setValue(key + QStringLiteral("\\ProgID"), {}, progId);
    registry.setValue(key + QStringLiteral("\\VersionIndependentProgID"), {}, independent);
    registry.createKey(key + QStringLiteral("\\Programmable"));
    registry.createKey(key + QStringLiteral("\\Control"));
    registry.createKey(key + QStringLiteral("\\Insertable"));
    registry.setValue(key + QStringLiteral("\\InprocServer32"), {}, libraryPath);
    registry.setValue(key + QStringLiteral("\\InprocServer32"), QStringLiteral("ThreadingModel"),
                      QStringLiteral("Apartment"));
    registry.setValue(key + QStringLiteral("\\ToolboxBitmap32"), {}, libraryPath + QStringLiteral(", 1"));
    registry.setValue(key + QStringLiteral("\\MiscStatus"), {}, QStringLiteral("0"));
    registry.setValue(key + QStringLiteral("\\MiscStatus\\1"), {}, QString::number(kMiscStatusContent));
    registry.setValue(key + QStringLiteral("\\TypeLib"), {}, ids::LIBID_VorrinLib.toString());
    registry.setValue(key + QStringLiteral("\\Version"), {}, QStringLiteral("1.0"));

    VorrinTypeLibrary::get().registerIn(registry, libraryPath);
}

void Registration::uninstall(ComponentRegistry& registry)
{
    registry.removeKey(ids::progId());
    registry.removeKey(ids::versionIndependentProgId());
    registry.removeKey(classKey());
    // The CLSID key itself is shared by every class and is never removed.
    VorrinTypeLibrary::get().unregisterFrom(registry);
}

HResult Registration::registerServer(const QString& libraryPath)
{
    ComponentRegistry registry;
    if (!registry.load())
        return SELFREG_E_CLASS;
    install(registry, libraryPath);
    return registry.save() ? S_OK : SELFREG_E_CLASS;
}

HResult Registration::unregisterServer()
{
    ComponentRegistry registry;
    if (!registry.load())
        return SELFREG_E_CLASS;
    uninstall(registry);
    return registry.save() ? S_OK : SELFREG_E_CLASS;
}

} // namespace vorrin
