#include "profile/convert/PasteText.h"

#include "platform/kernel/GlobalMemory.h"
#include "platform/mfc/Edit.h"
#include "platform/user/WinUser.h"

bool ReadClipboardUnicodeText(HWND window, CString& text) {
    const bool openedHere = GetOpenClipboardWindow() == nullptr;
    if (openedHere && !OpenClipboard(window))
        return false;
    bool found = false;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                found = true;
                GlobalUnlock(data);
            }
        }
    }
    if (openedHere)
        CloseClipboard();
    return found;
}

CString TextWithSelectionReplaced(const CEdit& edit, const CString& inserted) {
    CString current;
    edit.GetWindowText(current);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    return current.Left(start) + inserted + current.Mid(end);
}
