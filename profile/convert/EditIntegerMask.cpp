#include "profile/convert/EditIntegerMask.h"

#include "profile/convert/CnvTextToInteger.h"

CEditIntegerMask* CEditIntegerMask::GetInstance() {
    static CEditIntegerMask instance;
    return &instance;
}

const CCnvTextToValue& CEditIntegerMask::Converter() const {
    return *CCnvTextToInteger::GetInstance();
}

HRESULT CEditIntegerMask::ConvertText(const CString& text, CPromptInfo* prompt) const {
    LONG value = 0;
    return CCnvTextToInteger::GetInstance()->ConvertTextToValue(text, &value, prompt);
}
