// CTabCtrl: the framework's object for a tab control, over the tab messages. An
// owner-drawn strip draws its items in DrawItem, reached by reflection.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/user/CommCtrl.h"

class CTabCtrl : public CWnd {
public:
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    // The new item's index, -1 on failure.
    LONG InsertItem(int index, TCITEMW* item);
    LONG InsertItem(int index, LPCWSTR text);
    BOOL GetItem(int index, TCITEMW* item) const;
    BOOL SetItem(int index, TCITEMW* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL GetItemRect(int index, RECT* rect) const;
    int HitTest(TCHITTESTINFO* info) const;
    int GetRowCount() const;
    void AdjustRect(BOOL larger, RECT* rect);
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem) override;
};
