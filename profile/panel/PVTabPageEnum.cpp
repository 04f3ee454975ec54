#include "profile/panel/PVTabPageEnum.h"

#include "profile/panel/PVCtrlBroadcast.h"
#include "profile/panel/PVTabCtrl.h"
#include "profile/server/PVLog.h"

HRESULT CPVTabPageEnum::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IUnknown::Iid || riid == IPVCtrl::Iid)
        *ppv = static_cast<IPVCtrl*>(this);
    else if (riid == IPVEventHandler2::Iid)
        *ppv = static_cast<IPVEventHandler2*>(this);
    else if (riid == IPVPropPageEnum::Iid)
        *ppv = static_cast<IPVPropPageEnum*>(this);
    else if (riid == IPVCloseDlgHandler::Iid)
        *ppv = static_cast<IPVCloseDlgHandler*>(this);
    else if (riid == IPVDocumentation::Iid)
        *ppv = static_cast<IPVDocumentation*>(this);
    else
        return E_NOINTERFACE;
    return S_OK;
}

HRESULT CPVTabPageEnum::AddControlToList(IPVCtrl* control) {
    if (!control)
        return E_FAIL;
    const HRESULT hr = control->SetIPVPropPageEnum(static_cast<IPVPropPageEnum*>(this));
    if (FAILED(hr))
        return hr;
    m_ctrlList.push_back(control);
    return S_OK;
}

template <class Call> HRESULT CPVTabPageEnum::UntilFailure(Call call) {
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = call(control);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

// IPVCtrl --------------------------------------------------------------------

HRESULT CPVTabPageEnum::SetIPVPropPageEnum(IPVPropPageEnum* parent) {
    if (!parent || GetRelayTarget())
        return E_FAIL;
    SetRelayTarget(parent);
    return S_OK;
}

HRESULT CPVTabPageEnum::SetIModule(IModule* module) {
    return UntilFailure([&](IPVCtrl* control) { return control->SetIModule(module); });
}

HRESULT CPVTabPageEnum::PreInitialActivate() {
    return UntilFailure([](IPVCtrl* control) { return control->PreInitialActivate(); });
}

HRESULT CPVTabPageEnum::OnActivate() {
    return UntilFailure([](IPVCtrl* control) { return control->OnActivate(); });
}

HRESULT CPVTabPageEnum::OnDeactivate() {
    return UntilFailure([](IPVCtrl* control) { return control->OnDeactivate(); });
}

HRESULT CPVTabPageEnum::Save() {
    return UntilFailure([](IPVCtrl* control) { return control->Save(); });
}

HRESULT CPVTabPageEnum::Refresh() {
    return UntilFailure([](IPVCtrl* control) { return control->Refresh(); });
}

HRESULT CPVTabPageEnum::ClearDirty() {
    return UntilFailure([](IPVCtrl* control) { return control->ClearDirty(); });
}

HRESULT CPVTabPageEnum::OnChangedCtrlData(CWnd* changed, UINT changedId) {
    return UntilFailure([&](IPVCtrl* control) { return control->OnChangedCtrlData(changed, changedId); });
}

HRESULT CPVTabPageEnum::ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) {
    // The first control that claims the error handles it.
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = control->ValidationErrorHandler(code, memberName, error);
        if (SUCCEEDED(hr))
            return hr;
    }
    return E_FAIL;
}

HRESULT CPVTabPageEnum::PostModDefChange() {
    HRESULT answer = E_FAIL;
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = control->PostModDefChange();
        if (SUCCEEDED(hr))
            answer = hr;
    }
    return answer;
}

// IPVEventHandler2 and IPVCloseDlgHandler ------------------------------------

HRESULT CPVTabPageEnum::LogixStateChanged(LONG state) {
    return PVToEveryHandler<IPVEventHandler2>(
        m_ctrlList, [&](IPVEventHandler2* h) { return h->LogixStateChanged(state); });
}

HRESULT CPVTabPageEnum::ModuleStatusChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_ctrlList,
                                              [](IPVEventHandler2* h) { return h->ModuleStatusChanged(); });
}

HRESULT CPVTabPageEnum::Flush() {
    return PVToEveryHandler<IPVEventHandler2>(m_ctrlList, [](IPVEventHandler2* h) { return h->Flush(); });
}

HRESULT CPVTabPageEnum::DataChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_ctrlList,
                                              [](IPVEventHandler2* h) { return h->DataChanged(); });
}

HRESULT CPVTabPageEnum::ModuleDefinitionChanged() {
    return PVToEveryHandler<IPVEventHandler2>(
        m_ctrlList, [](IPVEventHandler2* h) { return h->ModuleDefinitionChanged(); });
}

HRESULT CPVTabPageEnum::Reverted() {
    return PVToEveryHandler<IPVEventHandler2>(m_ctrlList, [](IPVEventHandler2* h) { return h->Reverted(); });
}

HRESULT CPVTabPageEnum::DirtyStateChanged() {
    return PVToEveryHandler<IPVEventHandler2>(m_ctrlList,
                                              [](IPVEventHandler2* h) { return h->DirtyStateChanged(); });
}

HRESULT CPVTabPageEnum::OnCloseDlg() {
    return PVToEveryHandler<IPVCloseDlgHandler>(m_ctrlList,
                                                [](IPVCloseDlgHandler* h) { return h->OnCloseDlg(); });
}

HRESULT CPVTabPageEnum::GetDocumentationDirtyState(VARIANT_BOOL* dirty) {
    if (!dirty) {
        PVLog(L"Pointer pUserDescriptionDirtyState is NULL");
        return E_INVALIDARG;
    }
    *dirty = VARIANT_FALSE;
    return S_OK;
}

// IPVPropPageEnum ------------------------------------------------------------

HRESULT CPVTabPageEnum::SetFocusCtrl(CWnd* wnd) {
    m_pFocusCtrl = wnd;
    return CPVPropPageEnumRelay::SetFocusCtrl(wnd);
}

HRESULT CPVTabPageEnum::RequestInputFocus(CWnd* wnd) {
    // The focus can only go to a control the user sees: this tab comes to the front
    // first, unless the tab shown now refuses to be left.
    CPVTabCtrl* tabCtrl = GetTabCtrl();
    const int index = tabCtrl ? tabCtrl->IndexOf(this) : -1;
    if (index < 0 || !GetRelayTarget())
        return E_FAIL;
    const HRESULT hr = tabCtrl->SelectTab(index);
    if (FAILED(hr))
        return hr;
    return CPVPropPageEnumRelay::RequestInputFocus(wnd);
}

HRESULT CPVTabPageEnum::GetPropPageEnumCWnd(CWnd** wnd) {
    if (!wnd)
        return E_POINTER;
    *wnd = this;
    return S_OK;
}

bool CPVTabPageEnum::MayShow() {
    return SUCCEEDED(OnActivate());
}

bool CPVTabPageEnum::MayLeave() {
    return SUCCEEDED(OnDeactivate());
}
