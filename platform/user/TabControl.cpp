#include "platform/user/TabControl.h"

#include <algorithm>
#include <cwchar>

#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/UserDrawing.h"

RECT CTabControl::ItemRect(size_t index) const {
    const bool buttons = (Style() & TCS_BUTTONS) != 0;
    LONG left = kMargin;
    for (size_t i = 0; i < index; ++i)
        left += static_cast<LONG>(m_items[i].text.size()) * kCharWidth + 2 * kPadding +
                (buttons ? kButtonGap : 0);
    const LONG width = static_cast<LONG>(m_items[index].text.size()) * kCharWidth + 2 * kPadding;
    LONG top = kMargin;
    if (Style() & TCS_BOTTOM) {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        top = client.bottom - kMargin - kItemHeight;
    }
    return RECT{left, top, left + width, top + kItemHeight};
}

int CTabControl::HitTest(POINT pt) const {
    for (size_t i = 0; i < m_items.size(); ++i) {
        const RECT r = ItemRect(i);
        if (pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

LRESULT CTabControl::NotifyParent(UINT code) {
    HWND parent = GetParent(m_hwnd);
    if (!parent)
        return 0;
    NMHDR header{m_hwnd, static_cast<UINT_PTR>(Id()), code};
    return SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&header));
}

void CTabControl::UserSelect(int index) {
    if (index < 0 || index == m_selection)
        return;
    if (NotifyParent(TCN_SELCHANGING))
        return; // the parent refused
    if (!IsWindow(m_hwnd) || index >= static_cast<int>(m_items.size()))
        return;
    m_selection = index;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    NotifyParent(TCN_SELCHANGE);
}

void CTabControl::SetFields(Item& item, const TCITEMW& source) {
    if ((source.mask & TCIF_TEXT) && source.pszText)
        item.text = source.pszText;
    if (source.mask & TCIF_IMAGE)
        item.image = source.iImage;
    if (source.mask & TCIF_PARAM)
        item.param = source.lParam;
    if (source.mask & TCIF_STATE)
        item.state = (item.state & ~source.dwStateMask) | (source.dwState & source.dwStateMask);
}

void CTabControl::DrawOwnerItems(HDC dc) const {
    HWND parent = GetParent(m_hwnd);
    // The owner draws in the strip's font, as the control selects it before asking.
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    for (size_t i = 0; parent && i < m_items.size() && IsWindow(m_hwnd); ++i) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_TAB;
        draw.CtlID = static_cast<UINT>(Id());
        draw.itemID = static_cast<UINT>(i);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = static_cast<int>(i) == m_selection ? ODS_SELECTED : 0;
        draw.hwndItem = m_hwnd;
        draw.hDC = dc;
        draw.rcItem = ItemRect(i);
        draw.itemData = static_cast<ULONG_PTR>(m_items[i].param);
        SendMessageW(parent, WM_DRAWITEM, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&draw));
    }
    if (before)
        SelectObject(dc, before);
}

void CTabControl::Paint() {
    // Owner-drawn tabs are drawn by the parent, item by item, on the strip's device context.
    if (Style() & TCS_OWNERDRAWFIXED) {
        if (HDC dc = GetDC(m_hwnd)) {
            DrawOwnerItems(dc);
            ReleaseDC(m_hwnd, dc);
        }
    }
    Default(WM_PAINT, 0, 0);
}

