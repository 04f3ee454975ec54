#include "profile/panel/PVTabCtrl.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "profile/panel/PVTabPage.h"

namespace {

constexpr int kTitleBufferLength = 1024;
// Between the strip's edge and a page.
constexpr LONG kPageInset = 2;
constexpr LONG kPageGap = 6;
// The strip's frame beyond its rows of tabs.
constexpr LONG kStripFrame = 4;

} // namespace

HRESULT CPVTabCtrl::AddTab(CPVTabPage* page, const wchar_t* title) {
    if (!page)
        return E_FAIL;
    m_entries.push_back(CTabEntry{page, page->GetTemplateId(), CString(title)});
    return S_OK;
}

void CPVTabCtrl::PreSubclassWindow() {
    CTabCtrl::PreSubclassWindow();
    ModifyStyle(0, TCS_OWNERDRAWFIXED);
    CreateTabs();
}

void CPVTabCtrl::CreateTabs() {
    CWnd* parent = GetParent();
    if (!parent)
        return;
    for (CTabEntry& entry : m_entries) {
        if (!entry.page)
            break;
        entry.page->SetTabCtrl(this);
        const int item = GetItemCount();
        CString title = entry.title;
        if (title.IsEmpty())
            title.Format(L"%d", item);
        if (InsertItem(item, title) < 0)
            break;
        if (!entry.page->Create(entry.templateId, parent)) {
            DeleteItem(item);
            break;
        }
        PlacePage(*entry.page, item);
    }
    // The strip and the page shown agree from the start: the selected tab's page only.
    const int selected = GetCurSel();
    for (int item = 0; item < GetItemCount(); ++item)
        if (CPVTabPage* page = PageAt(item))
            page->ShowWindow(item == selected ? SW_SHOW : SW_HIDE);
}

