// CStatic: the framework's object for a static control.
#pragma once

#include "platform/mfc/Wnd.h"

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
};
