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

int CUserRecorder::ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    MessageBoxRecord record{owner, text ? text : L"", caption ? caption : L"Error", type, 0, false};
    if (!m_answers.empty()) {
        record.answer = m_answers.front();
        record.answered = true;
        m_answers.pop_front();
    }
    m_messageBoxes.push_back(record);
    if (!record.answered)
        SetLastError(ERROR_TIMEOUT);
    return record.answer;
}

void CUserRecorder::Clear() {
    m_beeps.clear();
    m_cursor = nullptr;
    m_cursors.clear();
    m_answers.clear();
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

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return CUserRecorder::Instance().ShowMessageBox(owner, text, caption, type);
}
