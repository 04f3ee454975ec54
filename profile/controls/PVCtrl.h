// A control that lives in one dialog item of its page: the enable rules by the
// controller's mode, redundancy and safety.
#pragma once

#include "profile/controls/PVCtrlBase.h"

class CPVCtrl : public CPVCtrlBase {
public:
    // The controller codes that keep configuration controls disabled.
    static constexpr LONG kProgramModeLocked = 4;
    static constexpr LONG kOfflineMode = 8;
    static constexpr LONG kRedundantPartner = 1;
    static constexpr LONG kSafetySecured = 1;

    explicit CPVCtrl(UINT dialogItemId) : m_nID(dialogItemId) {}

    UINT GetDialogItemId() const { return m_nID; }

    // False while the module's safety secures it (unless the control ignores the
    // lock), while the controller is a redundant partner, and in modes 4 and 8.
    virtual bool IsCtrlEnabled() const;

private:
    UINT m_nID;
};
