#include "profile/controls/PVCtrlConfigEditInteger.h"

#include "profile/convert/EditIntegerMask.h"

CPVCtrlConfigEditInteger::CPVCtrlConfigEditInteger(UINT dialogItemId)
    : CPVCtrlConfigEditCtrl(dialogItemId, CEditIntegerMask::GetInstance()) {}

HRESULT CPVCtrlConfigEditInteger::Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag,
                                             IUnknown* condition) {
    return CPVCtrlConfigEditCtrl::Initialize(value, textLimit, maskFlag, VT_I4, condition);
}

BOOL CPVCtrlConfigEditInteger::InitializationIsValid() {
    return CPVCtrlConfigEditCtrl::InitializationIsValid() && GetValueType() == VT_I4 && GetMaskFlag() != 0;
}
