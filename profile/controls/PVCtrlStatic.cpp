#include "profile/controls/PVCtrlStatic.h"

#include <cwchar>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/Controls.h"
#include "profile/server/PVLog.h"

namespace {

constexpr int kAutoPopMilliseconds = 32767;
// Two whole lines fit: the label wraps, so its tip always shows the text.
constexpr double kMultiLineLimit = 1.75;

} // namespace

void CPVCtrlStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Pointer to control is NULL, hence ToolTips not Added.");
        return;
    }
    CWnd* parent = window->GetParent();
    if (!parent) {
        PVLog(L"Pointer to parent is NULL, hence ToolTips not Added.");
        return;
    }
    parent->GetClientRect(&m_rectParentClient);
    window->GetClientRect(&m_rectCtrl);
    MapWindowPoints(window->GetSafeHwnd(), parent->GetSafeHwnd(), reinterpret_cast<POINT*>(&m_rectCtrl), 2);

    if (!m_ToolTip.GetSafeHwnd())
        m_ToolTip.Create(parent, TTS_ALWAYSTIP);
    m_ToolTip.SetDelayTime(TTDT_INITIAL, 0);
    m_ToolTip.SetDelayTime(TTDT_AUTOPOP, kAutoPopMilliseconds);
    m_ToolTip.SetDelayTime(TTDT_RESHOW, 0);

    m_toolInfo = TTTOOLINFOW{};
    m_toolInfo.cbSize = sizeof(m_toolInfo);
    m_toolInfo.uFlags = TTF_SUBCLASS;
    m_toolInfo.hwnd = parent->GetSafeHwnd();
    m_toolInfo.uId = GetDialogItemId();
    m_toolInfo.rect = m_rectCtrl;
    m_toolInfo.hinst = AfxGetResourceHandle();
}

void CPVCtrlStatic::RegisterTool(LPCWSTR text, int tipWidth) {
    if (m_toolAdded)
        m_ToolTip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&m_toolInfo));
    // The tooltip copies the text.
    m_toolInfo.lpszText = const_cast<LPWSTR>(text);
    m_toolAdded = m_ToolTip.AddTool(&m_toolInfo) != FALSE;
    m_toolInfo.lpszText = nullptr;
    m_ToolTip.SetMaxTipWidth(tipWidth);
}

void CPVCtrlStatic::SetStaticWindowText(LPCWSTR text) {
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Pointer to control is NULL, hence ToolTips not Added.");
        return;
    }
    if (!window->GetParent()) {
        PVLog(L"Pointer to parent is NULL, hence ToolTips not Added.");
        window->SetWindowText(text);
        return;
    }
    const LPCWSTR shown = text ? text : L"";
    SIZE extent{};
    if (HDC dc = GetDC(window->GetSafeHwnd())) {
        const HGDIOBJ previous = SelectObject(dc, window->GetFont());
        GetTextExtentPoint32W(dc, shown, static_cast<int>(wcslen(shown)), &extent);
        SelectObject(dc, previous);
        ReleaseDC(window->GetSafeHwnd(), dc);
    }
    RECT client{};
    window->GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int lines = extent.cy != 0 ? height / extent.cy : 0;

    if (extent.cy != 0 && lines >= kMultiLineLimit) {
        RegisterTool(shown, width);
        m_ToolTip.Activate(TRUE);
    } else if (extent.cx <= width) {
        window->ModifyStyle(SS_ENDELLIPSIS, 0);
        m_ToolTip.Activate(FALSE);
    } else {
        RegisterTool(shown, width);
        window->ModifyStyle(0, SS_ENDELLIPSIS);
        m_ToolTip.Activate(TRUE);
    }
    window->SetWindowText(shown);
}
