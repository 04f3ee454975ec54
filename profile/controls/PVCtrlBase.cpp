#include "profile/controls/PVCtrlBase.h"

#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/controls/SafetyController.h"
#include "profile/interfaces/DlgManager.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"

CPVCtrlBase::~CPVCtrlBase() = default;

// IPVCtrl --------------------------------------------------------------------

HRESULT CPVCtrlBase::SetIPVPropPageEnum(IPVPropPageEnum* page) {
    if (!page) {
        PVLog(L"Invalid argument 'pIPVPropPageEnum'");
        return E_INVALIDARG;
    }
    if (m_pIPVPropPageEnum) {
        PVLog(L"SetIPVPropPageEnum should only be called once.");
        return E_UNEXPECTED;
    }
    m_pIPVPropPageEnum = page;
    return S_OK;
}

HRESULT CPVCtrlBase::SetIModule(IModule* module) {
    if (!module) {
        PVLog(L"Invalid parameter 'pIModule'");
        return E_INVALIDARG;
    }
    if (m_spIModule) {
        PVLog(L"SetIModule should only be called once.");
        return E_UNEXPECTED;
    }
    m_spIModule = module;
    return InterfaceIsValid(m_spIModule.p()) ? S_OK : E_FAIL;
}

HRESULT CPVCtrlBase::PreInitialActivate() {
    return UpdateEnabledState();
}

HRESULT CPVCtrlBase::OnActivate() {
    return S_OK;
}

HRESULT CPVCtrlBase::OnDeactivate() {
    return S_OK;
}

HRESULT CPVCtrlBase::Save() {
    return S_OK;
}

HRESULT CPVCtrlBase::Refresh() {
    return S_OK;
}

HRESULT CPVCtrlBase::ClearDirty() {
    m_bDirty = FALSE;
    return S_OK;
}

HRESULT CPVCtrlBase::OnChangedCtrlData(CWnd*, UINT) {
    return S_OK;
}

HRESULT CPVCtrlBase::ValidationErrorHandler(LONG, BSTR, IErrorInfo**) {
    // Not claimed: the page offers the error to the next control.
    return E_FAIL;
}

HRESULT CPVCtrlBase::PostModDefChange() {
    return S_FALSE;
}

// IPVEventHandler2 -----------------------------------------------------------

HRESULT CPVCtrlBase::LogixStateChanged(LONG) {
    return UpdateEnabledState();
}

HRESULT CPVCtrlBase::ModuleStatusChanged() {
    return S_OK;
}

HRESULT CPVCtrlBase::Flush() {
    return S_OK;
}

HRESULT CPVCtrlBase::DataChanged() {
    return Refresh();
}

HRESULT CPVCtrlBase::ModuleDefinitionChanged() {
    return S_OK;
}

HRESULT CPVCtrlBase::Reverted() {
    // Dirty first: a dirty control would skip the reload.
    const HRESULT hr = ClearDirty();
    if (FAILED(hr))
        return hr;
    return Refresh();
}

HRESULT CPVCtrlBase::DirtyStateChanged() {
    return S_OK;
}

HRESULT CPVCtrlBase::ModuleDeleted() {
    PVLog(L"ModuleDeleted() should never get called");
    return S_OK;
}

HRESULT CPVCtrlBase::OnCloseDlg() {
    return S_OK;
}

HRESULT CPVCtrlBase::GetDocumentationDirtyState(VARIANT_BOOL* dirty) {
    if (!dirty) {
        PVLog(L"Pointer pUserDescriptionDirtyState is NULL");
        return E_INVALIDARG;
    }
    *dirty = VARIANT_FALSE;
    return S_OK;
}

HRESULT CPVCtrlBase::GetLogixMode(LONG* mode) {
    if (!mode)
        return E_POINTER;
    *mode = GetLogixMode();
    return S_OK;
}

HRESULT CPVCtrlBase::GetRedundancyState(LONG* state) {
    if (!state)
        return E_POINTER;
    *state = GetRedundancyState();
    return S_OK;
}

// Services -------------------------------------------------------------------

HRESULT CPVCtrlBase::CtrlModified(CWnd* wnd, UINT id) {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    const HRESULT hr =
        page ? page->CtrlModified(wnd, id, m_bTrackChanges ? VARIANT_TRUE : VARIANT_FALSE) : E_FAIL;
    if (m_bTrackChanges)
        m_bDirty = TRUE;
    return hr;
}

