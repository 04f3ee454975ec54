// The module lock count: live class factories, outstanding LockServer(TRUE) calls and
// live page objects. DllCanUnloadNow answers S_OK only while it is zero.
#pragma once

#include "platform/base/WinTypes.h"

class CPVModuleLock {
public:
    static void Lock();
    static void Unlock();
    static LONG Count();
};
