// Window hooks: only the computer-based-training hook's window creation notice, which a
// framework uses to attach its window objects to windows while they are being created.
// One thread here, so a hook set for any thread is the process's.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT(CALLBACK*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_CBT = 5;
constexpr int HCBT_CREATEWND = 3;

// What HCBT_CREATEWND carries in lParam; wParam is the new window's handle.
struct CBT_CREATEWNDW {
    CREATESTRUCTW* lpcs;
    HWND hwndInsertAfter;
};

extern "C" {
// WH_CBT only (others: null with ERROR_INVALID_HOOK_FILTER); the newest hook is called
// first. A null procedure: null with ERROR_INVALID_PARAMETER.
HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
// FALSE with ERROR_INVALID_HOOK_HANDLE for a handle not set (or already removed).
BOOL UnhookWindowsHookEx(HHOOK hook);
// Calls the hook after the one running now (the handle is ignored, as on Windows); 0 at
// the chain's end or outside a hook.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
}
