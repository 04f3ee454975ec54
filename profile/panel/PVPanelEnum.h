// A panel with controls: the page keeps the list of its controls, hands them the
// module, passes every host event on to each of them in list order and combines
// their answers, and serves them as IPVPropPageEnum.
#pragma once

#include <list>
#include <source_location>

#include "profile/contracts/IPVCtrl.h"
#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/panel/PVPanel.h"

// IPVPropPageEnum is answered after the panel's interfaces, with the panel's count.
class CPVPanelEnum : public AddInterfaces<CPVPanel, IPVPropPageEnum> {
public:
    explicit CPVPanelEnum(UINT dialogTemplateId);
    ~CPVPanelEnum() override;

    // Called by the page's constructor once per control; the control is not counted.
    HRESULT AddControlToList(IPVCtrl* control);
    LONG GetControlCount() const { return m_lCount; }

    // IPVChild events passed on to the controls.
    HRESULT STDMETHODCALLTYPE Init(IPVParent* parent) override;
    HRESULT STDMETHODCALLTYPE Save() override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE ClearDirty() override;
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    HRESULT STDMETHODCALLTYPE PostModDefChange() override;
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override;
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    HRESULT STDMETHODCALLTYPE OnDeactivate() override;

    // IPVEventHandler2 events passed on to each control's own IPVEventHandler2.
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE DataChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override;
    HRESULT STDMETHODCALLTYPE Reverted() override;
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override;

    // IPVPropPageEnum
    HRESULT STDMETHODCALLTYPE NotifyParent() override;
    HRESULT STDMETHODCALLTYPE CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) override;
    HRESULT STDMETHODCALLTYPE SetFocusCtrl(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE RequestInputFocus(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE GetPropPageEnumCWnd(CWnd** wnd) override;
    HRESULT STDMETHODCALLTYPE ShowError(BSTR text, BSTR helpFile, DWORD helpContext) override;
    HRESULT STDMETHODCALLTYPE GetParentState(VARIANT_BOOL* value, LONG which) override;
    HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) override;
    HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) override;
    HRESULT STDMETHODCALLTYPE GetIPVDlgManager(IPVDlgManager** manager) override;
    HRESULT STDMETHODCALLTYPE MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                         LONG* button) override;
    HRESULT STDMETHODCALLTYPE GetHostService(REFCLSID service, IUnknown** object) override;

    // The framework's own error range: converter and validation failures whose
    // message the control has already shown.
    static bool IsFrameworkError(HRESULT hr);

private:
    // The rule most events follow: every control is called; a failure is logged with
    // `message` and the last failure is the result.
    template <class Call>
    HRESULT BroadcastCtrl(const wchar_t* message, Call call, std::source_location where);
    template <class Call>
    HRESULT BroadcastEvent(const wchar_t* message, Call call, std::source_location where);

    std::list<IPVCtrl*> m_ctrlList;
    LONG m_lCount = 0;
};
