#include "platform/user/ComboBoxControl.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/user/Controls.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

namespace {

bool EqualNoCase(const std::wstring& a, const wchar_t* b) {
    const size_t length = std::wcslen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

bool LessNoCase(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(x) < std::towlower(y);
    });
}

} // namespace

void CComboBoxControl::SyncWindowText() {
    if (CWindow* window = CWindowTable::Instance().Find(m_hwnd))
        window->text = m_selection >= 0 ? m_items[static_cast<size_t>(m_selection)].text : std::wstring();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CComboBoxControl::Select(int index) {
    m_selection = index;
    SyncWindowText();
}

void CComboBoxControl::Open() {
    if (m_dropped)
        return;
    // The parent hears of the list before it opens, so it may still fill it.
    Notify(CBN_DROPDOWN);
    if (!IsWindow(m_hwnd))
        return;
    m_dropped = true;
    m_selectionAtOpen = m_selection;
}

void CComboBoxControl::Close(bool ok) {
    if (!m_dropped)
        return;
    m_tracking = false;
    Notify(ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!IsWindow(m_hwnd))
        return;
    // A cancelled pick leaves the selection as it was when the list opened.
    if (!ok && m_selection != m_selectionAtOpen)
        Select(m_selectionAtOpen < static_cast<int>(m_items.size()) ? m_selectionAtOpen : -1);
    m_dropped = false;
    Notify(CBN_CLOSEUP);
}

void CComboBoxControl::OnKeyDown(WPARAM vk, bool alt) {
    if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
        if (m_dropped)
            Close(true);
        else
            Open();
        return;
    }
    if (m_dropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
        Close(vk == VK_RETURN);
        return;
    }
    const int count = static_cast<int>(m_items.size());
    if (count == 0)
        return;
    int next = m_selection;
    switch (vk) {
    case VK_DOWN:
    case VK_RIGHT:
        next = std::min(m_selection + 1, count - 1);
        break;
    case VK_UP:
    case VK_LEFT:
        next = m_selection < 0 ? 0 : std::max(m_selection - 1, 0);
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    default:
        return;
    }
    if (next == m_selection)
        return;
    Select(next);
    // On a closed list each step is a finished choice: CBN_SELENDOK, then CBN_SELCHANGE.
    if (!m_dropped)
        Notify(CBN_SELENDOK);
    if (IsWindow(m_hwnd))
        Notify(CBN_SELCHANGE);
}

void CComboBoxControl::OnButton(UINT msg, int x, int y) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const bool inField = x >= 0 && x < client.right && y >= 0 && y < client.bottom;
    const int listTop = client.bottom;
    const int listBottom = listTop + m_itemHeight * static_cast<int>(m_items.size());
    const int listWidth = std::max<int>(m_droppedWidth, client.right);
    const bool inList = m_dropped && x >= 0 && x < listWidth && y >= listTop && y < listBottom;
    if (msg == WM_LBUTTONDOWN) {
        if (!m_dropped) {
            if (inField) {
                SetFocus(m_hwnd);
                if (IsWindow(m_hwnd) && GetFocus() == m_hwnd)
                    Open();
            }
            return;
        }
        if (inList) {
            // The list follows the pressed button; the item is taken on release.
            m_tracking = true;
            const int item = (y - listTop) / m_itemHeight;
            if (item != m_selection) {
                Select(item);
                Notify(CBN_SELCHANGE);
            }
            return;
        }
        Close(false); // a press beside the open list (or on its field) cancels
        return;
    }
    if (msg == WM_LBUTTONUP && m_dropped && m_tracking && inList)
        Close(true);
}

LRESULT CComboBoxControl::Find(WPARAM start, const wchar_t* text) const {
    if (!text || m_items.empty())
        return CB_ERR;
    const size_t count = m_items.size();
    const INT first = static_cast<INT>(start);
    const size_t begin =
        (first < 0 || static_cast<size_t>(first) >= count) ? 0 : static_cast<size_t>(first) + 1;
    for (size_t step = 0; step < count; ++step) {
        const size_t index = (begin + step) % count;
        if (EqualNoCase(m_items[index].text, text))
            return static_cast<LRESULT>(index);
    }
    return CB_ERR;
}

LRESULT CComboBoxControl::Insert(size_t index, const wchar_t* text) {
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), Item{text ? text : L"", 0});
    if (m_selection >= static_cast<int>(index))
        ++m_selection;
    return static_cast<LRESULT>(index);
}

