#include "platform/user/StaticControl.h"

#include <nlohmann/json.hpp>

#include "platform/user/Controls.h"

LRESULT CStaticControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case STM_SETICON: {
        const HICON previous = m_icon;
        m_icon = reinterpret_cast<HICON>(wParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        return Default(msg, wParam, lParam);
    }
}

void CStaticControl::Describe(nlohmann::json& out) const {
    if ((Style() & SS_TYPEMASK) == SS_ICON)
        out["icon"] = reinterpret_cast<ULONG_PTR>(m_icon);
    out["endEllipsis"] = (Style() & SS_ENDELLIPSIS) != 0;
}
