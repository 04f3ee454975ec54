// The host stand-in's COM objects are RuntimeClasses (platform/com/RuntimeClass.h),
// under the names the host and its tests use: a CHostObject is born with the one
// reference that MakeHostObject hands to the caller's smart pointer.
#pragma once

#include <utility>

#include "platform/com/RuntimeClass.h"

template <class... Items> using CHostObject = RuntimeClass<Items...>;

template <class T, class... Args> CComPtr<T> MakeHostObject(Args&&... args) {
    return Make<T>(std::forward<Args>(args)...);
}
