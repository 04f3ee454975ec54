// PvTestRefuse.dll: a module whose DllMain refuses the attach.
#include "tests/platform/kernel/modules/TestModuleEvents.h"

namespace {

__attribute__((constructor)) void OnLoad() {
    RecordEvent("Refuse", "load", nullptr);
}
__attribute__((destructor)) void OnUnload() {
    RecordEvent("Refuse", "unload", nullptr);
}

} // namespace

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    RecordEvent("Refuse", ReasonName(reason), instance);
    return FALSE;
}
