#include "platform/user/EditControl.h"

#include <algorithm>
#include <cwchar>

#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/user/Controls.h"
#include "platform/kernel/GlobalMemory.h"
#include "platform/user/KeyboardState.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

bool CEditControl::ReadOnly() const {
    return (Style() & ES_READONLY) != 0;
}

void CEditControl::SyncWindowText() {
    if (CWindow* window = CWindowTable::Instance().Find(m_hwnd))
        window->text = m_text;
}

void CEditControl::Changed() {
    SyncWindowText();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    Notify(EN_UPDATE);
    Notify(EN_CHANGE);
}

void CEditControl::ReplaceSelection(const std::wstring& text, bool undoable, bool typing) {
    const size_t start = SelStart();
    const size_t end = SelEnd();
    const size_t kept = m_text.size() - (end - start);
    const size_t room = kept >= m_limit ? 0 : m_limit - kept;
    std::wstring inserted = text;
    if (inserted.size() > room) {
        inserted.resize(room);
        Notify(EN_MAXTEXT);
        if (!IsWindow(m_hwnd))
            return;
    }
    if (inserted.empty() && start == end)
        return;
    if (undoable) {
        if (!(typing && m_typing))
            m_undo = State{m_text, m_anchor, m_caret};
    }
    m_typing = typing;
    m_text.replace(start, end - start, inserted);
    m_caret = m_anchor = start + inserted.size();
    Changed();
}

void CEditControl::SetSelection(LONG_PTR start, LONG_PTR end) {
    m_typing = false;
    const size_t length = m_text.size();
    if (start == -1) {
        m_anchor = m_caret; // deselect, the caret stays
        return;
    }
    auto clampTo = [length](LONG_PTR v) { return v < 0 ? length : std::min(static_cast<size_t>(v), length); };
    m_anchor = clampTo(start);
    m_caret = clampTo(end);
}

void CEditControl::Copy() {
    if (SelStart() == SelEnd())
        return;
    const std::wstring selected = m_text.substr(SelStart(), SelEnd() - SelStart());
    if (!OpenClipboard(m_hwnd))
        return;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (selected.size() + 1) * sizeof(wchar_t));
    if (mem) {
        auto* out = static_cast<wchar_t*>(GlobalLock(mem));
        std::wmemcpy(out, selected.c_str(), selected.size() + 1);
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_UNICODETEXT, mem))
            GlobalFree(mem);
    }
    CloseClipboard();
}

void CEditControl::Paste() {
    if (ReadOnly())
        return;
    // Use the clipboard as it is when this window already holds it open.
    const bool opened = GetOpenClipboardWindow() != m_hwnd;
    if (opened && !OpenClipboard(m_hwnd))
        return;
    std::wstring text;
    bool found = false;
    if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(mem))) {
            const size_t capacity = GlobalSize(mem) / sizeof(wchar_t);
            text.assign(data, std::find(data, data + capacity, L'\0'));
            found = true;
            GlobalUnlock(mem);
        }
    }
    if (opened)
        CloseClipboard();
    if (!found)
        return;
    // A single line takes the clipboard text up to its first line break.
    text = text.substr(0, text.find_first_of(L"\r\n"));
    ReplaceSelection(text, true, false);
}

void CEditControl::Clear() {
    if (ReadOnly() || SelStart() == SelEnd())
        return;
    ReplaceSelection(std::wstring(), true, false);
}

LRESULT CEditControl::Undo() {
    if (!m_undo)
        return TRUE;
    // One level: undoing again redoes.
    State previous{m_text, m_anchor, m_caret};
    m_text = m_undo->text;
    m_anchor = m_undo->anchor;
    m_caret = m_undo->caret;
    m_undo = previous;
    m_typing = false;
    Changed();
    return TRUE;
}

