// AfxMessageBox: the framework's message box, captioned with the application's name (the
// system's caption when there is none) and owned by nobody (there is no main window here). The id form takes
// its text from the current resource module; an id with no string there shows nothing and answers 0, the
// answer MessageBoxW gives when it cannot show a box.
#pragma once

#include "platform/base/WinTypes.h"

int AfxMessageBox(LPCWSTR text, UINT type = 0, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = 0, UINT helpId = static_cast<UINT>(-1));