LRESULT CComboBoxControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        // The closed box is as high as its field; the height asked for is the list's.
        if (CWindow* window = CWindowTable::Instance().Find(m_hwnd)) {
            m_droppedHeight = window->rect.bottom - window->rect.top;
            window->rect.bottom = window->rect.top + WindowHeight();
            window->text.clear();
        }
        return TRUE;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & SWP_NOSIZE) && pos->cy != WindowHeight()) {
            m_droppedHeight = pos->cy;
            pos->cy = WindowHeight();
        }
        return 0;
    }
    case WM_SETTEXT: {
        const LRESULT found = Find(static_cast<WPARAM>(-1), reinterpret_cast<const wchar_t*>(lParam));
        if (found == CB_ERR)
            return CB_ERR;
        Select(static_cast<int>(found));
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        if (!out || wParam == 0)
            return 0;
        const std::wstring text = m_selection >= 0 ? m_items[static_cast<size_t>(m_selection)].text : L"";
        const size_t count = std::min(text.size(), static_cast<size_t>(wParam - 1));
        std::wmemcpy(out, text.c_str(), count);
        out[count] = L'\0';
        return static_cast<LRESULT>(count);
    }
    case WM_GETTEXTLENGTH:
        return m_selection >= 0 ? static_cast<LRESULT>(m_items[static_cast<size_t>(m_selection)].text.size())
                                : 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        OnKeyDown(wParam, false);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            OnKeyDown(wParam, true);
            return 0;
        }
        return Default(msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        OnButton(msg, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SETFOCUS:
        Notify(CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        Close(false);
        if (IsWindow(m_hwnd))
            Notify(CBN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        if (!wParam)
            Close(false);
        return 0;
    case CB_ADDSTRING: {
        size_t index = m_items.size();
        if (Style() & CBS_SORT) {
            const std::wstring text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            index = static_cast<size_t>(std::upper_bound(m_items.begin(), m_items.end(), text,
                                                         [](const std::wstring& t, const Item& item) {
                                                             return LessNoCase(t, item.text);
                                                         }) -
                                        m_items.begin());
        }
        return Insert(index, reinterpret_cast<const wchar_t*>(lParam));
    }
    case CB_INSERTSTRING: {
        const INT index = static_cast<INT>(wParam);
        if (index == -1)
            return Insert(m_items.size(), reinterpret_cast<const wchar_t*>(lParam));
        if (index < 0 || static_cast<size_t>(index) > m_items.size())
            return CB_ERR;
        return Insert(static_cast<size_t>(index), reinterpret_cast<const wchar_t*>(lParam));
    }
    case CB_DELETESTRING: {
        if (!Valid(wParam))
            return CB_ERR;
        const int index = static_cast<int>(wParam);
        m_items.erase(m_items.begin() + index);
        if (m_selection == index)
            Select(-1);
        else if (m_selection > index)
            --m_selection;
        return static_cast<LRESULT>(m_items.size());
    }
    case CB_RESETCONTENT:
        m_items.clear();
        Select(-1);
        return CB_OKAY;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case CB_GETCURSEL:
        return m_selection;
    case CB_SETCURSEL:
        // No notification: only a user's choice is announced.
        if (!Valid(wParam)) {
            Select(-1);
            return CB_ERR;
        }
        Select(static_cast<int>(wParam));
        return m_selection;
    case CB_GETLBTEXT: {
        if (!Valid(wParam))
            return CB_ERR;
        const std::wstring& text = m_items[wParam].text;
        if (auto* out = reinterpret_cast<wchar_t*>(lParam))
            std::wmemcpy(out, text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    case CB_GETLBTEXTLEN:
        return Valid(wParam) ? static_cast<LRESULT>(m_items[wParam].text.size()) : CB_ERR;
    case CB_FINDSTRINGEXACT:
        return Find(wParam, reinterpret_cast<const wchar_t*>(lParam));
    case CB_SETITEMDATA:
        if (!Valid(wParam))
            return CB_ERR;
        m_items[wParam].data = lParam;
        return TRUE;
    case CB_GETITEMDATA:
        return Valid(wParam) ? m_items[wParam].data : CB_ERR;
    case CB_SHOWDROPDOWN:
        if (wParam)
            Open();
        else
            Close(false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return m_dropped ? TRUE : FALSE;
    case CB_SETITEMHEIGHT: {
        const INT index = static_cast<INT>(wParam);
        const LPARAM height = lParam;
        if (height <= 0 || height > 255 || index < -1)
            return CB_ERR;
        if (index == -1) {
            m_fieldHeight = static_cast<int>(height);
            if (CWindow* window = CWindowTable::Instance().Find(m_hwnd))
                window->rect.bottom = window->rect.top + WindowHeight();
        } else {
            m_itemHeight = static_cast<int>(height);
        }
        return CB_OKAY;
    }
    case CB_GETITEMHEIGHT: {
        const INT index = static_cast<INT>(wParam);
        if (index == -1)
            return m_fieldHeight;
        return index >= 0 ? m_itemHeight : CB_ERR;
    }
    case CB_SETDROPPEDWIDTH: {
        const INT width = static_cast<INT>(wParam);
        if (width < 0)
            return CB_ERR;
        m_droppedWidth = width;
        RECT rect{};
        GetWindowRect(m_hwnd, &rect);
        return std::max<LRESULT>(width, rect.right - rect.left);
    }
    case CB_GETDROPPEDWIDTH: {
        RECT rect{};
        GetWindowRect(m_hwnd, &rect);
        return std::max<LRESULT>(m_droppedWidth, rect.right - rect.left);
    }
    case CB_GETDROPPEDCONTROLRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out)
            return CB_ERR;
        RECT rect{};
        GetWindowRect(m_hwnd, &rect);
        *out = RECT{rect.left, rect.top, rect.right, rect.top + std::max(m_droppedHeight, WindowHeight())};
        return TRUE;
    }
    default:
        return Default(msg, wParam, lParam);
    }
}

void CComboBoxControl::Describe(nlohmann::json& out) const {
    nlohmann::json items = nlohmann::json::array();
    for (const Item& item : m_items)
        items.push_back(CTextCodec::ToUtf8(item.text));
    out["items"] = items;
    out["selection"] = m_selection;
    out["dropped"] = m_dropped;
}
