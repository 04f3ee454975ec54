// The base of every push button that acts on the live device through the host. The
// click only starts a short timer; the action runs from the timer with the host's
// dialogs locked, after an optional Yes/No confirmation, with the page told before
// and after as configured. A timer mode repeats the action or runs it when the page
// activates or the controller goes online. A concrete button supplies PerformService.
#pragma once

#include "platform/mfc/Button.h"
#include "profile/controls/PVCtrl.h"
#include "profile/online/PVModuleIdentityCheck.h"
#include "profile/values/Strings.h"

class CPVCtrlOnlineButton : public CButton, public CPVCtrl {
public:
    // Timer modes: only on click; once after activation until it succeeded; at each
    // activation and re-enable; as 2 and repeated while it succeeds.
    static constexpr int kTimerOnClick = 0;
    static constexpr int kTimerUntilSucceeded = 1;
    static constexpr int kTimerOnActivate = 2;
    static constexpr int kTimerRepeat = 3;
    // Notify mode bits: tell the page before, after the action.
    static constexpr int kNotifyBefore = 1;
    static constexpr int kNotifyAfter = 2;
    // Disable mask bits.
    static constexpr UINT kDisableRedundant = 1;
    static constexpr UINT kDisableSafetySecured = 2;
    static constexpr UINT kDisableRunMode = 4;
    static constexpr UINT kShortPeriod = 300;
    static constexpr UINT kLongPeriod = 2500;
    // The service result while an action runs: a page asked to close is refused.
    static constexpr HRESULT kServiceRunning = MakeHResult(0x80040200);

    // `unused` is passed as 1 by every caller and changes nothing.
    CPVCtrlOnlineButton(int ctrlId, int labelId, LPCWSTR name, int unused, int timerMode, int notifyMode,
                        int confirm, UINT disableMask, UINT msgBoxStyle);
    ~CPVCtrlOnlineButton() override;

    // IPVCtrl
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    HRESULT STDMETHODCALLTYPE OnDeactivate() override;
    // IPVEventHandler2
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE DataChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Reverted() override { return S_OK; }

    // Shows or hides the button together with its label; `show` is a boolean here.
    HRESULT ShowControl(int show) override;
    bool IsCtrlEnabled() const override;

    virtual void ResumeAutoService();
    virtual HRESULT DoPerformService();
    // The action itself. A failure may hand back error information for the user.
    virtual HRESULT PerformService(IErrorInfo** error) = 0;
    // S_OK for Yes, S_FALSE for No, a failure when no answer could be had.
    virtual HRESULT DisplayConfirmationDlg();
    virtual HRESULT GetConfirmationMessage(CPromptInfo* prompt);

    // The identity status; with `display` a failed device query is shown to the user.
    int GetModuleStatus(int refresh, BOOL display);
    // Asks the device again and shows a failure; true only when it is usable.
    bool GetModuleStatus();

    HRESULT GetServiceResult() const { return m_hrServiceResult; }
    BOOL GetLastSucceeded() const { return m_bLastSucceeded; }
    int GetTimerMode() const { return m_nTimerMode; }
    UINT GetCurrentPeriod() const { return m_nCurrentPeriod; }
    const CStrings& GetMemberNames() const { return m_memberNames; }

protected:
    BOOL OnReflectedCommand(UINT code) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

    // Starts the window timer with the current period unless one runs.
    void StartTimer();
    void StopTimer();
    void SetCurrentPeriod(UINT period) { m_nCurrentPeriod = period; }
    void SetLastSucceeded(BOOL succeeded) { m_bLastSucceeded = succeeded; }
    CPVModuleIdentityCheck& GetIdentityCheck() { return m_identityCheck; }

private:
    // Tells the page that this control changed, before or after the action.
    void NotifyPage(int when);

    // The control id is the dialog item id of CPVCtrl and also the timer id.
    int m_nLabelID;
    UINT m_nMsgBoxStyle;
    BOOL m_bActivated = FALSE;
    UINT m_nDisableMask;
    int m_nTimerMode;
    int m_nNotifyMode;
    int m_nConfirm;
    UINT_PTR m_nTimerID = 0;
    UINT m_nCurrentPeriod = kShortPeriod;
    UINT m_nShortPeriod = kShortPeriod;
    UINT m_nLongPeriod = kLongPeriod;
    // Set by the enable rule (a const query) when it finds the window disabled.
    mutable int m_nEnablePending = 0;
    BOOL m_bLastSucceeded = FALSE;
    HRESULT m_hrServiceResult = E_FAIL;
    CStrings m_memberNames;
    CPVModuleIdentityCheck m_identityCheck;
};
