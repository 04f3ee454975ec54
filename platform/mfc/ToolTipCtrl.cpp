#include "platform/mfc/ToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL activate) {
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(activate));
}

void CToolTipCtrl::SetDelayTime(DWORD duration, int time) {
    SendMessage(TTM_SETDELAYTIME, duration, MAKELPARAM(static_cast<WORD>(time), 0));
}

int CToolTipCtrl::SetMaxTipWidth(int width) {
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width));
}

BOOL CToolTipCtrl::AddTool(TTTOOLINFOW* info) {
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(info)));
}

namespace {

TTTOOLINFOW ToolOf(CWnd* wnd, UINT_PTR id) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    return info;
}

} // namespace

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect, UINT_PTR id) {
    if (!wnd)
        return FALSE;
    TTTOOLINFOW info = ToolOf(wnd, id);
    if (rect) {
        info.rect = *rect;
    } else {
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    }
    info.lpszText = const_cast<LPWSTR>(text);
    return AddTool(&info);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    TTTOOLINFOW info = ToolOf(wnd, id);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR id) {
    TTTOOLINFOW info = ToolOf(wnd, id);
    info.lpszText = const_cast<LPWSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}
