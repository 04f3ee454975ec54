// Whether a module's safety secures its configuration: safety enabled and not locked
// out. Controls of a secured module stay disabled.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

class CSafetyController {
public:
    // *secured: 1 when safety is on and the module is not locked out. A module without
    // the safety interfaces is not secured (S_OK, 0); no module is E_FAIL.
    static HRESULT GetSafetySecuredState(IUnknown* module, LONG* secured);
};
