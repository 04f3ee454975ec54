// The chain of window hooks set with SetWindowsHookExW, newest first, and the calls
// into it. Window creation asks it before WM_NCCREATE.
#pragma once

#include <vector>

#include "platform/user/HookApi.h"

class CHookChain {
public:
    static CHookChain& Instance();

    HHOOK Add(int idHook, HOOKPROC proc);
    bool Remove(HHOOK hook);
    // The hook after `hook` (null: the first) called with the code; 0 when none is left.
    LRESULT CallAfter(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
    // CallNextHookEx: the hook after the one running now, as Windows ignores the handle.
    LRESULT CallNext(int code, WPARAM wParam, LPARAM lParam);
    // HCBT_CREATEWND for a window that exists but has had no message yet: true when a
    // hook refuses the window.
    bool RefusesCreation(HWND hwnd, CREATESTRUCTW* cs);

private:
    struct Hook {
        HHOOK handle;
        int id;
        HOOKPROC proc;
    };
    CHookChain() = default;

    std::vector<Hook> m_hooks; // newest first
    ULONG_PTR m_nextHandle = 0x20010;
    HHOOK m_running = nullptr;
};
