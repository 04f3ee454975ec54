#include "platform/user/Window.h"

#include "platform/user/Control.h"

CWindow::CWindow() = default;
CWindow::~CWindow() = default;

LONG CWindow::FrameInset() const {
    LONG inset = 0;
    if (style & WS_BORDER)
        inset += 1;
    if (exStyle & WS_EX_CLIENTEDGE)
        inset += 2;
    return inset;
}
