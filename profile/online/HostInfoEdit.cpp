#include "profile/online/HostInfoEdit.h"

#include <cwchar>

#include "platform/user/Controls.h"
#include "profile/convert/CnvErrors.h"

namespace {
constexpr UINT kBackspace = 8;
} // namespace

HRESULT CHostInfoEdit::ValidateText(const CString& newText, const CString&) {
    return ValidateString(newText);
}

HRESULT CHostInfoEdit::ValidateChar(UINT ch) {
    return ch == kBackspace ? S_OK : ValidateCharacter(ch);
}

void CHostInfoEdit::ProcessChar(UINT ch, UINT repeat, UINT flags) {
    CEdit::OnChar(ch, repeat, flags);
}

void CHostInfoEdit::OnTextChanged() {
    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) {
        m_bHasValue = 1;
        if (!m_bUpdating)
            m_strValue = text;
    } else if (IsWindowEnabled()) {
        m_bHasValue = 0;
    }
}

HRESULT CHostInfoEdit::SetValue(const CString& text) {
    HRESULT hr = S_OK;
    m_bHasValue = 0;
    if (!text.IsEmpty()) {
        if (SUCCEEDED(ValidateString(text))) {
            m_bHasValue = 1;
            m_strValue = text;
        } else {
            hr = E_INVALIDARG;
        }
    }
    ShowOrClear(m_bHasValue && (IsWindowEnabled() || m_bKeepWhenDisabled == 1));
    return hr;
}

HRESULT CHostInfoEdit::GetValue(CString* text) {
    if (!text)
        return E_POINTER;
    text->Empty();
    if (!m_bHasValue || !(IsWindowEnabled() || m_bKeepWhenDisabled == 1))
        return S_OK;
    const HRESULT hr = ValidateString(m_strValue);
    if (FAILED(hr))
        return hr;
    *text = m_strValue;
    return S_OK;
}

void CHostInfoEdit::SetKeepWhenDisabled(int keep) {
    m_bKeepWhenDisabled = keep;
}

HRESULT CHostInfoEdit::ValidateString(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        const HRESULT hr = ValidateCharacter(static_cast<UINT>(text[i]));
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void CHostInfoEdit::PreSubclassWindow() {
    CValidateEdit::PreSubclassWindow();
    SetLimitText(TextLimit());
}

void CHostInfoEdit::OnEnable(BOOL enable) {
    CValidateEdit::OnEnable(enable);
    ShowOrClear(m_bHasValue && (enable || m_bKeepWhenDisabled == 1));
}

void CHostInfoEdit::ShowOrClear(bool mayShow) {
    if (!mayShow) {
        SetWindowText(L"");
        return;
    }
    m_bUpdating = 0;
    if (const wchar_t* mask = MaskText()) {
        m_bUpdating = 1;
        SetWindowText(mask);
        m_bUpdating = 0;
    }
}

HRESULT CHostInfoEdit::AcceptOnly(UINT ch, bool letters, const wchar_t* others) {
    const bool digit = ch >= L'0' && ch <= L'9';
    const bool letter = (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
    const bool other = ch != 0 && std::wcschr(others, static_cast<wchar_t>(ch)) != nullptr;
    return digit || (letters && letter) || other ? S_OK : CNV_E_CHARNOTALLOWED;
}
