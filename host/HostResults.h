// The host stand-in's own failure codes, outside the framework's range
// 0x80040200-0x8004022B so that a page never mistakes them for its converters'.
#pragma once

#include "platform/base/HResult.h"

// A write outside the member's minimum and maximum.
constexpr HRESULT HOST_E_OUTOFRANGE = MakeHResult(0x80042001);
// A write of a code that is not in the member's enumeration.
constexpr HRESULT HOST_E_NOTENUMCODE = MakeHResult(0x80042002);
// An enumeration operation on a member that has no enumeration.
constexpr HRESULT HOST_E_NOTENUM = MakeHResult(0x80042003);
// Unlock without Lock, or UnregisterDialog of a window never registered.
constexpr HRESULT HOST_E_NOTPAIRED = MakeHResult(0x80042004);
