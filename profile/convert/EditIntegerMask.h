// CEditIntegerMask: the edit mask of 32-bit integer members: digits and signs; the
// LONG conversion with its prompts 2, 3, 5 and 6.
#pragma once

#include "profile/convert/EditValueMask.h"

class CEditIntegerMask : public CEditValueMask {
public:
    static CEditIntegerMask* GetInstance();

protected:
    const CCnvTextToValue& Converter() const override;
    HRESULT ConvertText(const CString& text, CPromptInfo* prompt) const override;

private:
    CEditIntegerMask() = default;
};
