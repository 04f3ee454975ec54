#include "profile/controls/PVCtrlConfigEditFloat2.h"

#include "profile/convert/CnvTextToFloat2.h"

HRESULT CPVCtrlConfigEditFloat2::Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag,
                                            UINT decimals) {
    if (IsInitialized())
        return E_FAIL;
    m_nDisplayDecimals = decimals;
    return CPVCtrlConfigEditFloat::Initialize(value, textLimit, maskFlag, decimals, nullptr);
}

bool CPVCtrlConfigEditFloat2::NormaliseText(CString& text) {
    float value = 0.0f;
    CString rounded;
    if (FAILED(CCnvTextToFloat2::GetInstance()->ConvertTextToValue(text, static_cast<int>(m_nDisplayDecimals),
                                                                   &value, &rounded, nullptr)))
        return false;
    text = rounded;
    return true;
}
