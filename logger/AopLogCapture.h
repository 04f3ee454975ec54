// A test hook of the log sink: while a capture lives, every AopLog call is also
// recorded in it. Captures nest; only the innermost one receives.
#pragma once

#include <string>
#include <vector>

#include "logger/AopLog.h"

class CAopLogCapture {
public:
    struct Record {
        int level = 0;
        std::wstring message;
        std::wstring source;
        std::wstring function;
        int line = 0;
        bool operator==(const Record&) const = default;
    };

    CAopLogCapture();
    ~CAopLogCapture();
    CAopLogCapture(const CAopLogCapture&) = delete;
    CAopLogCapture& operator=(const CAopLogCapture&) = delete;

    const std::vector<Record>& Records() const { return m_records; }
    std::vector<std::wstring> Messages() const;
    void Clear() { m_records.clear(); }

private:
    friend void ::AopLog(int level, const wchar_t* message, const wchar_t* sourceFile,
                         const wchar_t* function, int line);
    // Hands a record to the innermost live capture, if any.
    static void Deliver(Record record);

    std::vector<Record> m_records;
};
