#include "platform/user/Clipboard.h"

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/GlobalMemory.h"
#include "platform/user/WinUser.h"

CClipboard& CClipboard::Instance() {
    static CClipboard clipboard;
    return clipboard;
}

BOOL CClipboard::Open(HWND owner) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("OpenClipboard", &code)) {
        SetLastError(static_cast<DWORD>(code ? code : ERROR_ACCESS_DENIED));
        return FALSE;
    }
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (m_open && m_openWindow != owner) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    m_open = true;
    m_openWindow = owner;
    return TRUE;
}

BOOL CClipboard::Close() {
    if (!m_open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    m_open = false;
    m_openWindow = nullptr;
    return TRUE;
}

BOOL CClipboard::Empty() {
    if (!m_open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    FreeAll();
    return TRUE;
}

BOOL CClipboard::IsFormatAvailable(UINT format) const {
    return m_data.count(format) ? TRUE : FALSE;
}

HANDLE CClipboard::GetData(UINT format) const {
    if (!m_open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = m_data.find(format);
    return it == m_data.end() ? nullptr : it->second;
}

HANDLE CClipboard::SetData(UINT format, HANDLE mem) {
    if (!m_open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = m_data.find(format);
    if (it != m_data.end() && it->second != mem)
        GlobalFree(it->second);
    m_data[format] = mem;
    return mem;
}

void CClipboard::Reset() {
    FreeAll();
    m_open = false;
    m_openWindow = nullptr;
}

void CClipboard::FreeAll() {
    for (auto& entry : m_data)
        GlobalFree(entry.second);
    m_data.clear();
}

extern "C" BOOL OpenClipboard(HWND newOwner) {
    return CClipboard::Instance().Open(newOwner);
}
extern "C" BOOL CloseClipboard() {
    return CClipboard::Instance().Close();
}
extern "C" HWND GetOpenClipboardWindow() {
    return CClipboard::Instance().OpenWindow();
}
extern "C" BOOL EmptyClipboard() {
    return CClipboard::Instance().Empty();
}
extern "C" BOOL IsClipboardFormatAvailable(UINT format) {
    return CClipboard::Instance().IsFormatAvailable(format);
}
extern "C" HANDLE GetClipboardData(UINT format) {
    return CClipboard::Instance().GetData(format);
}
extern "C" HANDLE SetClipboardData(UINT format, HANDLE mem) {
    return CClipboard::Instance().SetData(format, mem);
}
