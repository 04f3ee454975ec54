// Allocation points whose failure the module entry handles (a factory, a page, a
// registration entry). Tests make one fail through the stand-in's fault injection
// under the point's name; otherwise they fail only when the allocator does.
#pragma once

#include <new>

#include "platform/base/FaultInjector.h"

inline void PVCheckAllocation(const char* point) {
    LONG ignored = 0;
    if (CFaultInjector::Instance().ShouldFail(point, &ignored))
        throw std::bad_alloc();
}
