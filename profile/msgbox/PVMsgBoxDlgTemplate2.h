// A message box registered with the host's dialog manager for as long as its window
// exists, so that the host knows the dialog in front of it.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/interfaces/DlgManager.h"
#include "profile/msgbox/PVMsgBoxDlgTemplate.h"

class CPVMsgBoxDlgTemplate2 : public CPVMsgBoxDlgTemplate {
public:
    using CPVMsgBoxDlgTemplate::Init;
    virtual BOOL Init(UINT style, const wchar_t* text, const wchar_t* caption, HWND owner, UINT helpId,
                      const wchar_t* helpFile, IPVDlgManager* manager);
    BOOL OnInitDialog(HWND dialog, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy(HWND dialog, WPARAM wParam, LPARAM lParam) override;

private:
    CComPtr<IPVDlgManager> m_spIPVDlgManager;
};
