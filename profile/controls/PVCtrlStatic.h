// The base of label-like controls: a static item of the page that shows its full text
// in a tooltip when the text does not fit, and is never greyed by the controller's state.
#pragma once

#include "platform/mfc/Static.h"
#include "platform/mfc/String.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "platform/user/CommCtrl.h"
#include "profile/controls/PVCtrl.h"

class CPVCtrlStatic : public CStatic, public CPVCtrl {
public:
    explicit CPVCtrlStatic(UINT dialogItemId) : CPVCtrl(dialogItemId) {}

    // Creates the tooltip over the label's area of the page window.
    void PreSubclassWindow() override;
    // Sets the text; a text that does not fit gets the end ellipsis and a tooltip with
    // all of it, a label of two or more lines always shows its text as a tooltip.
    virtual void SetStaticWindowText(LPCWSTR text);
    bool IsCtrlEnabled() const override { return true; }

    // The tooltip's window, or null before subclassing.
    HWND GetToolTipHwnd() const { return m_ToolTip.GetSafeHwnd(); }

private:
    void RegisterTool(LPCWSTR text, int tipWidth);

    CToolTipCtrl m_ToolTip;
    RECT m_rectParentClient{};
    RECT m_rectCtrl{};
    TTTOOLINFOW m_toolInfo{};
    bool m_toolAdded = false;
};
