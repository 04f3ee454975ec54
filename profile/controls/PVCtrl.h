// A control that lives in one dialog item of its page: the enable rules by the
// controller's mode, redundancy and safety, and the services that need the item's
// window (enabling, showing, focus, errors and message dialogs through the host).
#pragma once

#include <source_location>

#include "platform/oleaut/Bstr.h"
#include "profile/controls/PVCtrlBase.h"

class CPromptInfo;
struct IErrorInfo;

class CPVCtrl : public CPVCtrlBase {
public:
    // The controller codes that keep configuration controls disabled.
    static constexpr LONG kProgramModeLocked = 4;
    static constexpr LONG kOfflineMode = 8;
    static constexpr LONG kRedundantPartner = 1;
    static constexpr LONG kSafetySecured = 1;

    explicit CPVCtrl(UINT dialogItemId) : m_nID(dialogItemId) {}

    UINT GetDialogItemId() const { return m_nID; }

    // Enables or disables the item's window by IsCtrlEnabled; S_OK also without a window.
    HRESULT UpdateEnabledState() override;
    // Shows or hides the item's window; E_FAIL (logged) without one.
    virtual HRESULT ShowControl(int showCmd);
    // False while the module's safety secures it (unless the control ignores the
    // lock), while the controller is a redundant partner, and in modes 4 and 8.
    virtual bool IsCtrlEnabled() const;
    // Reports a modification of the item's window to the page.
    virtual HRESULT OnCtrlModified();

    // The page window's child with the control's identifier, or null (logged). Never
    // kept: the page may be re-created.
    CWnd* GetCWnd() const;
    // Called by a derived control when its window receives the focus.
    HRESULT OnCtrlSetFocus();
    // Shows a validation error through the page, then gives the window the focus.
    HRESULT DefaultValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error);
    HRESULT IErrorInfoErrorHandler(IErrorInfo** error);
    HRESULT PromptMsgHandler(const CPromptInfo& prompt);
    // The button the user pressed, or -1 when no dialog could be shown.
    LONG MessageDlg(const CPromptInfo& prompt, UINT type);

private:
    // Asks for the input focus, shows the error and gives the focus to `window`.
    HRESULT ShowErrorAt(IPVPropPageEnum* page, CWnd* window, BSTR text, BSTR helpFile, DWORD helpContext,
                        std::source_location where);
    HRESULT ShowErrorInfo(IErrorInfo** error, std::source_location where);

    UINT m_nID;
};