void CPVTabCtrl::PlacePage(CPVTabPage& page, int item) {
    RECT strip{};
    RECT parent{};
    RECT tab{};
    GetWindowRect(&strip);
    GetParent()->GetWindowRect(&parent);
    GetItemRect(item, &tab);
    LONG x = strip.left - parent.left + kPageInset;
    LONG y = strip.top - parent.top + kPageGap;
    const DWORD style = GetStyle();
    if (style & TCS_VERTICAL) {
        // Tabs down one side: the page stands beside them.
        x = strip.left - parent.left + kPageGap;
        y = strip.top - parent.top + kPageInset;
        if (!(style & TCS_RIGHT))
            x += GetRowCount() * (tab.right - tab.left);
    } else if (!(style & TCS_BOTTOM)) {
        y += GetRowCount() * (tab.bottom - tab.top);
    }
    page.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CPVTabPage* CPVTabCtrl::PageAt(int index) const {
    return index >= 0 && index < GetTabCount() ? m_entries[static_cast<size_t>(index)].page : nullptr;
}

HRESULT CPVTabCtrl::SelectTab(int from, int to) {
    if (!IsTab(from) || !IsTab(to))
        return E_FAIL;
    if (from == to)
        return S_OK;
    CPVTabPage* current = PageAt(from);
    CPVTabPage* target = PageAt(to);
    if (!current || !target)
        return E_FAIL;
    if (!current->MayLeave()) {
        SetCurSel(from);
        return E_FAIL;
    }
    if (!target->MayShow())
        return E_FAIL;
    current->ShowWindow(SW_HIDE);
    target->ShowWindow(SW_SHOW);
    SetCurSel(to);
    return S_OK;
}

HRESULT CPVTabCtrl::SelectTab(int to) {
    return SelectTab(GetCurSel(), to);
}

int CPVTabCtrl::IndexOf(const CPVTabPage* page) const {
    for (int index = 0; index < GetTabCount(); ++index)
        if (m_entries[static_cast<size_t>(index)].page == page)
            return index;
    return -1;
}

HRESULT CPVTabCtrl::GetTabTitle(int index, CString& title) const {
    wchar_t buffer[kTitleBufferLength] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = kTitleBufferLength;
    if (!GetItem(index, &item))
        return E_FAIL;
    title = buffer;
    return S_OK;
}

HRESULT CPVTabCtrl::SetTabTitle(int index, const wchar_t* title) {
    if (!IsTab(index))
        return E_FAIL;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(title);
    return SetItem(index, &item) ? S_OK : E_FAIL;
}

void CPVTabCtrl::GetDisplayArea(RECT* rect) const {
    if (!rect)
        return;
    GetClientRect(rect);
    RECT first{};
    GetItemRect(0, &first);
    const DWORD style = GetStyle();
    const bool vertical = (style & TCS_VERTICAL) != 0;
    const LONG extent = vertical ? first.right - first.left : first.bottom - first.top;
    const LONG strip = GetRowCount() * extent + kStripFrame;
    // TCS_RIGHT and TCS_BOTTOM are one bit: the far side of whichever axis the tabs use.
    const bool farSide = (style & TCS_BOTTOM) != 0;
    if (vertical && farSide)
        rect->right -= strip;
    else if (vertical)
        rect->left += strip;
    else if (farSide)
        rect->bottom -= strip;
    else
        rect->top += strip;
}

void CPVTabCtrl::MarkCurrentTabModified() {
    if (!m_bShowModifiedMarker)
        return;
    const int current = GetCurSel();
    CString title;
    if (FAILED(GetTabTitle(current, title)))
        return;
    if (!title.IsEmpty() && title[title.GetLength() - 1] == kModifiedMarker)
        return;
    title += kModifiedMarker;
    SetTabTitle(current, title);
}

void CPVTabCtrl::RemoveModifiedMarkers() {
    for (int index = 0; index < GetItemCount(); ++index) {
        CString title;
        if (SUCCEEDED(GetTabTitle(index, title)) && !title.IsEmpty() &&
            title[title.GetLength() - 1] == kModifiedMarker)
            SetTabTitle(index, title.Left(title.GetLength() - 1));
    }
}

void CPVTabCtrl::DrawItem(DRAWITEMSTRUCT* drawItem) {
    if (!drawItem || !drawItem->hDC)
        return;
    HDC dc = drawItem->hDC;
    FillRect(dc, &drawItem->rcItem, GetSysColorBrush(COLOR_3DFACE));
    SetBkMode(dc, TRANSPARENT);
    // The stand-in's strips carry no image list, so a tab is its title alone.
    RECT text = drawItem->rcItem;
    const LONG edge = GetSystemMetrics(SM_CYEDGE);
    const LONG down = (GetStyle() & TCS_BUTTONS) ? edge : 2 * edge;
    text.top += down;
    text.bottom += down;
    CString title;
    GetTabTitle(static_cast<int>(drawItem->itemID), title);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, title, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CPVTabCtrl::OnKeyDown(UINT vk, UINT repeat, UINT flags) {
    const int current = GetCurSel();
    switch (vk) {
    case VK_RIGHT:
    case VK_DOWN:
        // No wrap-around: the last tab stays.
        if (current + 1 < GetItemCount())
            SelectTab(current, current + 1);
        return;
    case VK_LEFT:
    case VK_UP:
        if (current > 0)
            SelectTab(current, current - 1);
        return;
    default:
        CTabCtrl::OnKeyDown(vk, repeat, flags);
    }
}

void CPVTabCtrl::OnLButtonDown(UINT flags, POINT point) {
    TCHITTESTINFO hit{};
    hit.pt = point;
    const int index = HitTest(&hit);
    // A press beside the tabs, or on a tab whose switch was refused, goes no further.
    if (index < 0 || FAILED(SelectTab(GetCurSel(), index)))
        return;
    CTabCtrl::OnLButtonDown(flags, point);
}

void CPVTabCtrl::OnDestroy() {
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry)
        if (entry->page && entry->page->GetSafeHwnd())
            entry->page->DestroyWindow();
    m_entries.clear();
    CTabCtrl::OnDestroy();
}
