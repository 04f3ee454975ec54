// CToolTipCtrl: the framework's object for a tooltip window, over the tooltip messages.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/user/CommCtrl.h"

class CToolTipCtrl : public CWnd {
public:
    // A popup tooltip owned by `parent`'s window, with TTS_* styles.
    BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate);
    // One of TTDT_AUTOPOP, TTDT_INITIAL, TTDT_RESHOW, in milliseconds.
    void SetDelayTime(DWORD duration, int time);
    int SetMaxTipWidth(int width);
    BOOL AddTool(TTTOOLINFOW* info);
    // A tool for `wnd`'s area `rect` (null: the whole window by handle) with the id given.
    BOOL AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR id = 0);
    int GetToolCount() const;
};
