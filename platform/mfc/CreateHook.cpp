#include "platform/mfc/CreateHook.h"

#include "platform/mfc/Wnd.h"
#include "platform/user/HookApi.h"
#include "platform/user/WinUser.h"

namespace {

// The object waiting for its window. Creations nest (a window's WM_CREATE may create
// another framework window), so each hook keeps the one it displaced.
CWnd* g_pending = nullptr;
HHOOK g_current = nullptr;

} // namespace

CCreateHook::CCreateHook(CWnd* wnd) : m_previousPending(g_pending) {
    g_pending = wnd;
    m_hook = SetWindowsHookExW(WH_CBT, &CCreateHook::Filter, nullptr, 0);
    g_current = m_hook;
}

CCreateHook::~CCreateHook() {
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    g_pending = m_previousPending;
}

LRESULT CALLBACK CCreateHook::Filter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_pending) {
        CWnd* wnd = g_pending;
        g_pending = nullptr;
        wnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(g_current, code, wParam, lParam);
}
