// The captured log as "function | message" lines, so that a test compares the whole
// sequence word for word in one assertion.
#pragma once

#include <string>
#include <vector>

#include "logger/AopLogCapture.h"

inline std::vector<std::wstring> LogLines(const CAopLogCapture& log) {
    std::vector<std::wstring> lines;
    for (const auto& record : log.Records())
        lines.push_back(record.function + L" | " + record.message);
    return lines;
}

using Lines = std::vector<std::wstring>;
