#include "profile/panel/PVPropPageEnumRelay.h"

HRESULT CPVPropPageEnumRelay::NotifyParent() {
    return m_pRelayTarget ? m_pRelayTarget->NotifyParent() : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) {
    return m_pRelayTarget ? m_pRelayTarget->CtrlModified(wnd, id, setDirty) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::SetFocusCtrl(CWnd* wnd) {
    return m_pRelayTarget ? m_pRelayTarget->SetFocusCtrl(wnd) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::RequestInputFocus(CWnd* wnd) {
    return m_pRelayTarget ? m_pRelayTarget->RequestInputFocus(wnd) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::ShowError(BSTR text, BSTR helpFile, DWORD helpContext) {
    return m_pRelayTarget ? m_pRelayTarget->ShowError(text, helpFile, helpContext) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::GetParentState(VARIANT_BOOL* value, LONG which) {
    return m_pRelayTarget ? m_pRelayTarget->GetParentState(value, which) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::GetLogixMode(LONG* mode) {
    return m_pRelayTarget ? m_pRelayTarget->GetLogixMode(mode) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::GetRedundancyState(LONG* state) {
    return m_pRelayTarget ? m_pRelayTarget->GetRedundancyState(state) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::GetIPVDlgManager(IPVDlgManager** manager) {
    return m_pRelayTarget ? m_pRelayTarget->GetIPVDlgManager(manager) : E_FAIL;
}

HRESULT CPVPropPageEnumRelay::MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                         LONG* button) {
    if (m_pRelayTarget)
        return m_pRelayTarget->MessageDlg(owner, text, type, helpContext, helpFile, button);
    if (button)
        *button = -1;
    return E_FAIL;
}

HRESULT CPVPropPageEnumRelay::GetHostService(REFCLSID service, IUnknown** object) {
    return m_pRelayTarget ? m_pRelayTarget->GetHostService(service, object) : E_FAIL;
}
