#include "profile/panel/PVPanelEnum.h"

#include "platform/com/ComError.h"
#include "platform/mfc/ModuleState.h"
#include "profile/interfaces/DlgManager.h"
#include "profile/server/PVLog.h"

namespace {

constexpr HRESULT kFrameworkErrorFirst = static_cast<HRESULT>(0x80040200);
constexpr HRESULT kFrameworkErrorEnd = static_cast<HRESULT>(0x8004022C);

} // namespace

CPVPanelEnum::CPVPanelEnum(UINT dialogTemplateId) : AddInterfaces(dialogTemplateId) {}

CPVPanelEnum::~CPVPanelEnum() {
    // The controls are members of the page; only the entries go.
    m_ctrlList.clear();
    m_lCount = 0;
}

bool CPVPanelEnum::IsFrameworkError(HRESULT hr) {
    // Unsigned comparison: the range lies among the negative codes.
    const auto code = static_cast<DWORD>(hr);
    return code >= static_cast<DWORD>(kFrameworkErrorFirst) && code < static_cast<DWORD>(kFrameworkErrorEnd);
}

HRESULT CPVPanelEnum::AddControlToList(IPVCtrl* control) {
    if (!control) {
        PVLog(L"Bad input parameter.");
        return E_INVALIDARG;
    }
    const HRESULT hr = control->SetIPVPropPageEnum(static_cast<IPVPropPageEnum*>(this));
    if (FAILED(hr)) {
        PVLog(L"Unable to set control's IPVPropPageEnum.");
        return hr;
    }
    m_ctrlList.push_back(control);
    ++m_lCount;
    return S_OK;
}

template <class Call>
HRESULT CPVPanelEnum::BroadcastCtrl(const wchar_t* message, Call call, std::source_location where) {
    HRESULT result = S_OK;
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = call(control);
        if (FAILED(hr)) {
            PVLog(message, where);
            result = hr;
        }
    }
    return result;
}

template <class Call>
HRESULT CPVPanelEnum::BroadcastEvent(const wchar_t* message, Call call, std::source_location where) {
    HRESULT result = S_OK;
    for (IPVCtrl* control : m_ctrlList) {
        CComPtr<IPVEventHandler2> handler;
        if (FAILED(control->QueryInterface(IPVEventHandler2::Iid, reinterpret_cast<void**>(&handler))) ||
            !handler) {
            PVLog(L"Control does not support IPVEventHandler2.", where);
            continue;
        }
        const HRESULT hr = call(handler.p());
        if (FAILED(hr)) {
            PVLog(message, where);
            result = hr;
        }
    }
    return result;
}

// IPVChild events ------------------------------------------------------------

HRESULT CPVPanelEnum::Init(IPVParent* parent) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!parent) {
        PVLog(L"Invalid parameter.");
        return E_INVALIDARG;
    }
    if (FAILED(CPVPanel::Init(parent)))
        return E_FAIL;
    CComPtr<IModule> module;
    if (FAILED(parent->GetModule(&module)) || !module) {
        PVLog(L"Unable to get IModule interface.");
        return E_UNEXPECTED;
    }
    return BroadcastCtrl(
        L"IPVCtrl::SetIModule() failed.", [&](IPVCtrl* control) { return control->SetIModule(module); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::Save() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::Save()))
        return E_FAIL;
    HRESULT result = S_OK;
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = control->Save();
        if (FAILED(hr)) {
            // The control has shown its message already; the other controls wait.
            if (IsFrameworkError(hr))
                return hr;
            PVLog(L"A control failed to handle save event.");
            result = hr;
        }
    }
    return result;
}

HRESULT CPVPanelEnum::Refresh() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::Refresh()))
        return E_FAIL;
    return BroadcastCtrl(
        L"A control failed to handle the refresh event.", [](IPVCtrl* control) { return control->Refresh(); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::ClearDirty() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::ClearDirty()))
        return E_FAIL;
    return BroadcastCtrl(
        L"A control failed to handle the clear dirty event.",
        [](IPVCtrl* control) { return control->ClearDirty(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    HRESULT result = CPVPanel::ValidationErrorHandler(code, memberName, error);
    if (SUCCEEDED(result))
        return result;
    // The first control that claims the error handles it.
    for (IPVCtrl* control : m_ctrlList) {
        result = control->ValidationErrorHandler(code, memberName, error);
        if (SUCCEEDED(result))
            return result;
    }
    return result;
}

HRESULT CPVPanelEnum::PostModDefChange() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::PostModDefChange()))
        PVLog(L"CPVPanel failed PostModDefChange().");
    bool changed = false;
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = control->PostModDefChange();
        if (FAILED(hr))
            PVLog(L"Control failed PostModDefChange().");
        else if (hr == S_OK)
            changed = true;
    }
    return changed ? S_OK : S_FALSE;
}

