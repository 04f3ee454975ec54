// The member-name list that value and event objects keep: lookup and entry with their
// log lines, written under the name of the object's method that asked.
#pragma once

#include <source_location>

#include "platform/mfc/String.h"
#include "profile/values/Strings.h"

// The name at `index`; empty (and logged) when there is none.
CString PVMemberNameAt(const CStrings& names, UINT index,
                       std::source_location where = std::source_location::current());

// Enters `name` at `index`: into an empty slot or appended; never overwrites.
// `emptyMessage` is the caller's log text for an empty name.
BOOL PVAddMemberName(CStrings& names, LPCWSTR name, UINT index, LPCWSTR emptyMessage,
                     std::source_location where = std::source_location::current());
