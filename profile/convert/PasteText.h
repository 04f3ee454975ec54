// What a numeric edit box needs for a paste it judges before it lets it in: the
// clipboard's Unicode text and the text the box would hold after the paste.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/String.h"

class CEdit;

// False when the clipboard holds no Unicode text or cannot be opened for `window`.
// A clipboard some window holds open already (a paste in progress) is read as it is
// and left open.
bool ReadClipboardUnicodeText(HWND window, CString& text);

// The edit's text with its selection replaced by `inserted`.
CString TextWithSelectionReplaced(const CEdit& edit, const CString& inserted);
