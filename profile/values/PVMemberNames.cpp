#include "profile/values/PVMemberNames.h"

#include "profile/server/PVLog.h"

CString PVMemberNameAt(const CStrings& names, UINT index, std::source_location where) {
    CString name;
    if (!names.GetAt(index, name) || name.IsEmpty()) {
        CString message;
        message.Format(L"Invalid index %u or invalid member name %s returned\n", index, name.GetString());
        PVLog(message, where);
        return CString();
    }
    return name;
}

BOOL PVAddMemberName(CStrings& names, LPCWSTR name, UINT index, LPCWSTR emptyMessage,
                     std::source_location where) {
    if (!name) {
        PVLog(L"Invalid member name parameter.", where);
        return FALSE;
    }
    if (!*name) {
        PVLog(emptyMessage, where);
        return FALSE;
    }
    const UINT count = static_cast<UINT>(names.GetCount());
    if (index < count) {
        if (names.Contains(name))
            return FALSE;
        CString present;
        names.GetAt(index, present);
        if (present.IsEmpty())
            return names.Insert(name, index);
        PVLog(L"Overwriting existing member name.", where);
        return FALSE;
    }
    // Beyond the end there is no slot to fill: refused like a failed insertion.
    if (index > count || !names.Insert(name, index)) {
        PVLog(L"Failed to add member name.", where);
        return FALSE;
    }
    return TRUE;
}
