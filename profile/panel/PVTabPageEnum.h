// A tab page of controls: towards its tab control it is one control (IPVCtrl and
// the control's own events), towards its controls it is their page (IPVPropPageEnum).
// Events from above reach its controls in list order; what its controls ask for goes
// up to the tab control, except that a control asking for the input focus first
// brings this tab to the front. The page is a member of its page object, so its
// reference counting counts nothing.
#pragma once

#include <list>

#include "profile/contracts/IPVCloseDlgHandler.h"
#include "profile/contracts/IPVCtrl.h"
#include "profile/interfaces/Panel.h"
#include "profile/panel/PVPropPageEnumRelay.h"
#include "profile/panel/PVTabPage.h"

class CPVTabPageEnum : public CPVTabPage,
                       public IPVCtrl,
                       public CPVPropPageEnumRelay,
                       public IPVEventHandler2,
                       public IPVCloseDlgHandler,
                       public IPVDocumentation {
public:
    explicit CPVTabPageEnum(UINT templateId) : CPVTabPage(templateId) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // E_FAIL for a null control; the control is not counted.
    HRESULT AddControlToList(IPVCtrl* control);
    // The control that last reported the focus, or null.
    CWnd* GetFocusCtrl() const { return m_pFocusCtrl; }

    // IPVCtrl, over the controls in list order.
    HRESULT STDMETHODCALLTYPE SetIPVPropPageEnum(IPVPropPageEnum* parent) override;
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override;
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    HRESULT STDMETHODCALLTYPE OnDeactivate() override;
    HRESULT STDMETHODCALLTYPE Save() override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE ClearDirty() override;
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    HRESULT STDMETHODCALLTYPE PostModDefChange() override;

    // IPVEventHandler2, to each control's own handler.
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE DataChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override;
    HRESULT STDMETHODCALLTYPE Reverted() override;
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override { return S_OK; }

    // IPVCloseDlgHandler
    HRESULT STDMETHODCALLTYPE OnCloseDlg() override;

    // IPVDocumentation
    HRESULT STDMETHODCALLTYPE GetDocumentationDirtyState(VARIANT_BOOL* dirty) override;

    // IPVPropPageEnum: the rest goes up to the tab control.
    HRESULT STDMETHODCALLTYPE SetFocusCtrl(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE RequestInputFocus(CWnd* wnd) override;
    HRESULT STDMETHODCALLTYPE GetPropPageEnumCWnd(CWnd** wnd) override;

    // Entering the tab activates its controls (they load); leaving it deactivates them
    // (they save), and a control that fails keeps the tab in front.
    bool MayShow() override;
    bool MayLeave() override;

private:
    // Every control in list order until the first failure, which is the answer.
    template <class Call> HRESULT UntilFailure(Call call);
    CWnd* m_pFocusCtrl = nullptr;
    std::list<IPVCtrl*> m_ctrlList;
};
