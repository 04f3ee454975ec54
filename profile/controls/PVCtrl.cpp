#include "profile/controls/PVCtrl.h"

#include "platform/com/ErrorInfo.h"
#include "platform/mfc/Wnd.h"
#include "platform/oleaut/BstrT.h"
#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/server/PVLog.h"
#include "profile/server/PromptInfo.h"

namespace {

// The text as a BSTR the caller owns, embedded nulls included.
_bstr_t OwnedText(const CString& text) {
    return _bstr_t(text.AllocSysString(), false);
}

} // namespace

bool CPVCtrl::IsCtrlEnabled() const {
    if (GetIgnoreSafetyLock() != 1 && GetSafetySecuredState() == kSafetySecured)
        return false;
    if (GetRedundancyState() == kRedundantPartner)
        return false;
    const LONG mode = GetLogixMode();
    return mode != kProgramModeLocked && mode != kOfflineMode;
}

HRESULT CPVCtrl::UpdateEnabledState() {
    const bool enabled = IsCtrlEnabled();
    if (CWnd* window = GetCWnd())
        window->EnableWindow(enabled ? TRUE : FALSE);
    return S_OK;
}

HRESULT CPVCtrl::ShowControl(int showCmd) {
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Failed to obtain CWnd");
        return E_FAIL;
    }
    window->ShowWindow(showCmd);
    return S_OK;
}

HRESULT CPVCtrl::OnCtrlModified() {
    return CtrlModified(GetCWnd(), m_nID);
}

CWnd* CPVCtrl::GetCWnd() const {
    CWnd* page = GetParentCWnd();
    if (!page) {
        PVLog(L"Failed to obtain parent CWnd");
        return nullptr;
    }
    CWnd* window = page->GetSafeHwnd() ? page->GetDlgItem(static_cast<int>(m_nID)) : nullptr;
    if (!window) {
        PVLog(L"Failed to obtain PVCtrl's CWnd");
        return nullptr;
    }
    return window;
}

HRESULT CPVCtrl::OnCtrlSetFocus() {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page) {
        PVLog(L"Failed to obtain IPVPropPageEnum");
        return E_FAIL;
    }
    const HRESULT hr = page->SetFocusCtrl(GetCWnd());
    if (FAILED(hr))
        PVLog(L"OnFocusChange failed");
    return hr;
}

HRESULT CPVCtrl::ShowErrorAt(IPVPropPageEnum* page, CWnd* window, BSTR text, BSTR helpFile, DWORD helpContext,
                             std::source_location where) {
    // The host moves the input focus to this page before it shows anything.
    page->RequestInputFocus(window);
    const HRESULT hr = page->ShowError(text, helpFile, helpContext);
    if (FAILED(hr)) {
        PVLog(L"Failed to display error dialog", where);
        return hr;
    }
    window->SetFocus();
    return S_OK;
}

HRESULT CPVCtrl::ShowErrorInfo(IErrorInfo** error, std::source_location where) {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page) {
        PVLog(L"Failed to obtain IPVPropPageEnum", where);
        return E_FAIL;
    }
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Failed to obtain CWnd", where);
        return E_FAIL;
    }
    _bstr_t description;
    _bstr_t helpFile;
    DWORD helpContext = 0;
    if (error && *error) {
        (*error)->GetDescription(description.GetAddress());
        (*error)->GetHelpFile(helpFile.GetAddress());
        (*error)->GetHelpContext(&helpContext);
    }
    return ShowErrorAt(page, window, description.GetBSTR(), helpFile.GetBSTR(), helpContext, where);
}

HRESULT CPVCtrl::DefaultValidationErrorHandler(LONG, BSTR, IErrorInfo** error) {
    return ShowErrorInfo(error, std::source_location::current());
}

HRESULT CPVCtrl::IErrorInfoErrorHandler(IErrorInfo** error) {
    return ShowErrorInfo(error, std::source_location::current());
}

HRESULT CPVCtrl::PromptMsgHandler(const CPromptInfo& prompt) {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page) {
        PVLog(L"Failed to obtain IPVPropPageEnum");
        return E_FAIL;
    }
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Failed to obtain CWnd");
        return E_FAIL;
    }
    const _bstr_t text = OwnedText(prompt.m_strText);
    const _bstr_t helpFile = OwnedText(prompt.m_strHelpFile);
    return ShowErrorAt(page, window, text.GetBSTR(), helpFile.GetBSTR(), prompt.m_dwHelpContext,
                       std::source_location::current());
}

LONG CPVCtrl::MessageDlg(const CPromptInfo& prompt, UINT type) {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page) {
        PVLog(L"Failed to obtain IPVPropPageEnum");
        return -1;
    }
    CWnd* window = GetCWnd();
    if (!window) {
        PVLog(L"Failed to obtain window");
        return -1;
    }
    page->RequestInputFocus(window);
    CWnd* pageWindow = GetParentCWnd();
    if (!pageWindow) {
        PVLog(L"Failed to obtain parent CWnd");
        return -1;
    }
    const HWND owner = pageWindow->GetSafeHwnd();
    if (!IsWindow(owner)) {
        PVLog(L"Failed to obtain parent hWnd");
        return -1;
    }
    const _bstr_t text = OwnedText(prompt.m_strText);
    const _bstr_t helpFile = OwnedText(prompt.m_strHelpFile);
    LONG button = -1;
    if (FAILED(page->MessageDlg(owner, text.GetBSTR(), type, prompt.m_dwHelpContext, helpFile.GetBSTR(),
                                &button)))
        button = -1;
    if (button == -1) {
        PVLog(L"Failed to display message dialog");
        return -1;
    }
    window->SetFocus();
    return button;
}
