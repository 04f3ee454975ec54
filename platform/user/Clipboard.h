// The clipboard: one per process here. Data handed over with SetClipboardData belongs
// to the clipboard from then on and is freed when the clipboard is emptied.
#pragma once

#include <map>

#include "platform/base/WinTypes.h"

class CClipboard {
public:
    static CClipboard& Instance();

    BOOL Open(HWND owner);
    BOOL Close();
    HWND OpenWindow() const { return m_open ? m_openWindow : nullptr; }
    bool IsOpen() const { return m_open; }
    BOOL Empty();
    BOOL IsFormatAvailable(UINT format) const;
    HANDLE GetData(UINT format) const;
    HANDLE SetData(UINT format, HANDLE mem);
    // Clears everything, open or not (for tests and a fresh run).
    void Reset();

private:
    void FreeAll();

    bool m_open = false;
    HWND m_openWindow = nullptr;
    std::map<UINT, HANDLE> m_data;
};
