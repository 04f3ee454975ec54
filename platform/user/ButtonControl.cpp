#include "platform/user/ButtonControl.h"

#include <nlohmann/json.hpp>

#include "platform/user/Controls.h"

void CButtonControl::SetPushed(bool pushed) {
    if (m_pushed != pushed) {
        m_pushed = pushed;
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

LRESULT CButtonControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON |
               ((Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
        SetFocus(m_hwnd);
        SetPushed(true);
        return 0;
    case WM_LBUTTONUP:
        if (m_pushed) {
            SetPushed(false);
            Notify(BN_CLICKED);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            SetPushed(true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_pushed) {
            SetPushed(false);
            Notify(BN_CLICKED);
        }
        return 0;
    case BM_CLICK:
        // A click as the mouse gives it; a disabled button does not react.
        if (!IsWindowEnabled(m_hwnd))
            return 0;
        SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(m_hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETSTATE:
        return (m_pushed ? BST_PUSHED : 0) | (m_focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        const DWORD style = (Style() & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFF);
        SetWindowLongW(m_hwnd, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(static_cast<DWORD_PTR>(lParam)))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    }
    case WM_SETFOCUS:
        m_focused = true;
        if (Style() & BS_NOTIFY)
            Notify(BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        SetPushed(false);
        if (Style() & BS_NOTIFY)
            Notify(BN_KILLFOCUS);
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

void CButtonControl::Describe(nlohmann::json& out) const {
    out["defaultButton"] = (Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    out["pushed"] = m_pushed;
}
