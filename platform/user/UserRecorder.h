// What the window system did that a person would hear or see but that leaves no state in
// a window: beeps, cursor changes, message boxes. Tests read it; message boxes are
// answered from answers prepared beforehand, never by waiting.
#pragma once

#include <deque>
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
        int answer; // 0 when nobody had prepared one
        bool answered;
    };

    static CUserRecorder& Instance();

    void RecordBeep(UINT type) { m_beeps.push_back(type); }
    const std::vector<UINT>& Beeps() const { return m_beeps; }

    HCURSOR SetCursor(HCURSOR cursor);
    HCURSOR Cursor() const { return m_cursor; }
    // Every cursor set, in order.
    const std::vector<HCURSOR>& Cursors() const { return m_cursors; }

    void PrepareAnswer(int answer) { m_answers.push_back(answer); }
    size_t PendingAnswers() const { return m_answers.size(); }
    int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }

    void Clear();

private:
    std::vector<UINT> m_beeps;
    HCURSOR m_cursor = nullptr;
    std::vector<HCURSOR> m_cursors;
    std::deque<int> m_answers;
    std::vector<MessageBoxRecord> m_messageBoxes;
};
