// The interlocked counts COM reference counting uses.
#pragma once

#include <atomic>

#include "platform/base/WinTypes.h"

inline LONG InterlockedIncrement(volatile LONG* value) {
    return std::atomic_ref<LONG>(*const_cast<LONG*>(value)).fetch_add(1) + 1;
}
inline LONG InterlockedDecrement(volatile LONG* value) {
    return std::atomic_ref<LONG>(*const_cast<LONG*>(value)).fetch_sub(1) - 1;
}
inline LONG InterlockedExchange(volatile LONG* target, LONG value) {
    return std::atomic_ref<LONG>(*const_cast<LONG*>(target)).exchange(value);
}
