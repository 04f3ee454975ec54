// The message boxes callers show: laid out and built by the profile, labelled in the
// host's language. A help context above 0x30000 adds a Help button. Both answer the
// pressed button's id, or -1 when the box could not be shown.
#pragma once

#include "platform/base/WinTypes.h"

struct IPVDlgManager;

INT_PTR PVMsgBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style, UINT helpId,
                 const wchar_t* helpFile);
// The same, with the box registered with the host's dialog manager while it is shown.
INT_PTR PVMsgBox(IPVDlgManager* manager, HWND owner, const wchar_t* text, const wchar_t* caption, UINT style,
                 UINT helpId, const wchar_t* helpFile);
