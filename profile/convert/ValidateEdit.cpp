#include "profile/convert/ValidateEdit.h"

#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "profile/convert/PasteText.h"

namespace {
constexpr UINT kCtrlA = 1;

bool IsKeyDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}
} // namespace

void CValidateEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    const bool ctrl = IsKeyDown(VK_CONTROL);
    const bool alt = IsKeyDown(VK_MENU);
    if (alt && !ctrl) {
        Default();
        return;
    }
    if (!ctrl && !alt) {
        // A refused character is dropped without a word: the mask speaks for itself.
        if (SUCCEEDED(ValidateChar(ch)))
            ProcessChar(ch, repeat, flags);
        return;
    }
    if (ch == kCtrlA) {
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
        return;
    }
    Default();
}

LRESULT CValidateEdit::OnPaste(WPARAM, LPARAM) {
    if (!IsWindowEnabled() || (GetStyle() & ES_READONLY))
        return 0;
    CString pasted;
    if (!ReadClipboardUnicodeText(m_hWnd, pasted))
        return Default();
    const CString wouldBe = TextWithSelectionReplaced(*this, pasted);
    if (FAILED(ValidateText(wouldBe, pasted))) {
        MessageBeep(0);
        return 0;
    }
    ReplaceSel(pasted, TRUE);
    return 0;
}

void CValidateEdit::OnSetFocus(CWnd* oldWnd) {
    CEdit::OnSetFocus(oldWnd);
    if (GetStyle() & ES_READONLY) {
        // A read-only box shows a caret, not a selection a user might think editable.
        int start = 0;
        int end = 0;
        GetSel(start, end);
        SetSel(end, end);
        SendMessage(EM_SCROLLCARET);
    }
}

BOOL CValidateEdit::OnReflectedCommand(UINT code) {
    if (code != EN_UPDATE)
        return CEdit::OnReflectedCommand(code);
    CString text;
    GetWindowText(text);
    if (text.Compare(m_lastText) != 0)
        OnTextChanged();
    m_lastText = text;
    return TRUE;
}
