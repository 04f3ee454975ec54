#include "profile/controls/PVCtrl.h"

bool CPVCtrl::IsCtrlEnabled() const {
    if (GetIgnoreSafetyLock() != 1 && GetSafetySecuredState() == kSafetySecured)
        return false;
    if (GetRedundancyState() == kRedundantPartner)
        return false;
    const LONG mode = GetLogixMode();
    return mode != kProgramModeLocked && mode != kOfflineMode;
}
