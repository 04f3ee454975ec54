// CWaitCursor: shows the wait cursor for its lifetime. Nested wait cursors count: the
// cursor from before the first comes back when the last one goes.
#pragma once

#include "platform/base/WinTypes.h"

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again after something else changed the cursor.
    void Restore();
};
