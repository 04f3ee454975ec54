#include "profile/online/PVCtrlOnlineButton.h"

#include "platform/com/ErrorInfo.h"
#include "platform/user/Controls.h"
#include "profile/interfaces/Device.h"
#include "profile/online/PVDlgLock.h"
#include "profile/server/PVLog.h"
#include "profile/server/PromptInfo.h"

namespace {

constexpr LONG kRunMode = 4;
constexpr LONG kStateSet = 1;

} // namespace

CPVCtrlOnlineButton::CPVCtrlOnlineButton(int ctrlId, int labelId, LPCWSTR name, int, int timerMode,
                                         int notifyMode, int confirm, UINT disableMask, UINT msgBoxStyle)
    : CPVCtrl(static_cast<UINT>(ctrlId)), m_nLabelID(labelId), m_nMsgBoxStyle(msgBoxStyle),
      m_nDisableMask(disableMask), m_nTimerMode(timerMode), m_nNotifyMode(notifyMode), m_nConfirm(confirm) {
    m_memberNames.Insert(name, 0);
}

CPVCtrlOnlineButton::~CPVCtrlOnlineButton() {
    if (m_nTimerID != 0) {
        PVLog(L"Timer should already be killed");
        StopTimer();
    }
}

// IPVCtrl ----------------------------------------------------------------------

