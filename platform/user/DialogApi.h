// Dialogs built from templates: creation (modeless and modal), the dialog class
// "#32770" and its default procedure, keyboard navigation, and dialog units.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/user/DialogTemplate.h"
#include "platform/user/WinUser.h"

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

// The dialog class, as an atom-like name.
inline constexpr const wchar_t* WC_DIALOGW = L"#32770";

constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;

// Dialog styles (DS_SETFONT and DS_FIXEDSYS come with the template reader).
constexpr DWORD DS_ABSALIGN = 0x01;
constexpr DWORD DS_SYSMODAL = 0x02;
constexpr DWORD DS_LOCALEDIT = 0x20;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_NOIDLEMSG = 0x100;
constexpr DWORD DS_SETFOREGROUND = 0x200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD WS_DLGFRAME = 0x00400000;

// The dialog's window extra bytes, as on 64-bit Windows.
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DLGWINDOWEXTRA = 30;

// WM_GETDLGCODE answers the dialog manager looks for besides those of WinUser.h.
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;

// Templates given in memory come without a size; they are read with this bound, so a
// template whose counts run past it is refused rather than read without end.
constexpr size_t kIndirectTemplateBound = 0x10000;

extern "C" {
// Null on failure: a template that is cut short or inconsistent (ERROR_INVALID_DATA), a
// control of an unknown class (ERROR_CANNOT_FIND_WND_CLASS), a missing resource (the
// resource lookup's error).
HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM initParam);
HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam);
// The owner is disabled while the dialog runs and its messages are pumped (the pump's
// pre-translate hook first, then IsDialogMessageW) until EndDialog; answers EndDialog's
// result. Once the dialog is shown, the user's hand does what was armed for the next
// dialog. -1 when the dialog cannot be created, and also when nothing is queued and no
// timer is pending while it runs (ERROR_TIMEOUT): one thread, so no one could ever end it.
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND owner, DLGPROC proc,
                                LPARAM initParam);
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcW(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL IsDialogMessageW(HWND dialog, MSG* msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
BOOL MapDialogRect(HWND dialog, RECT* rect);
}
