#include "platform/mfc/Button.h"

#include "platform/user/Controls.h"

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL highlight) {
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight));
}

UINT CButton::GetButtonStyle() const {
    return static_cast<UINT>(GetStyle() & 0xFFFF);
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    SendMessage(BM_SETSTYLE, style, redraw);
}

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CButton::OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem) {
    DrawItem(drawItem);
    return TRUE;
}
