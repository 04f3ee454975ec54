// CComboBox: the framework's object for a combo box, over the combo-box messages.
#pragma once

#include "platform/mfc/Wnd.h"

class CComboBox : public CWnd {
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int AddString(LPCWSTR text);
    int InsertString(int index, LPCWSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    // The item's text; an index that is not an item empties `text` and answers CB_ERR.
    int GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindStringExact(int startAfter, LPCWSTR text) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    void GetDroppedControlRect(RECT* rect) const;
    int GetDroppedWidth() const;
    int SetDroppedWidth(UINT width);
    int GetItemHeight(int index) const;
    int SetItemHeight(int index, UINT height);
};
