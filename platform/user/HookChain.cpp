#include "platform/user/HookChain.h"

#include <algorithm>

#include "platform/base/Win32Error.h"

CHookChain& CHookChain::Instance() {
    static CHookChain chain;
    return chain;
}

HHOOK CHookChain::Add(int idHook, HOOKPROC proc) {
    if (idHook != WH_CBT) {
        SetLastError(ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    if (!proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HHOOK handle = reinterpret_cast<HHOOK>(m_nextHandle);
    m_nextHandle += 4;
    m_hooks.insert(m_hooks.begin(), Hook{handle, idHook, proc});
    return handle;
}

bool CHookChain::Remove(HHOOK hook) {
    const auto removed = std::erase_if(m_hooks, [hook](const Hook& h) { return h.handle == hook; });
    if (removed == 0) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return false;
    }
    return true;
}

LRESULT CHookChain::CallAfter(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    auto it = m_hooks.begin();
    if (hook) {
        it = std::find_if(m_hooks.begin(), m_hooks.end(), [hook](const Hook& h) { return h.handle == hook; });
        if (it == m_hooks.end())
            return 0;
        ++it;
    }
    if (it == m_hooks.end())
        return 0;
    // Copied out: the procedure may unhook itself or add hooks.
    const Hook next = *it;
    const HHOOK outer = m_running;
    m_running = next.handle;
    const LRESULT result = next.proc(code, wParam, lParam);
    m_running = outer;
    return result;
}

LRESULT CHookChain::CallNext(int code, WPARAM wParam, LPARAM lParam) {
    // Outside a hook there is no next one.
    return m_running ? CallAfter(m_running, code, wParam, lParam) : 0;
}

bool CHookChain::RefusesCreation(HWND hwnd, CREATESTRUCTW* cs) {
    if (m_hooks.empty())
        return false;
    CBT_CREATEWNDW create{cs, HWND_TOP};
    return CallAfter(nullptr, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd),
                     reinterpret_cast<LPARAM>(&create)) != 0;
}

extern "C" HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    return CHookChain::Instance().Add(idHook, proc);
}

extern "C" BOOL UnhookWindowsHookEx(HHOOK hook) {
    return CHookChain::Instance().Remove(hook) ? TRUE : FALSE;
}

extern "C" LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
    // The handle is not needed: the chain knows which hook is running.
    (void)hook;
    return CHookChain::Instance().CallNext(code, wParam, lParam);
}
