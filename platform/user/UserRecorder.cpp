#include "platform/user/UserRecorder.h"

#include "platform/base/Win32Error.h"
#include "platform/user/KeyboardState.h"
#include "platform/user/WinUser.h"

CUserRecorder& CUserRecorder::Instance() {
    static CUserRecorder recorder;
    return recorder;
}

HCURSOR CUserRecorder::SetCursor(HCURSOR cursor) {
    const HCURSOR previous = m_cursor;
    m_cursor = cursor;
    m_cursors.push_back(cursor);
    return previous;
}

void CUserRecorder::Clear() {
    m_beeps.clear();
    m_cursor = nullptr;
    m_cursors.clear();
    m_messageBoxes.clear();
}

extern "C" BOOL MessageBeep(UINT type) {
    CUserRecorder::Instance().RecordBeep(type);
    return TRUE;
}

extern "C" HCURSOR SetCursor(HCURSOR cursor) {
    return CUserRecorder::Instance().SetCursor(cursor);
}

extern "C" HCURSOR GetCursor() {
    return CUserRecorder::Instance().Cursor();
}

extern "C" HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    // The system cursors are shared handles, the same on every call; there are no
    // cursor resources in our modules.
    if (instance || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
    switch (id) {
    case 32512: // IDC_ARROW
    case 32513: // IDC_IBEAM
    case 32514: // IDC_WAIT
    case 32650: // IDC_APPSTARTING
        return reinterpret_cast<HCURSOR>(0x100000 + id);
    default:
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
}

extern "C" SHORT GetKeyState(int virtKey) {
    return CKeyboardState::Instance().GetKeyState(virtKey);
}
