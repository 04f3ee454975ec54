// Ties a framework object to the window being created from that window's very first
// message on: a computer-based-training hook claims the next window created on the
// thread for the pending object and subclasses it, so that the object sees WM_CREATE,
// WM_SETFONT and WM_INITDIALOG, as the framework's creation does.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/user/HookApi.h"

class CWnd;

class CCreateHook {
public:
    // Waits for the next window to be created and gives it to `wnd`.
    explicit CCreateHook(CWnd* wnd);
    // Removes the hook; a window never created leaves the object as it was.
    ~CCreateHook();
    CCreateHook(const CCreateHook&) = delete;
    CCreateHook& operator=(const CCreateHook&) = delete;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hook = nullptr;
    CWnd* m_previousPending = nullptr;
};
