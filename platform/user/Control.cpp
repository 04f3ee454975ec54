#include "platform/user/Control.h"

#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

CControl* CControl::From(HWND hwnd) {
    CWindow* window = CWindowTable::Instance().Find(hwnd);
    return window ? window->control.get() : nullptr;
}

CControl* CControl::Attach(HWND hwnd, std::unique_ptr<CControl> control) {
    CWindow* window = CWindowTable::Instance().Find(hwnd);
    if (!window)
        return nullptr;
    window->control = std::move(control);
    return window->control.get();
}

void CControl::Retire(HWND hwnd) {
    CWindow* window = CWindowTable::Instance().Find(hwnd);
    if (window && window->control)
        CWindowTable::Instance().Retire(std::move(window->control));
}

LRESULT CControl::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(static_cast<DWORD_PTR>(lParam)))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    default:
        return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

void CControl::Notify(WORD code) {
    HWND parent = GetParent(m_hwnd);
    if (!parent)
        return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Id()), code),
                 reinterpret_cast<LPARAM>(m_hwnd));
}

int CControl::Id() const {
    return GetDlgCtrlID(m_hwnd);
}

DWORD CControl::Style() const {
    return static_cast<DWORD>(GetWindowLongW(m_hwnd, GWL_STYLE));
}

bool CControl::IsEnabled() const {
    return IsWindowEnabled(m_hwnd) != FALSE;
}
