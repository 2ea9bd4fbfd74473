#include "component/ModuleObjects.h"

#include <atomic>

namespace component {

namespace {

std::atomic<int> g_live{0};

} // namespace

void ModuleObjects::created()
{
    ++g_live;
}

void ModuleObjects::destroyed()
{
    --g_live;
}

int ModuleObjects::count()
{
    return g_live.load();
}

} // namespace component
