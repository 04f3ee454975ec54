// A tab strip of tab pages as one control of its page. Events from the page reach
// the tab pages: the life-cycle events that concern what the user sees (activate,
// deactivate, save, refresh, a control's change) only the page of the selected tab,
// the others every page. What the tab pages' controls ask for goes up to the page;
// a reported change also marks the selected tab's title.
#pragma once

#include <vector>

#include "profile/controls/PVCtrl.h"
#include "profile/panel/PVPropPageEnumRelay.h"
#include "profile/panel/PVTabCtrl.h"

class CPVTabPageEnum;

class CPVCtrlTabCtrl : public CPVTabCtrl, public CPVCtrl, public CPVPropPageEnumRelay {
public:
    explicit CPVCtrlTabCtrl(UINT dialogItemId);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // Makes `page` a control of this tab control and appends its tab. E_FAIL for a
    // null page; the page is not owned.
    HRESULT AddTabPage(CPVTabPageEnum* page, const wchar_t* title);
    BOOL IsTabCtrlDirty() const { return m_bTabsDirty; }

    // IPVCtrl
    HRESULT STDMETHODCALLTYPE SetIPVPropPageEnum(IPVPropPageEnum* page) override;
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

    // IPVEventHandler2, to every tab page.
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE DataChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override;
    HRESULT STDMETHODCALLTYPE Reverted() override;
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnCloseDlg() override;

    // The strip itself is never greyed; the tab pages' controls follow their own rules.
    bool IsCtrlEnabled() const override { return true; }

    // IPVPropPageEnum, for the tab pages: the rest goes up to this control's page.
    using CPVCtrlBase::CtrlModified;
    HRESULT STDMETHODCALLTYPE CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) override;
    HRESULT STDMETHODCALLTYPE GetPropPageEnumCWnd(CWnd** wnd) override;

protected:
    void PreSubclassWindow() override;
    // The strip with the focus is the control the page gives the focus back to.
    void OnSetFocus(CWnd* oldWnd) override;

private:
    // The tab page of the selected tab, or null when no tab is selected.
    IPVCtrl* SelectedTabPage() const;
    std::vector<IPVCtrl*> m_tabPages;
    BOOL m_bTabsDirty = FALSE;
};
