#include "vorrin/server/ServerModule.h"

#include "component/ModuleObjects.h"
#include "component/ModuleVersionInfo.h"

#include <QFileInfo>

#include <atomic>

namespace vorrin {

namespace {

std::atomic<int> g_objects{0};
std::atomic<int> g_locks{0};

} // namespace

void ServerModule::objectCreated()
{
    ++g_objects;
}

void ServerModule::objectDestroyed()
{
    --g_objects;
}

void ServerModule::lock()
{
    ++g_locks;
}

void ServerModule::unlock()
{
    // A host that unlocks more often than it locked must not make the count negative and so
    // let the library go while another lock is still held.
    int current = g_locks.load();
    while (current > 0 && !g_locks.compare_exchange_weak(current, current - 1)) {
    }
}

int ServerModule::liveObjects()
{
    return g_objects.load();
}

int ServerModule::locks()
{
    return g_locks.load();
}

bool ServerModule::canUnload()
{
    // Fonts and streams made here count too: their code would vanish with the library.
    return g_objects.load() == 0 && g_locks.load() == 0 && component::ModuleObjects::count() == 0;
}

QString ServerModule::libraryPath()
{
    const QString path = component::ModuleVersionInfo::moduleContaining(
        reinterpret_cast<const void*>(&ServerModule::libraryPath));
    return QFileInfo(path).absoluteFilePath();
}

} // namespace vorrin
