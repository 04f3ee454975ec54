// CButton: the framework's object for a button. An owner-drawn button draws in DrawItem,
// which the parent's WM_DRAWITEM reaches by reflection.
#pragma once

#include "platform/mfc/Wnd.h"

class CButton : public CWnd {
public:
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem) override;
};
