#include "platform/mfc/TabCtrl.h"

int CTabCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(TCM_GETITEMCOUNT));
}

int CTabCtrl::GetCurSel() const {
    return static_cast<int>(SendMessage(TCM_GETCURSEL));
}

int CTabCtrl::SetCurSel(int index) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

LONG CTabCtrl::InsertItem(int index, TCITEMW* item) {
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

LONG CTabCtrl::InsertItem(int index, LPCWSTR text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(text);
    return InsertItem(index, &item);
}

BOOL CTabCtrl::GetItem(int index, TCITEMW* item) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::SetItem(int index, TCITEMW* item) {
    return static_cast<BOOL>(
        SendMessage(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::DeleteItem(int index) {
    return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CTabCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS));
}

BOOL CTabCtrl::GetItemRect(int index, RECT* rect) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

int CTabCtrl::GetRowCount() const {
    return static_cast<int>(SendMessage(TCM_GETROWCOUNT));
}

void CTabCtrl::AdjustRect(BOOL larger, RECT* rect) {
    SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect));
}

void CTabCtrl::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CTabCtrl::OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem) {
    DrawItem(drawItem);
    return TRUE;
}
