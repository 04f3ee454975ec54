// The single-line edit control: text, selection, limit, read-only state, one level of
// undo, typing, the clipboard commands, and EN_ notifications in Windows' order.
#pragma once

#include <optional>
#include <string>

#include "platform/user/Control.h"

class CEditControl : public CControl {
public:
    explicit CEditControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

    // Until EM_LIMITTEXT says otherwise, a user may type this many characters.
    static constexpr UINT kDefaultLimit = 32767;
    // EM_LIMITTEXT with 0 means as much as a single-line edit can hold.
    static constexpr UINT kMaximumLimit = 0x7FFFFFFE;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct State {
        std::wstring text;
        size_t anchor;
        size_t caret;
    };

    size_t SelStart() const { return std::min(m_anchor, m_caret); }
    size_t SelEnd() const { return std::max(m_anchor, m_caret); }
    bool ReadOnly() const;
    // Replaces the selection within the limit (EN_MAXTEXT when cut short), then
    // EN_UPDATE and EN_CHANGE when something changed.
    void ReplaceSelection(const std::wstring& text, bool undoable, bool typing);
    void SetSelection(LONG_PTR start, LONG_PTR end);
    void OnChar(wchar_t ch);
    void OnKeyDown(WPARAM vk);
    void Copy();
    void Paste();
    void Clear();
    LRESULT Undo();
    void Changed();
    void SyncWindowText();

    std::wstring m_text;
    size_t m_anchor = 0;
    size_t m_caret = 0;
    UINT m_limit = kDefaultLimit;
    std::optional<State> m_undo;
    bool m_typing = false;
    bool m_focused = false;
};
