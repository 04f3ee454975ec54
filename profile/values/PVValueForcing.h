// CPVValueForcing: what a control asks a value object about forces, and the text of
// the force arrow's tooltip. Made on the stack and dropped at once.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/values/IPVGetSetValue.h"

class CPVValueForcing {
public:
    // `value` may be null; every query then gives its "no" answer.
    explicit CPVValueForcing(IPVGetSetValue* value);
    virtual ~CPVValueForcing() = default;

    // 0: not forced (or unknown), 1: forced while forces are off, 2: forced and in effect.
    int GetForcingState();
    bool IsForcingSupported();
    bool GetForcesEnabled();
    bool GetIsForced();
    // A copy the caller clears; VT_EMPTY without a forcing interface.
    VARIANT GetForcedValue();
    // The forced value in the host's tooltip format; empty unless the state is 2.
    CString GetTooltipText();

private:
    CComPtr<IPVGetSetValue> m_spIPVGetSetValue;
};
