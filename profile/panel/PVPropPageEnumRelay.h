// The page interface of a tab control or tab page towards its own controls: it is
// their page, but what they ask for goes on to the page above it with the same
// arguments. Without a page above, every request fails (E_FAIL; MessageDlg's button
// is -1). The classes that relay override what they answer themselves.
#pragma once

#include "profile/contracts/IPVPropPageEnum.h"

class CPVPropPageEnumRelay : public IPVPropPageEnum {
public:
    HRESULT STDMETHODCALLTYPE NotifyParent() override;
    HRESULT STDMETHODCALLTYPE CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) override;
    HRESULT STDMETHODCALLTYPE SetFocusCtrl(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE RequestInputFocus(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE ShowError(BSTR text, BSTR helpFile, DWORD helpContext) override;
    HRESULT STDMETHODCALLTYPE GetParentState(VARIANT_BOOL* value, LONG which) override;
    HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) override;
    HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) override;
    HRESULT STDMETHODCALLTYPE GetIPVDlgManager(IPVDlgManager** manager) override;
    HRESULT STDMETHODCALLTYPE MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                         LONG* button) override;
    HRESULT STDMETHODCALLTYPE GetHostService(REFCLSID service, IUnknown** object) override;

protected:
    ~CPVPropPageEnumRelay() = default;

    // The page above, not counted; null until the owner is added to it.
    IPVPropPageEnum* GetRelayTarget() const { return m_pRelayTarget; }
    void SetRelayTarget(IPVPropPageEnum* target) { m_pRelayTarget = target; }

private:
    IPVPropPageEnum* m_pRelayTarget = nullptr;
};
