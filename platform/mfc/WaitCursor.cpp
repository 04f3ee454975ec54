#include "platform/mfc/WaitCursor.h"

#include "platform/user/WinUser.h"

namespace {

int g_waitCount = 0;
HCURSOR g_before = nullptr;

HCURSOR WaitShape() {
    return LoadCursorW(nullptr, IDC_WAIT);
}

} // namespace

CWaitCursor::CWaitCursor() {
    HCURSOR previous = SetCursor(WaitShape());
    if (g_waitCount++ == 0)
        g_before = previous;
}

CWaitCursor::~CWaitCursor() {
    if (--g_waitCount == 0)
        SetCursor(g_before ? g_before : LoadCursorW(nullptr, IDC_ARROW));
}

void CWaitCursor::Restore() {
    SetCursor(WaitShape());
}
