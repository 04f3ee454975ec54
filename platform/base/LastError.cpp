#include "platform/base/Win32Error.h"

namespace {
// One user-interface thread, but keep it per thread as Windows does.
thread_local DWORD t_lastError = 0;
} // namespace

extern "C" DWORD GetLastError() { return t_lastError; }
extern "C" void SetLastError(DWORD code) { t_lastError = code; }
