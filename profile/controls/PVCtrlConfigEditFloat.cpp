#include "profile/controls/PVCtrlConfigEditFloat.h"

#include "profile/convert/CnvTextToFloat.h"
#include "profile/convert/EditFloatMask.h"

CPVCtrlConfigEditFloat::CPVCtrlConfigEditFloat(UINT dialogItemId)
    : CPVCtrlConfigEditCtrl(dialogItemId, CEditFloatMask::GetInstance()) {}

HRESULT CPVCtrlConfigEditFloat::Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, UINT decimals,
                                           IUnknown* condition) {
    if (IsInitialized())
        return E_FAIL; // the decimals belong to the first binding
    m_nDecimals = decimals;
    return CPVCtrlConfigEditCtrl::Initialize(value, textLimit, maskFlag, VT_R4, condition);
}

BOOL CPVCtrlConfigEditFloat::InitializationIsValid() {
    return CPVCtrlConfigEditCtrl::InitializationIsValid() && GetValueType() == VT_R4 &&
           m_nDecimals <= kMaxDecimals && GetMaskFlag() != 0;
}

HRESULT CPVCtrlConfigEditFloat::ReadValueText(CString* text, CPromptInfo* prompt) {
    return GetValueObject()->GetValue(text, m_nDecimals, GetValueType(), prompt);
}

HRESULT CPVCtrlConfigEditFloat::WriteValueText(const CString& text, CPromptInfo* prompt) {
    return GetValueObject()->SetValue(text, m_nDecimals, GetValueType(), prompt);
}

bool CPVCtrlConfigEditFloat::NormaliseText(CString& text) {
    const CCnvTextToFloat* converter = CCnvTextToFloat::GetInstance();
    float value = 0.0f;
    return SUCCEEDED(converter->ConvertTextToValue(text, &value, nullptr)) &&
           SUCCEEDED(converter->ConvertValueToText(value, static_cast<int>(m_nDecimals), &text));
}
