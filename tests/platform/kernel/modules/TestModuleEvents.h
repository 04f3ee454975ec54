// What a test module does at each step of its life, reported to the test program
// (which exports PvTestRecordEvent) so that the order can be checked after the module
// is gone.
#pragma once

#include <dlfcn.h>

#include "platform/base/WinTypes.h"

namespace {

using RecordEventProc = void (*)(const char* module, const char* event, HINSTANCE instance);

void RecordEvent(const char* module, const char* event, HINSTANCE instance) {
    if (auto record = reinterpret_cast<RecordEventProc>(dlsym(RTLD_DEFAULT, "PvTestRecordEvent")))
        record(module, event, instance);
}

[[maybe_unused]] const char* ReasonName(DWORD reason) {
    switch (reason) {
    case 0:
        return "detach";
    case 1:
        return "attach";
    default:
        return "other";
    }
}

} // namespace