HRESULT CPVCtrlOnlineButton::SetIModule(IModule* module) {
    HRESULT hr = CPVCtrl::SetIModule(module);
    if (FAILED(hr)) {
        PVLog(L"Failed to SetIModule.");
        return hr;
    }
    CComPtr<IDeviceInfo2> device;
    hr = module->QueryInterface(IDeviceInfo2::Iid, reinterpret_cast<void**>(&device));
    if (FAILED(hr) || !device) {
        PVLog(L"Failed to QueryInterface IDeviceInfo2.");
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    hr = m_identityCheck.Initialize(device, GetIPVPropPageEnum());
    if (FAILED(hr)) {
        PVLog(L"Failed to Initialize CPVModuleIdentityCheck.");
        return hr;
    }
    if (GetDialogItemId() < 1) {
        PVLog(L"Invalid Ctrl ID");
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CPVCtrlOnlineButton::OnActivate() {
    ShowControl(m_nTimerMode != kTimerRepeat);
    UpdateEnabledState();
    m_nCurrentPeriod = m_nShortPeriod;
    m_bActivated = TRUE;
    ResumeAutoService();
    return S_OK;
}

HRESULT CPVCtrlOnlineButton::OnDeactivate() {
    m_bActivated = FALSE;
    StopTimer();
    return m_hrServiceResult == kServiceRunning ? kServiceRunning : S_OK;
}

HRESULT CPVCtrlOnlineButton::LogixStateChanged(LONG state) {
    const HRESULT hr = CPVCtrl::LogixStateChanged(state);
    if (!IsWindowEnabled()) {
        // Offline a repeating button is hidden, any other shown disabled; the next
        // enable starts afresh.
        m_nCurrentPeriod = m_nShortPeriod;
        m_bLastSucceeded = FALSE;
        ShowControl(m_nTimerMode != kTimerRepeat);
    } else if (m_nEnablePending) {
        m_nEnablePending = 0;
        ResumeAutoService();
    }
    return hr;
}

// Showing and enabling -----------------------------------------------------------

HRESULT CPVCtrlOnlineButton::ShowControl(int show) {
    const int command = show ? SW_SHOW : SW_HIDE;
    CWnd* parent = GetParent();
    if (!parent) {
        PVLog(L"Invalid parent");
    } else if (m_nLabelID > 0) {
        if (CWnd* label = parent->GetDlgItem(m_nLabelID))
            label->ShowWindow(command);
        else
            PVLog(L"Invalid label");
    }
    ShowWindow(command);
    return S_OK;
}

bool CPVCtrlOnlineButton::IsCtrlEnabled() const {
    const LONG mode = GetLogixMode();
    if (!CPVModuleIdentityCheck::IsOnlineMode(mode) || GetModuleStateFlag())
        return false;
    if ((m_nDisableMask & kDisableRedundant) && GetRedundancyState() == kStateSet)
        return false;
    if ((m_nDisableMask & kDisableSafetySecured) && GetSafetySecuredState() == kStateSet)
        return false;
    if ((m_nDisableMask & kDisableRunMode) && mode == kRunMode)
        return false;
    if (!IsWindowEnabled())
        m_nEnablePending = 1;
    return true;
}

// The timer ----------------------------------------------------------------------

BOOL CPVCtrlOnlineButton::OnReflectedCommand(UINT code) {
    if (code != BN_CLICKED)
        return CButton::OnReflectedCommand(code);
    // A second click before the action restarts the wait: one action per burst.
    StopTimer();
    if (IsWindowEnabled()) {
        m_bLastSucceeded = FALSE;
        m_nCurrentPeriod = m_nShortPeriod;
        StartTimer();
    }
    return TRUE;
}

void CPVCtrlOnlineButton::OnSetFocus(CWnd* oldWnd) {
    CButton::OnSetFocus(oldWnd);
    OnCtrlSetFocus();
}

void CPVCtrlOnlineButton::OnDestroy() {
    StopTimer();
    CButton::OnDestroy();
}

void CPVCtrlOnlineButton::StartTimer() {
    if (m_nTimerID != 0)
        return;
    if (!GetSafeHwnd()) {
        // Without its window a timer would belong to nobody.
        PVLog(L"Invalid window");
        return;
    }
    m_nTimerID = SetTimer(GetDialogItemId(), m_nCurrentPeriod, nullptr);
    if (m_nTimerID != GetDialogItemId())
        PVLog(L"Failure while getting the ID");
}

void CPVCtrlOnlineButton::StopTimer() {
    if (m_nTimerID == 0)
        return;
    KillTimer(m_nTimerID);
    m_nTimerID = 0;
}

void CPVCtrlOnlineButton::OnTimer(UINT_PTR) {
    // Each start fires once; a repeating action starts the next itself.
    StopTimer();
    CComPtr<IPVDlgManager> manager = GetIPVDlgManager();
    if (!manager) {
        PVLog(L"Invalid dialog manager");
        return;
    }
    CPVDlgLock lock(manager);
    DoPerformService();
}

void CPVCtrlOnlineButton::ResumeAutoService() {
    if (!IsWindowEnabled() || !m_bActivated)
        return;
    if (m_nTimerMode == kTimerOnActivate || m_nTimerMode == kTimerRepeat ||
        (m_nTimerMode == kTimerUntilSucceeded && !m_bLastSucceeded))
        StartTimer();
}

// The action ---------------------------------------------------------------------

void CPVCtrlOnlineButton::NotifyPage(int when) {
    if (m_nNotifyMode & when)
        OnCtrlModified();
}

HRESULT CPVCtrlOnlineButton::DoPerformService() {
    if (!GetSafeHwnd()) {
        PVLog(L"Invalid window");
        return E_POINTER;
    }
    if (!IsWindowEnabled())
        return S_OK;
    if (m_nConfirm == 1) {
        const HRESULT answer = DisplayConfirmationDlg();
        if (FAILED(answer))
            return answer;
        if (answer != S_OK)
            return S_OK;
    }
    m_hrServiceResult = kServiceRunning;
    NotifyPage(kNotifyBefore);

    CComPtr<IErrorInfo> error;
    const HRESULT result = PerformService(&error);
    m_hrServiceResult = result;
    m_bLastSucceeded = SUCCEEDED(result) ? TRUE : FALSE;
    HRESULT hr = result;
    if (FAILED(result) && error) {
        IErrorInfo* shown = error;
        IErrorInfoErrorHandler(&shown);
        hr = S_OK;
    }
    NotifyPage(kNotifyAfter);

    if (m_nTimerMode == kTimerRepeat) {
        if (FAILED(result)) {
            // The repetition ends; the user may retry by hand.
            m_nCurrentPeriod = m_nShortPeriod;
            ShowControl(TRUE);
        } else {
            m_nCurrentPeriod = m_nLongPeriod;
            StartTimer();
            ShowControl(FALSE);
        }
    }
    return hr;
}

HRESULT CPVCtrlOnlineButton::DisplayConfirmationDlg() {
    if (!GetSafeHwnd()) {
        PVLog(L"Invalid window");
        return E_POINTER;
    }
    CPromptInfo prompt;
    const HRESULT hr = GetConfirmationMessage(&prompt);
    if (FAILED(hr)) {
        PVLog(L"Failed to GetConfirmationMessage");
        return hr;
    }
    switch (MessageDlg(prompt, m_nMsgBoxStyle | MB_YESNO)) {
    case IDYES:
        return S_OK;
    case IDNO:
        return S_FALSE;
    case -1:
    case IDABORT:
        PVLog(L"Error displaying confirmation dialog");
        return E_FAIL;
    default:
        // Any other way out of the box is not a Yes.
        return S_FALSE;
    }
}

HRESULT CPVCtrlOnlineButton::GetConfirmationMessage(CPromptInfo*) {
    return E_FAIL;
}

// The module's identity ------------------------------------------------------------

int CPVCtrlOnlineButton::GetModuleStatus(int refresh, BOOL display) {
    CPromptInfo prompt;
    const int status = m_identityCheck.CheckModuleIdentity(&prompt, refresh);
    if (display && status == CPVModuleIdentityCheck::kQueryFailed && FAILED(PromptMsgHandler(prompt)))
        PVLog(L"Failed to display missing module error");
    return status;
}

bool CPVCtrlOnlineButton::GetModuleStatus() {
    return GetModuleStatus(1, TRUE) == CPVModuleIdentityCheck::kUsable;
}