LRESULT CTabControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TCM_INSERTITEMW: {
        const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
        const INT index = static_cast<INT>(wParam);
        if (!item || index < 0)
            return -1;
        const size_t at = std::min(static_cast<size_t>(index), m_items.size());
        Item entry;
        SetFields(entry, *item);
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), entry);
        if (m_items.size() == 1)
            m_selection = 0; // the first tab is selected
        else if (m_selection >= static_cast<int>(at))
            ++m_selection;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(at);
    }
    case TCM_SETITEMW: {
        const auto* item = reinterpret_cast<const TCITEMW*>(lParam);
        if (!item || !Valid(wParam))
            return FALSE;
        SetFields(m_items[wParam], *item);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    case TCM_GETITEMW: {
        auto* item = reinterpret_cast<TCITEMW*>(lParam);
        if (!item || !Valid(wParam))
            return FALSE;
        const Item& entry = m_items[wParam];
        if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            const size_t count = std::min(entry.text.size(), static_cast<size_t>(item->cchTextMax - 1));
            std::wmemcpy(item->pszText, entry.text.c_str(), count);
            item->pszText[count] = L'\0';
        }
        if (item->mask & TCIF_IMAGE)
            item->iImage = entry.image;
        if (item->mask & TCIF_PARAM)
            item->lParam = entry.param;
        if (item->mask & TCIF_STATE)
            item->dwState = entry.state & item->dwStateMask;
        return TRUE;
    }
    case TCM_DELETEITEM: {
        if (!Valid(wParam))
            return FALSE;
        const int index = static_cast<int>(wParam);
        m_items.erase(m_items.begin() + index);
        if (m_selection == index)
            m_selection = -1;
        else if (m_selection > index)
            --m_selection;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    case TCM_DELETEALLITEMS:
        m_items.clear();
        m_selection = -1;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case TCM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_items.size());
    case TCM_GETCURSEL:
        return m_selection;
    case TCM_SETCURSEL: {
        // No notification: only a user's switch is announced.
        if (!Valid(wParam))
            return -1;
        const int previous = m_selection;
        m_selection = static_cast<int>(wParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return previous;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        const int hit = HitTest(info->pt);
        info->flags = hit < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
        return hit;
    }
    case TCM_GETROWCOUNT:
        return 1;
    case TCM_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out || !Valid(wParam))
            return FALSE;
        *out = ItemRect(wParam);
        return TRUE;
    }
    case TCM_ADJUSTRECT: {
        // The display area is the rectangle less the strip (one row plus 4) on the tabs'
        // side and less a 2-pixel border on the other sides; TRUE goes the other way.
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect)
            return 0;
        const LONG strip = kItemHeight + 4;
        const LONG sign = wParam ? -1 : 1;
        const bool bottom = (Style() & TCS_BOTTOM) != 0;
        rect->left += sign * kMargin;
        rect->right -= sign * kMargin;
        rect->top += sign * (bottom ? kMargin : strip);
        rect->bottom -= sign * (bottom ? strip : kMargin);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        if (Style() & TCS_FOCUSONBUTTONDOWN)
            SetFocus(m_hwnd);
        UserSelect(HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RIGHT || wParam == VK_DOWN) {
            if (m_selection + 1 < static_cast<int>(m_items.size()))
                UserSelect(m_selection + 1);
        } else if (wParam == VK_LEFT || wParam == VK_UP) {
            if (m_selection > 0)
                UserSelect(m_selection - 1);
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return Default(msg, wParam, lParam);
    }
}

void CTabControl::Describe(nlohmann::json& out) const {
    nlohmann::json items = nlohmann::json::array();
    for (const Item& item : m_items)
        items.push_back(CTextCodec::ToUtf8(item.text));
    out["items"] = items;
    out["selection"] = m_selection;
    if (!(Style() & TCS_OWNERDRAWFIXED))
        return;
    nlohmann::json rects = nlohmann::json::array();
    for (size_t i = 0; i < m_items.size(); ++i) {
        const RECT r = ItemRect(i);
        rects.push_back({r.left, r.top, r.right, r.bottom});
    }
    out["itemRects"] = rects;
    out["ownerDrawn"] = OwnerDrawing();
}

nlohmann::json CTabControl::OwnerDrawing() const {
    // What the owner draws, recorded on a memory device context, so that a picture of the
    // strip shows the owner's drawing and not the control's own.
    nlohmann::json drawn = nlohmann::json::array();
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return drawn;
    DrawOwnerItems(dc);
    std::vector<DrawRecord> records;
    GdiRecordedDrawing(dc, &records);
    DeleteDC(dc);
    for (const DrawRecord& record : records) {
        if (record.op != DrawOp::FillRect && record.op != DrawOp::Text)
            continue;
        nlohmann::json entry = {
            {"op", record.op == DrawOp::FillRect ? "fill" : "text"},
            {"rect", {record.rect.left, record.rect.top, record.rect.right, record.rect.bottom}},
            {"color", record.color}};
        for (const DrawnLine& line : record.lines)
            entry["lines"].push_back({{"text", CTextCodec::ToUtf8(line.text)}, {"x", line.x}, {"y", line.y}});
        drawn.push_back(entry);
    }
    return drawn;
}
