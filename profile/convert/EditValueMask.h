// CEditValueMask: the keystroke and paste rules the numeric masks share. The
// characters, the text check and the conversion are those of the concrete mask's
// converter.
#pragma once

#include "profile/convert/IEditMask.h"

class CCnvTextToValue;

class CEditValueMask : public IEditMask {
public:
    HRESULT ValidatePaste(const CString& newText, CString& inserted, UINT signFlags) override;
    HRESULT ValidateKeystroke(CWnd* edit, UINT ch, UINT signFlags) override;
    HRESULT ValidateValue(CString& text, BOOL* zerosStripped, CPromptInfo* prompt, UINT extra) override;
    HRESULT ValidateChar(wchar_t ch) override;
    HRESULT ValidateText(const CString& text) override;

protected:
    CEditValueMask() = default;
    CEditValueMask(const CEditValueMask&) = delete;
    CEditValueMask& operator=(const CEditValueMask&) = delete;

    virtual const CCnvTextToValue& Converter() const = 0;
    // The member type's conversion of the text, with its prompts; the value is dropped.
    virtual HRESULT ConvertText(const CString& text, CPromptInfo* prompt) const = 0;
};
