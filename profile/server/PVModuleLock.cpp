#include "profile/server/PVModuleLock.h"

#include "platform/base/Interlocked.h"

namespace {
LONG g_lockCount = 0;
} // namespace

void CPVModuleLock::Lock() {
    InterlockedIncrement(&g_lockCount);
}

void CPVModuleLock::Unlock() {
    InterlockedDecrement(&g_lockCount);
}

LONG CPVModuleLock::Count() {
    return std::atomic_ref<LONG>(g_lockCount).load();
}
