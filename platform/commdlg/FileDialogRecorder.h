// The file dialogs shown and the answers prepared for them. Each dialog takes prepared
// answers in order until one is accepted or a cancel comes; with none left it ends as
// cancelled and is recorded as unanswered.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

class CFileDialogRecorder {
public:
    enum class Outcome { Chosen, Cancelled, Unanswered };

    struct Record {
        HWND owner;
        bool open; // false: a save dialog
        std::wstring caption;
        std::wstring initialFile; // lpstrFile as it came in
        std::wstring initialDir;
        DWORD flags;
        std::wstring defaultExtension;
        // Answers the dialog did not accept (folder missing, read-only file, no
        // overwrite), in order.
        std::vector<std::wstring> refused;
        Outcome outcome;
        std::wstring path; // the full path chosen; empty unless Chosen
    };

    static CFileDialogRecorder& Instance();

    // A DOS path, as a person would type it into the file name field.
    void PrepareAnswer(const std::wstring& path) { m_answers.emplace_back(path); }
    void PrepareCancel() { m_answers.emplace_back(std::nullopt); }
    size_t PendingAnswers() const { return m_answers.size(); }
    // The next answer (nullopt: cancel), or false when there is none.
    bool TakeAnswer(std::optional<std::wstring>* answer);

    void Add(Record record) { m_records.push_back(std::move(record)); }
    const std::vector<Record>& Dialogs() const { return m_records; }

    // Forgets answers and records.
    void Clear();

private:
    std::deque<std::optional<std::wstring>> m_answers;
    std::vector<Record> m_records;
};
