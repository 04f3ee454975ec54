// PvTestModuleA.dll: a module with a DllMain that accepts, an export to look up, and a
// malformed resource image (a header cut short) that the kernel must refuse.
#include "tests/platform/kernel/modules/TestModuleEvents.h"

namespace {

__attribute__((constructor)) void OnLoad() {
    RecordEvent("A", "load", nullptr);
}
__attribute__((destructor)) void OnUnload() {
    RecordEvent("A", "unload", nullptr);
}

} // namespace

extern "C" {

// The leading empty header, then a header whose HeaderSize (0x40) runs past the end.
const unsigned char PvResourceData[] = {0x00, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00,
                                        0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04,
                                        0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x0A, 0x00};
const unsigned int PvResourceSize = sizeof PvResourceData;

int PvTestAttachCount = 0;

int PvTestModuleAnswer() {
    return 42;
}

BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == 1)
        ++PvTestAttachCount;
    RecordEvent("A", ReasonName(reason), instance);
    return TRUE;
}
}
