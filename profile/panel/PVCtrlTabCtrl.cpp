#include "profile/panel/PVCtrlTabCtrl.h"

#include "profile/panel/PVCtrlBroadcast.h"
#include "profile/panel/PVTabPageEnum.h"

CPVCtrlTabCtrl::CPVCtrlTabCtrl(UINT dialogItemId) : CPVCtrl(dialogItemId) {
    ShowModifiedMarker(TRUE);
}

HRESULT CPVCtrlTabCtrl::QueryInterface(REFIID riid, void** ppv) {
    const HRESULT hr = CPVCtrlBase::QueryInterface(riid, ppv);
    if (hr != E_NOINTERFACE || riid != IPVPropPageEnum::Iid)
        return hr;
    *ppv = static_cast<IPVPropPageEnum*>(this);
    return S_OK;
}

HRESULT CPVCtrlTabCtrl::AddTabPage(CPVTabPageEnum* page, const wchar_t* title) {
    if (!page)
        return E_FAIL;
    IPVPropPageEnum* self = nullptr;
    if (FAILED(QueryInterface(IPVPropPageEnum::Iid, reinterpret_cast<void**>(&self))) || !self)
        return E_FAIL;
    IPVCtrl* control = static_cast<IPVCtrl*>(page);
    const HRESULT hr = control->SetIPVPropPageEnum(self);
    if (FAILED(hr))
        return hr;
    m_tabPages.push_back(control);
    if (FAILED(AddTab(page, title))) {
        m_tabPages.pop_back();
        return E_FAIL;
    }
    return S_OK;
}

void CPVCtrlTabCtrl::PreSubclassWindow() {
    CPVTabCtrl::PreSubclassWindow();
    ModifyStyle(0, TCS_FOCUSONBUTTONDOWN | TCS_BUTTONS);
}

void CPVCtrlTabCtrl::OnSetFocus(CWnd* oldWnd) {
    CPVTabCtrl::OnSetFocus(oldWnd);
    if (IPVPropPageEnum* page = GetRelayTarget())
        page->SetFocusCtrl(this);
}

IPVCtrl* CPVCtrlTabCtrl::SelectedTabPage() const {
    const int selected = GetCurSel();
    return selected >= 0 && static_cast<size_t>(selected) < m_tabPages.size()
               ? m_tabPages[static_cast<size_t>(selected)]
               : nullptr;
}

// IPVCtrl --------------------------------------------------------------------

HRESULT CPVCtrlTabCtrl::SetIPVPropPageEnum(IPVPropPageEnum* page) {
    const HRESULT hr = CPVCtrlBase::SetIPVPropPageEnum(page);
    // Kept for the relay too, so that passing a request up needs no accessor that logs.
    if (SUCCEEDED(hr))
        SetRelayTarget(page);
    return hr;
}

HRESULT CPVCtrlTabCtrl::SetIModule(IModule* module) {
    if (!module)
        return E_FAIL;
    for (IPVCtrl* page : m_tabPages) {
        const HRESULT hr = page->SetIModule(module);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CPVCtrlTabCtrl::PreInitialActivate() {
    for (IPVCtrl* page : m_tabPages) {
        const HRESULT hr = page->PreInitialActivate();
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

// A strip without a selected tab shows no page, so there is nothing to activate,
// save or refresh: these answer S_OK.

HRESULT CPVCtrlTabCtrl::OnActivate() {
    IPVCtrl* page = SelectedTabPage();
    return page ? page->OnActivate() : S_OK;
}

HRESULT CPVCtrlTabCtrl::OnDeactivate() {
    IPVCtrl* page = SelectedTabPage();
    return page ? page->OnDeactivate() : S_OK;
}

HRESULT CPVCtrlTabCtrl::Save() {
    // The other tabs' changes were written when the user left them.
    IPVCtrl* page = SelectedTabPage();
    return page ? page->Save() : S_OK;
}

HRESULT CPVCtrlTabCtrl::Refresh() {
    IPVCtrl* page = SelectedTabPage();
    return page ? page->Refresh() : S_OK;
}

HRESULT CPVCtrlTabCtrl::OnChangedCtrlData(CWnd* changed, UINT changedId) {
    IPVCtrl* page = SelectedTabPage();
    return page ? page->OnChangedCtrlData(changed, changedId) : S_OK;
}

HRESULT CPVCtrlTabCtrl::ClearDirty() {
    m_bTabsDirty = FALSE;
    RemoveModifiedMarkers();
    for (IPVCtrl* page : m_tabPages) {
        const HRESULT hr = page->ClearDirty();
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CPVCtrlTabCtrl::ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) {
    for (IPVCtrl* page : m_tabPages) {
        const HRESULT hr = page->ValidationErrorHandler(code, memberName, error);
        if (SUCCEEDED(hr))
            return hr;
    }
    return E_FAIL;
}

HRESULT CPVCtrlTabCtrl::PostModDefChange() {
    bool changed = false;
    for (IPVCtrl* page : m_tabPages)
        if (page->PostModDefChange() == S_OK)
            changed = true;
    return changed ? S_OK : S_FALSE;
}

// IPVEventHandler2 and IPVCloseDlgHandler ------------------------------------

HRESULT CPVCtrlTabCtrl::LogixStateChanged(LONG state) {
    return PVToEveryHandler<IPVEventHandler2>(
        m_tabPages, [&](IPVEventHandler2* h) { return h->LogixStateChanged(state); });
}

HRESULT CPVCtrlTabCtrl::ModuleStatusChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_tabPages,
                                              [](IPVEventHandler2* h) { return h->ModuleStatusChanged(); });
}

HRESULT CPVCtrlTabCtrl::Flush() {
    return PVToEveryHandler<IPVEventHandler2>(m_tabPages, [](IPVEventHandler2* h) { return h->Flush(); });
}

HRESULT CPVCtrlTabCtrl::DataChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_tabPages,
                                              [](IPVEventHandler2* h) { return h->DataChanged(); });
}

HRESULT CPVCtrlTabCtrl::ModuleDefinitionChanged() {
    return PVToEveryHandler<IPVEventHandler2>(
        m_tabPages, [](IPVEventHandler2* h) { return h->ModuleDefinitionChanged(); });
}

HRESULT CPVCtrlTabCtrl::Reverted() {
    return PVToEveryHandler<IPVEventHandler2>(m_tabPages, [](IPVEventHandler2* h) { return h->Reverted(); });
}

HRESULT CPVCtrlTabCtrl::DirtyStateChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_tabPages,
                                              [](IPVEventHandler2* h) { return h->DirtyStateChanged(); });
}

HRESULT CPVCtrlTabCtrl::OnCloseDlg() {
    return PVToEveryHandler<IPVCloseDlgHandler>(m_tabPages,
                                                [](IPVCloseDlgHandler* h) { return h->OnCloseDlg(); });
}

// IPVPropPageEnum ------------------------------------------------------------

HRESULT CPVCtrlTabCtrl::CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) {
    const HRESULT hr = CPVPropPageEnumRelay::CtrlModified(wnd, id, setDirty);
    if (SUCCEEDED(hr) && setDirty) {
        MarkCurrentTabModified();
        m_bTabsDirty = TRUE;
    }
    return hr;
}

HRESULT CPVCtrlTabCtrl::GetPropPageEnumCWnd(CWnd** wnd) {
    if (!wnd)
        return E_POINTER;
    *wnd = static_cast<CPVTabCtrl*>(this);
    return S_OK;
}