void CEditControl::OnChar(wchar_t ch) {
    switch (ch) {
    case 0x03: // Ctrl+C
        SendMessageW(m_hwnd, WM_COPY, 0, 0);
        return;
    case 0x16: // Ctrl+V
        if (!ReadOnly())
            SendMessageW(m_hwnd, WM_PASTE, 0, 0);
        return;
    case 0x18: // Ctrl+X
        if (!ReadOnly())
            SendMessageW(m_hwnd, WM_CUT, 0, 0);
        return;
    case 0x1A: // Ctrl+Z
        if (!ReadOnly())
            SendMessageW(m_hwnd, WM_UNDO, 0, 0);
        return;
    case 0x08: // Backspace
        if (ReadOnly())
            return;
        if (SelStart() == SelEnd()) {
            if (m_caret == 0)
                return;
            const bool typing = m_typing;
            m_anchor = m_caret - 1;
            m_typing = typing;
        }
        ReplaceSelection(std::wstring(), true, true);
        return;
    default:
        break;
    }
    if (ch < 0x20 || ch == 0x7F || ReadOnly())
        return;
    if ((Style() & ES_NUMBER) && (ch < L'0' || ch > L'9')) {
        MessageBeep(0xFFFFFFFF);
        return;
    }
    ReplaceSelection(std::wstring(1, ch), true, true);
}

void CEditControl::OnKeyDown(WPARAM vk) {
    const bool shift = CKeyboardState::Instance().IsDown(VK_SHIFT);
    size_t caret = m_caret;
    switch (vk) {
    case VK_LEFT:
        if (!shift && SelStart() != SelEnd())
            caret = SelStart();
        else if (caret > 0)
            --caret;
        break;
    case VK_RIGHT:
        if (!shift && SelStart() != SelEnd())
            caret = SelEnd();
        else if (caret < m_text.size())
            ++caret;
        break;
    case VK_HOME:
        caret = 0;
        break;
    case VK_END:
        caret = m_text.size();
        break;
    case VK_DELETE:
        if (ReadOnly())
            return;
        if (shift) {
            SendMessageW(m_hwnd, WM_CUT, 0, 0);
            return;
        }
        if (SelStart() == SelEnd()) {
            if (m_caret >= m_text.size())
                return;
            m_anchor = m_caret + 1;
        }
        ReplaceSelection(std::wstring(), true, false);
        return;
    default:
        return;
    }
    m_typing = false;
    m_caret = caret;
    if (!shift)
        m_anchor = caret;
}

LRESULT CEditControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            m_text = cs->lpszName;
        SyncWindowText();
        return TRUE;
    }
    case WM_SETTEXT:
        m_text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        m_anchor = m_caret = 0;
        m_undo.reset();
        m_typing = false;
        Changed();
        return TRUE;
    case WM_GETTEXT: {
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        if (!out || wParam == 0)
            return 0;
        const size_t count = std::min(m_text.size(), static_cast<size_t>(wParam - 1));
        std::wmemcpy(out, m_text.c_str(), count);
        out[count] = L'\0';
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR:
        OnChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(m_hwnd);
        return 0;
    case WM_SETFOCUS:
        m_focused = true;
        Notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        Notify(EN_KILLFOCUS);
        return 0;
    case WM_COPY:
        Copy();
        return 0;
    case WM_CUT:
        Copy();
        Clear();
        return 0;
    case WM_CLEAR:
        Clear();
        return 0;
    case WM_PASTE:
        Paste();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        return Undo();
    case EM_CANUNDO:
        return m_undo ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        m_undo.reset();
        m_typing = false;
        return 0;
    case EM_GETSEL: {
        const size_t start = SelStart();
        const size_t end = SelEnd();
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        if (start > 0xFFFF || end > 0xFFFF)
            return -1;
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
    }
    case EM_SETSEL:
        SetSelection(static_cast<LONG_PTR>(static_cast<INT>(wParam)),
                     static_cast<LONG_PTR>(static_cast<INT>(lParam)));
        return 0;
    case EM_SCROLLCARET:
        return TRUE;
    case EM_REPLACESEL:
        ReplaceSelection(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"", wParam != 0, false);
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 ? kMaximumLimit : static_cast<UINT>(std::min<WPARAM>(wParam, kMaximumLimit));
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(m_limit);
    case EM_SETREADONLY:
        if (CWindow* window = CWindowTable::Instance().Find(m_hwnd)) {
            if (wParam)
                window->style |= ES_READONLY;
            else
                window->style &= ~ES_READONLY;
        }
        return TRUE;
    default:
        return Default(msg, wParam, lParam);
    }
}

void CEditControl::Describe(nlohmann::json& out) const {
    out["text"] = CTextCodec::ToUtf8(m_text);
    out["selection"] = {SelStart(), SelEnd()};
    out["limit"] = m_limit;
    out["readOnly"] = ReadOnly();
    out["canUndo"] = m_undo.has_value();
}
