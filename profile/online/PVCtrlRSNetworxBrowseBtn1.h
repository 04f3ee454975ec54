// The browse button of the verification report page: the user chooses the report's
// file name in the file dialog, and it is written, with ".pdf" made sure of, into the
// file-name field. Enabled online, on a module whose software option word allows
// verification reports.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/String.h"
#include "profile/controls/PVCtrl.h"
#include "profile/interfaces/Module.h"

class CPVCtrlRSNetworxBrowseBtn1 : public CButton, public CPVCtrl {
public:
    // The button's dialog item and the file-name field's.
    CPVCtrlRSNetworxBrowseBtn1(UINT buttonId, UINT editId);

    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;
    HRESULT STDMETHODCALLTYPE OnActivate() override { return UpdateEnabledState(); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return UpdateEnabledState(); }
    bool IsCtrlEnabled() const override;

protected:
    BOOL OnReflectedCommand(UINT code) override;
    void OnSetFocus(CWnd* oldWnd) override;
    virtual void OnClicked();

private:
    // The software option word "SWOPTEnabled" as a number.
    HRESULT GetAttrStringSWOPT(LONG* value) const;

    CString m_strFilter;
    CString m_strDefExt;
    UINT m_nEditId;
    CComPtr<IModuleServices> m_spIModuleServices;
};
