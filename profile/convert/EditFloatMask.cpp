#include "profile/convert/EditFloatMask.h"

#include "profile/convert/CnvTextToFloat.h"

CEditFloatMask* CEditFloatMask::GetInstance() {
    static CEditFloatMask instance;
    return &instance;
}

const CCnvTextToValue& CEditFloatMask::Converter() const {
    return *CCnvTextToFloat::GetInstance();
}

HRESULT CEditFloatMask::ConvertText(const CString& text, CPromptInfo* prompt) const {
    float value = 0.0f;
    return CCnvTextToFloat::GetInstance()->ConvertTextToValue(text, &value, prompt);
}
