// PvTestPlain.dll: no DllMain and no resources of its own, but linked against modules
// that have both (PvTestModuleA.dll, PvTestResources.dll), so that a lookup which
// strays into a dependency shows.
#include "tests/platform/kernel/modules/TestModuleEvents.h"

namespace {

__attribute__((constructor)) void OnLoad() {
    RecordEvent("Plain", "load", nullptr);
}
__attribute__((destructor)) void OnUnload() {
    RecordEvent("Plain", "unload", nullptr);
}

} // namespace

extern "C" int PvTestPlainAnswer() {
    return 7;
}
