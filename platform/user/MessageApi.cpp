// Sending, posting and pumping messages, timers, and DefWindowProcW.
#include <algorithm>
#include <cwchar>
#include <optional>

#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"
#include "platform/user/KeyboardState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/TimerTable.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

namespace {

// Internal flags of WINDOWPOS set when nothing moved or nothing changed size.
constexpr UINT kNoClientChange = SWP_NOMOVE | SWP_NOSIZE;

LRESULT CopyText(const std::wstring& text, WPARAM capacity, LPARAM buffer) {
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (!out || capacity == 0)
        return 0;
    const size_t count = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::wmemcpy(out, text.c_str(), count);
    out[count] = L'\0';
    return static_cast<LRESULT>(count);
}

} // namespace

extern "C" LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CWindowTable::Instance().Send(hwnd, msg, wParam, lParam);
}

extern "C" LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageW(item, msg, wParam, lParam) : 0;
}

extern "C" BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !CWindowTable::Instance().Find(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    CMessageQueue::Instance().Post(hwnd, msg, wParam, lParam);
    return TRUE;
}

extern "C" void PostQuitMessage(int exitCode) {
    CMessageQueue::Instance().PostQuit(exitCode);
}

extern "C" BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
    return CMessageQueue::Instance().Peek(msg, hwnd, filterMin, filterMax, removeMsg);
}

extern "C" BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg || (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) &&
                 !CWindowTable::Instance().Find(hwnd))) {
        SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return -1;
    }
    CClock& clock = CClock::Instance();
    for (;;) {
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        // One thread: only a timer can bring a message while we wait. Without one the
        // wait would never end, so it fails instead of hanging.
        const bool timersWanted =
            (filterMin == 0 && filterMax == 0) || (filterMin <= WM_TIMER && WM_TIMER <= filterMax);
        const HWND timerFilter = hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)) ? nullptr : hwnd;
        const auto next = timersWanted ? CTimerTable::Instance().NextDue(timerFilter) : std::nullopt;
        if (!next) {
            SetLastError(ERROR_TIMEOUT);
            return -1;
        }
        const ULONGLONG now = clock.Now();
        clock.Sleep(static_cast<DWORD>(*next > now ? std::min<ULONGLONG>(*next - now, 0x7FFFFFFF) : 1));
    }
}

extern "C" BOOL TranslateMessage(const MSG* msg) {
    if (!msg)
        return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) ? TRUE : FALSE;
    const auto ch = CKeyboardState::Instance().CharacterOf(msg->wParam);
    if (ch)
        CMessageQueue::Instance().Post(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                                       static_cast<WPARAM>(*ch), msg->lParam);
    return TRUE;
}

extern "C" LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    CWindow* window = CWindowTable::Instance().Find(msg->hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return CWindowTable::Instance().Call(window->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

extern "C" LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CWindowTable::Instance().Call(proc, hwnd, msg, wParam, lParam);
}

extern "C" UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return CTimerTable::Instance().Set(hwnd, id, elapse, proc);
}

extern "C" BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    return CTimerTable::Instance().Kill(hwnd, id);
}

extern "C" LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindow* window = CWindowTable::Instance().Find(hwnd);
    if (!window)
        return 0;
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            window->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        window->text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT:
        return CopyText(window->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        window->needsPaint = false;
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos || (pos->flags & kNoClientChange) == kNoClientChange)
            return 0;
        const LONG inset = window->FrameInset();
        if (!(pos->flags & SWP_NOMOVE))
            SendMessageW(hwnd, WM_MOVE, 0,
                         MAKELPARAM(static_cast<WORD>(pos->x + inset), static_cast<WORD>(pos->y + inset)));
        if (!(pos->flags & SWP_NOSIZE) && IsWindow(hwnd)) {
            RECT client{};
            GetClientRect(hwnd, &client);
            SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
        }
        return 0;
    }
    default:
        // WM_SETFONT is ignored and WM_GETFONT answers null here: only the controls
        // (and the dialog manager) keep a font.
        return 0;
    }
}
