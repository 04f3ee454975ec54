// What the host information edit boxes share: a validated edit that lets in only its
// class's characters up to its length limit and remembers the last valid text as its
// value. The value is not written into the window; a box that shows a mask instead
// (the clock fields) names it.
#pragma once

#include "platform/mfc/String.h"
#include "profile/convert/ValidateEdit.h"

class CHostInfoEdit : public CValidateEdit {
public:
    // CValidateEdit's hooks: the whole text and each typed character through the
    // class's filter (backspace always passes).
    HRESULT ValidateText(const CString& newText, const CString& inserted) override;
    HRESULT ValidateChar(UINT ch) override;
    void ProcessChar(UINT ch, UINT repeat, UINT flags) override;
    void OnTextChanged() override;

    // E_INVALIDARG (and no value) for a text with a refused character.
    virtual HRESULT SetValue(const CString& text);
    // The value while the box has one and is enabled or keeps it when disabled; else
    // the empty text.
    virtual HRESULT GetValue(CString* text);
    virtual void SetKeepWhenDisabled(int keep);
    // The first refusal of ValidateCharacter among the text's characters.
    virtual HRESULT ValidateString(const CString& text);
    // 0x80040200 for a character outside the class's set.
    virtual HRESULT ValidateCharacter(UINT ch) = 0;

    bool HasValue() const { return m_bHasValue != 0; }

protected:
    // S_OK for a digit, for a letter when `letters`, and for a character of `others`;
    // 0x80040200 for anything else.
    static HRESULT AcceptOnly(UINT ch, bool letters, const wchar_t* others);
    // EM_LIMITTEXT of the class.
    virtual UINT TextLimit() const = 0;
    // What the window shows while the box has a value; null: the text stays as it is.
    virtual const wchar_t* MaskText() const { return nullptr; }

    void PreSubclassWindow() override;
    void OnEnable(BOOL enable) override;

private:
    // Shows the mask while the box has a value it may show, else clears the text.
    void ShowOrClear(bool mayShow);

    int m_bHasValue = 0;
    int m_bUpdating = 0;
    int m_bKeepWhenDisabled = 1;
    CString m_strValue;
};
