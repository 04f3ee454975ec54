#include "profile/msgbox/PVMsgBoxDlgTemplate2.h"

#include "profile/server/PVLog.h"

BOOL CPVMsgBoxDlgTemplate2::Init(UINT style, const wchar_t* text, const wchar_t* caption, HWND owner,
                                 UINT helpId, const wchar_t* helpFile, IPVDlgManager* manager) {
    if (!CPVMsgBoxDlgTemplate::Init(style, text, caption, owner, helpId, helpFile)) {
        PVLog(L"Error: Invalid argument initialization on base class");
        return FALSE;
    }
    m_spIPVDlgManager = manager;
    if (!m_spIPVDlgManager) {
        PVLog(L"Error: Pointer to m_spIPVDlgManager is invalid");
        return FALSE;
    }
    return TRUE;
}

BOOL CPVMsgBoxDlgTemplate2::OnInitDialog(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (m_spIPVDlgManager)
        m_spIPVDlgManager->RegisterDialog(dialog);
    else
        PVLog(L"Error: Pointer to m_spIPVDlgManager is invalid");
    return CPVMsgBoxDlgTemplate::OnInitDialog(dialog, wParam, lParam);
}

void CPVMsgBoxDlgTemplate2::OnDestroy(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (m_spIPVDlgManager)
        m_spIPVDlgManager->UnregisterDialog(dialog);
    else
        PVLog(L"Error: Pointer to m_spIPVDlgManager is invalid");
    CPVMsgBoxDlgTemplate::OnDestroy(dialog, wParam, lParam);
}
