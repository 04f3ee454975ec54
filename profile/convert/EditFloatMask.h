// CEditFloatMask: the edit mask of float members: digits, signs and the locale's
// decimal point; the float parsing with its prompts 2, 4, 5 and 6.
#pragma once

#include "profile/convert/EditValueMask.h"

class CEditFloatMask : public CEditValueMask {
public:
    static CEditFloatMask* GetInstance();

protected:
    const CCnvTextToValue& Converter() const override;
    HRESULT ConvertText(const CString& text, CPromptInfo* prompt) const override;

private:
    CEditFloatMask() = default;
};
