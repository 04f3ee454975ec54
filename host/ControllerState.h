// What the host knows of the controller and the module outside the tags: the
// controller's mode, redundancy state, the module's safety and state flag, the
// language and the controller software version the project is made for.
#pragma once

#include <map>

#include "platform/base/WinTypes.h"

struct CControllerState {
    // Modes 1 to 6 are the online modes, any other is offline. The profile keeps its
    // configuration controls disabled in mode 4 (online, the controller runs) and in
    // mode 8 (offline, the project cannot be changed); mode 0 is offline and editable.
    static constexpr LONG kOfflineMode = 0;

    LONG mode = kOfflineMode;
    // 1: the controller is a redundant partner that may not be changed.
    LONG redundancyState = 0;
    // Only a module with safety answers the safety interfaces.
    bool hasSafety = false;
    bool safetyEnabled = false;
    bool safetyLockedOut = false;
    bool moduleStateFlag = false;
    LCID locale = 1033;
    LONG logixVersion = 32;
    // IPVParent::GetParentState answers by selector; unlisted selectors are FALSE.
    std::map<LONG, bool> parentStates;

    static bool IsOnlineMode(LONG mode) { return mode >= 1 && mode <= 6; }
    // 1 when safety is on and not locked out, as the module's safety interfaces tell it.
    LONG SafetySecuredState() const { return hasSafety && safetyEnabled && !safetyLockedOut ? 1 : 0; }
};
