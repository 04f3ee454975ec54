#include "profile/controls/PVCtrlConfigEditCtrl.h"

#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "profile/convert/CnvErrors.h"
#include "profile/convert/IEditMask.h"
#include "profile/convert/PasteText.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVLog.h"
#include "profile/server/PromptInfo.h"
#include "profile/values/PVValueForcing.h"

namespace {

constexpr UINT kCtrlA = 1;

bool IsKeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

HRESULT CPVCtrlConfigEditCtrl::Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, VARTYPE type,
                                          IUnknown* condition) {
    // A box is bound once; a later call must not swap the member under a valid binding.
    if (m_bInitialized)
        return E_FAIL;
    m_bInitialized = TRUE;
    m_spValue = value;
    m_spCondition = condition;
    m_nTextLimit = textLimit;
    m_nMaskFlag = maskFlag;
    m_lValueType = type;
    m_bValid = InitializationIsValid() != FALSE;
    if (!m_bValid)
        return E_FAIL;
    if (m_hWnd)
        SetLimitText(m_nTextLimit);
    return S_OK;
}

BOOL CPVCtrlConfigEditCtrl::InitializationIsValid() {
    if (!m_spValue || m_spValue->InitializationIsValid() != S_OK)
        return FALSE;
    return m_lValueType == VT_I4 || m_lValueType == VT_R4 || m_lValueType == VT_R8;
}

void CPVCtrlConfigEditCtrl::PreSubclassWindow() {
    CEdit::PreSubclassWindow();
    SetLimitText(m_nTextLimit);
}

void CPVCtrlConfigEditCtrl::OnTextChanged() {
    OnCtrlModified();
}

HRESULT CPVCtrlConfigEditCtrl::SaveIfDirty(CPromptInfo* prompt) {
    if (!IsDirty())
        return S_OK;
    const HRESULT hr = SaveValue(prompt);
    if (SUCCEEDED(hr))
        ClearDirty();
    return hr;
}

HRESULT CPVCtrlConfigEditCtrl::RefreshIfClean(CPromptInfo* prompt) {
    return IsDirty() ? S_OK : LoadValue(prompt);
}

HRESULT CPVCtrlConfigEditCtrl::ReadValueText(CString* text, CPromptInfo* prompt) {
    return m_spValue->GetValue(text, GetValueType(), prompt);
}

HRESULT CPVCtrlConfigEditCtrl::WriteValueText(const CString& text, CPromptInfo* prompt) {
    return m_spValue->SetValue(text, GetValueType(), prompt);
}

HRESULT CPVCtrlConfigEditCtrl::LoadValue(CPromptInfo* prompt) {
    if (!m_bValid)
        return E_FAIL;
    CString text;
    if (FAILED(ReadValueText(&text, prompt)))
        return E_FAIL;
    const BOOL tracking = GetTrackChanges();
    SetTrackChanges(FALSE);
    SetWindowText(text);
    SetTrackChanges(tracking);
    return S_OK;
}

HRESULT CPVCtrlConfigEditCtrl::SaveValue(CPromptInfo* prompt) {
    if (!m_bValid || !m_pEditMask)
        return E_FAIL;
    CString text;
    GetWindowText(text);
    BOOL stripped = FALSE;
    HRESULT hr = m_pEditMask->ValidateValue(text, &stripped, prompt, 0);
    if (SUCCEEDED(hr))
        hr = WriteValueText(text, prompt);
    if (IsConverterError(hr) && prompt) {
        CString member;
        if (SUCCEEDED(m_spValue->GetMemberName(0, &member)))
            PrefixPromptText(prompt, member.GetString());
    }
    return hr;
}

HRESULT CPVCtrlConfigEditCtrl::SaveShowingPrompt() {
    CPromptInfo prompt;
    const HRESULT hr = SaveIfDirty(&prompt);
    if (IsConverterError(hr))
        PromptMsgHandler(prompt);
    return hr;
}

HRESULT CPVCtrlConfigEditCtrl::Flush() {
    const HRESULT hr = SaveIfDirty(nullptr);
    if (!IsConverterError(hr))
        return hr;
    CString stored;
    if (FAILED(ReadValueText(&stored, nullptr)) || FAILED(WriteValueText(stored, nullptr)))
        return E_FAIL;
    return S_OK;
}

HRESULT CPVCtrlConfigEditCtrl::OnChangedCtrlData(CWnd*, UINT) {
    const HRESULT hr = UpdateEnabledState();
    if (FAILED(hr))
        PVLog(L"Failed to update the Enabled State.");
    return hr;
}

HRESULT CPVCtrlConfigEditCtrl::ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) {
    if (!m_bValid || m_spValue->ContainsMemberName(memberName) != S_OK)
        return E_FAIL;
    DefaultValidationErrorHandler(code, memberName, error);
    return S_OK;
}

HRESULT CPVCtrlConfigEditCtrl::UpdateEnabledState() {
    if (!CPVValueForcing(m_spValue).IsForcingSupported())
        return CPVCtrl::UpdateEnabledState();
    if (CWnd* window = GetCWnd()) {
        window->EnableWindow(TRUE);
        window->SendMessage(EM_SETREADONLY, IsCtrlEnabled() ? FALSE : TRUE);
    }
    return S_OK;
}

void CPVCtrlConfigEditCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
    const bool ctrl = IsKeyDown(VK_CONTROL);
    if (ctrl && ch == kCtrlA) {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
    } else if (ctrl || IsKeyDown(VK_MENU)) {
        Default();
    }
    // The mask then judges every character, a Ctrl or Alt one included (it refuses
    // control codes other than backspace, with a beep).
    if (m_pEditMask && FAILED(m_pEditMask->ValidateKeystroke(this, ch, m_nMaskFlag))) {
        MessageBeep(0);
        return;
    }
    CEdit::OnChar(ch, repeat, flags);
}

LRESULT CPVCtrlConfigEditCtrl::OnPaste(WPARAM, LPARAM) {
    if (!IsWindowEnabled() || (GetStyle() & ES_READONLY) || !m_pEditMask)
        return Default();
    CString pasted;
    if (!ReadClipboardUnicodeText(m_hWnd, pasted))
        return Default();
    const CString wouldBe = TextWithSelectionReplaced(*this, pasted);
    if (FAILED(m_pEditMask->ValidatePaste(wouldBe, pasted, m_nMaskFlag))) {
        MessageBeep(0);
        return 0;
    }
    ReplaceSel(pasted, TRUE);
    return 0;
}

void CPVCtrlConfigEditCtrl::OnSetFocus(CWnd* oldWnd) {
    CEdit::OnSetFocus(oldWnd);
    if (GetStyle() & ES_READONLY) {
        const int length = GetWindowTextLength();
        SetSel(length, length);
    }
    OnCtrlSetFocus();
}

bool CPVCtrlConfigEditCtrl::NormaliseText(CString& text) {
    BOOL stripped = FALSE;
    return m_pEditMask && SUCCEEDED(m_pEditMask->ValidateValue(text, &stripped, nullptr, 0));
}

void CPVCtrlConfigEditCtrl::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    CString text;
    GetWindowText(text);
    CString normalised(text);
    if (NormaliseText(normalised) && normalised != text)
        SetWindowText(normalised);
}

BOOL CPVCtrlConfigEditCtrl::OnReflectedCommand(UINT code) {
    if (code != EN_UPDATE)
        return CEdit::OnReflectedCommand(code);
    CString text;
    GetWindowText(text);
    if (text != m_strLastText) {
        OnTextChanged();
        m_strLastText = text;
    }
    return TRUE;
}