void CPVCtrlBase::MarkDirty() {
    if (m_bTrackChanges)
        m_bDirty = TRUE;
}

IModule* CPVCtrlBase::GetIModule() const {
    if (!m_spIModule)
        PVLog(L"Attempted to retrieve null pointer. SetIModule has not been called.");
    return m_spIModule;
}

IPVPropPageEnum* CPVCtrlBase::GetIPVPropPageEnum() const {
    if (!m_pIPVPropPageEnum)
        PVLog(L"Attempted to retrieve null pointer. SetIPVPropPageEnum has not been called.");
    return m_pIPVPropPageEnum;
}

bool CPVCtrlBase::IsValid() const {
    if (!m_spIModule) {
        PVLog(L"Object state is invalid.");
        return false;
    }
    return true;
}

CComPtr<IPVDlgManager> CPVCtrlBase::GetIPVDlgManager() const {
    CComPtr<IPVDlgManager> manager;
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page || FAILED(page->GetIPVDlgManager(&manager)) || !manager) {
        PVLog(L"Failed to obtain IPVDialogManager");
        return nullptr;
    }
    return manager;
}

CWnd* CPVCtrlBase::GetParentCWnd() const {
    CWnd* wnd = nullptr;
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    if (!page || FAILED(page->GetPropPageEnumCWnd(&wnd)) || !wnd) {
        PVLog(L"Failed to retrieve PropPageEnumCWnd");
        return nullptr;
    }
    return wnd;
}

LONG CPVCtrlBase::GetLogixMode() const {
    LONG mode = kDefaultLogixMode;
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    LONG answer = 0;
    if (page && SUCCEEDED(page->GetLogixMode(&answer)))
        mode = answer;
    else
        PVLog(L"Failed to retrieve Logix Mode");
    return mode;
}

LONG CPVCtrlBase::GetRedundancyState() const {
    LONG state = kDefaultRedundancyState;
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    LONG answer = 0;
    if (page && SUCCEEDED(page->GetRedundancyState(&answer)))
        state = answer;
    else
        PVLog(L"Failed to retrieve Redundancy State");
    return state;
}

LONG CPVCtrlBase::GetSafetySecuredState() const {
    LONG secured = 0;
    if (FAILED(CSafetyController::GetSafetySecuredState(m_spIModule.p(), &secured))) {
        PVLog(L"Failed to retrieve Safety Secured State");
        return kDefaultSafetySecuredState;
    }
    return secured;
}

bool CPVCtrlBase::GetModuleStateFlag() const {
    if (!m_spIModule)
        return false;
    CComPtr<IModuleState> state;
    if (FAILED(m_spIModule.QueryInterface(&state)) || !state)
        return false;
    VARIANT_BOOL flag = VARIANT_FALSE;
    if (FAILED(state->get_ModuleStateFlag(&flag)))
        return false;
    return flag == VARIANT_TRUE;
}

CComPtr<IApplication> CPVCtrlBase::GetIApplication() const {
    IPVPropPageEnum* page = GetIPVPropPageEnum();
    CComPtr<IUnknown> service;
    if (!page || FAILED(page->GetHostService(CLSID_PVExtHostViewConnector, &service)) || !service) {
        PVLog(L"Failed to obtain CLSID_PVExtHostViewConnector.");
        return nullptr;
    }
    CComPtr<IPVExtHostViewConnector> extConnector;
    if (FAILED(service.QueryInterface(&extConnector)) || !extConnector) {
        PVLog(L"Failed to obtain IPVExtHostViewConnector.");
        return nullptr;
    }
    CComPtr<IUnknown> connectorObject;
    if (FAILED(extConnector->GetHostViewConnector(&connectorObject)) || !connectorObject) {
        PVLog(L"Failed to obtain the HostViewConnector object.");
        return nullptr;
    }
    CComPtr<IHostViewConnector> connector;
    if (FAILED(connectorObject.QueryInterface(&connector)) || !connector) {
        PVLog(L"Failed to obtain the IHostViewConnector interface.");
        return nullptr;
    }
    CComPtr<IUnknown> applicationObject;
    if (FAILED(connector->GetApplication(&applicationObject)) || !applicationObject) {
        PVLog(L"Failed to obtain the Application Object.");
        return nullptr;
    }
    CComPtr<IApplication> application;
    if (FAILED(applicationObject.QueryInterface(&application)) || !application) {
        PVLog(L"Failed to obtain the IApplication interface.");
        return nullptr;
    }
    return application;
}
