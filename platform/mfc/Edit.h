// CEdit: the framework's object for an edit control, over the edit messages.
#pragma once

#include "platform/mfc/Wnd.h"

class CEdit : public CWnd {
public:
    // Selects from `start` to `end` (-1: to the end; start -1 removes the selection).
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCWSTR text, BOOL canUndo = FALSE);
    void SetLimitText(UINT max);
    void LimitText(int max = 0) { SetLimitText(static_cast<UINT>(max)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
};
