// What the window system did that a person would hear or see but that leaves no state in
// a window: beeps, cursor changes, the message boxes shown and how they were answered.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

class CUserRecorder {
public:
    struct MessageBoxRecord {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        UINT type;
        int answer; // the button pressed; 0 when nobody answered
        bool answered;
    };

    static CUserRecorder& Instance();

    void RecordBeep(UINT type) { m_beeps.push_back(type); }
    const std::vector<UINT>& Beeps() const { return m_beeps; }

    HCURSOR SetCursor(HCURSOR cursor);
    HCURSOR Cursor() const { return m_cursor; }
    // Every cursor set, in order.
    const std::vector<HCURSOR>& Cursors() const { return m_cursors; }

    void AddMessageBox(MessageBoxRecord record) { m_messageBoxes.push_back(std::move(record)); }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }

    void Clear();

private:
    std::vector<UINT> m_beeps;
    HCURSOR m_cursor = nullptr;
    std::vector<HCURSOR> m_cursors;
    std::vector<MessageBoxRecord> m_messageBoxes;
};
