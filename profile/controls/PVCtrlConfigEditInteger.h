// CPVCtrlConfigEditInteger: an edit box for a LONG member, filtered by the integer mask.
#pragma once

#include "profile/controls/PVCtrlConfigEditCtrl.h"

class CPVCtrlConfigEditInteger : public CPVCtrlConfigEditCtrl {
public:
    explicit CPVCtrlConfigEditInteger(UINT dialogItemId);

    using CPVCtrlConfigEditCtrl::Initialize;
    HRESULT Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, IUnknown* condition = nullptr);
    // Also VT_I4 and a non-zero mask flag.
    BOOL InitializationIsValid() override;
};