HRESULT CPVPanelEnum::PreInitialActivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::PreInitialActivate()))
        return E_FAIL;
    return BroadcastCtrl(
        L"A control failed to handle the pre-initial activate event.",
        [](IPVCtrl* control) { return control->PreInitialActivate(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::OnActivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::OnActivate()))
        return E_FAIL;
    return BroadcastCtrl(
        L"A control failed to handle the on activate event.",
        [](IPVCtrl* control) { return control->OnActivate(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::OnDeactivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::OnDeactivate()))
        return E_FAIL;
    // A control keeps its page from being left by failing, so the first failure ends it.
    for (IPVCtrl* control : m_ctrlList) {
        const HRESULT hr = control->OnDeactivate();
        if (FAILED(hr)) {
            if (!IsFrameworkError(hr))
                PVLog(L"Unknown error returned from OnDeactivate.");
            return hr;
        }
    }
    return S_OK;
}

// IPVEventHandler2 events ----------------------------------------------------

HRESULT CPVPanelEnum::LogixStateChanged(LONG state) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::LogixStateChanged(state)))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the logix state change event.",
        [&](IPVEventHandler2* handler) { return handler->LogixStateChanged(state); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::ModuleStatusChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::ModuleStatusChanged()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the module status change event.",
        [](IPVEventHandler2* handler) { return handler->ModuleStatusChanged(); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::Flush() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::Flush()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the flush event.",
        [](IPVEventHandler2* handler) { return handler->Flush(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::DataChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::DataChanged()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the data changed event.",
        [](IPVEventHandler2* handler) { return handler->DataChanged(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::ModuleDefinitionChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::ModuleDefinitionChanged()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the module definition changed event.",
        [](IPVEventHandler2* handler) { return handler->ModuleDefinitionChanged(); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::Reverted() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::Reverted()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the reverted event.",
        [](IPVEventHandler2* handler) { return handler->Reverted(); }, std::source_location::current());
}

HRESULT CPVPanelEnum::DirtyStateChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanel::DirtyStateChanged()))
        return E_FAIL;
    return BroadcastEvent(
        L"A control failed to handle the dirty state change event.",
        [](IPVEventHandler2* handler) { return handler->DirtyStateChanged(); },
        std::source_location::current());
}

// IPVPropPageEnum ------------------------------------------------------------
// The controls call these from inside the page's own operations, so the module
// state is already this module's.

namespace {

// The parent, or null; the failure of the query stays inside the page.
CComPtr<IPVParent> ParentOf(CPVPanel& panel) {
    try {
        return panel.GetIPVParent();
    } catch (const _com_error&) {
        return nullptr;
    }
}

} // namespace

HRESULT CPVPanelEnum::NotifyParent() {
    CComPtr<IPVParent> parent = ParentOf(*this);
    return parent ? parent->NotifyParent() : E_FAIL;
}

HRESULT CPVPanelEnum::CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) {
    if (setDirty)
        SetDirty();
    return BroadcastCtrl(
        L"A control failed OnChangedCtrlData().",
        [&](IPVCtrl* control) { return control->OnChangedCtrlData(wnd, id); },
        std::source_location::current());
}

HRESULT CPVPanelEnum::SetFocusCtrl(CWnd* wnd) {
    CPVPanel::SetFocusCtrl(wnd);
    return S_OK;
}

HRESULT CPVPanelEnum::RequestInputFocus(CWnd* wnd) {
    if (!wnd) {
        PVLog(L"Invalid parameter.");
        return E_INVALIDARG;
    }
    CComPtr<IPVParent> parent = ParentOf(*this);
    const HRESULT hr = parent ? parent->RequestInputFocus(static_cast<IPVChild*>(this)) : E_FAIL;
    if (FAILED(hr)) {
        PVLog(L"Panel failed to get input focus from parent.");
        return hr;
    }
    wnd->SetFocus();
    return S_OK;
}

HRESULT CPVPanelEnum::GetPropPageEnumCWnd(CWnd** wnd) {
    if (!wnd) {
        PVLog(L"Invalid parameter.");
        return E_INVALIDARG;
    }
    *wnd = this;
    return S_OK;
}

HRESULT CPVPanelEnum::ShowError(BSTR text, BSTR helpFile, DWORD helpContext) {
    CComPtr<IPVParent> parent = ParentOf(*this);
    return parent ? parent->ShowError(text, helpFile, helpContext) : E_FAIL;
}

HRESULT CPVPanelEnum::GetParentState(VARIANT_BOOL* value, LONG which) {
    CComPtr<IPVParent> parent = ParentOf(*this);
    if (!parent)
        return E_FAIL;
    BOOL state = FALSE;
    const HRESULT hr = parent->GetParentState(&state, which);
    if (SUCCEEDED(hr) && value)
        *value = state ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
}

HRESULT CPVPanelEnum::GetLogixMode(LONG* mode) {
    IPVLogixProperties* properties = nullptr;
    try {
        properties = GetIPVLogixProperties();
    } catch (const _com_error& error) {
        return error.Error();
    }
    return properties ? properties->GetLogixMode(mode) : E_FAIL;
}

HRESULT CPVPanelEnum::GetRedundancyState(LONG* state) {
    IPVLogixProperties* properties = nullptr;
    try {
        properties = GetIPVLogixProperties();
    } catch (const _com_error& error) {
        return error.Error();
    }
    return properties ? properties->GetRedundancyState(state) : E_FAIL;
}

HRESULT CPVPanelEnum::GetIPVDlgManager(IPVDlgManager** manager) {
    CComPtr<IPVParent> parent = ParentOf(*this);
    return parent ? parent->GetDlgManager(manager) : E_FAIL;
}

HRESULT CPVPanelEnum::MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                 LONG* button) {
    if (button)
        *button = -1;
    CComPtr<IPVParent> parent = ParentOf(*this);
    if (!parent)
        return E_FAIL;
    const HRESULT hr = parent->MessageDlg(owner, text, type, helpContext, helpFile, button);
    if (FAILED(hr) && button)
        *button = -1;
    return hr;
}

HRESULT CPVPanelEnum::GetHostService(REFCLSID service, IUnknown** object) {
    CComPtr<IPVParent> parent = ParentOf(*this);
    return parent ? parent->GetHostService(service, object) : E_FAIL;
}
