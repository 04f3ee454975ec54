// Makes chosen stand-in calls fail on demand, so that tests reach the failure
// branches that real Windows only shows under rare conditions. Operations are named
// by their API name ("RegCreateKeyExW", "LoadLibraryW", "CoCreateInstance", ...).
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

class CFaultInjector {
public:
    static CFaultInjector& Instance();

    // The operation's calls after the first `skip` fail with `result`, `count` times
    // (-1: every call from then on).
    void Inject(const std::string& operation, LONG result, int skip = 0, int count = 1);
    void Clear(const std::string& operation);
    void ClearAll();

    // Called by the operation itself: true (with the result to return) when this call fails.
    bool ShouldFail(std::string_view operation, LONG* result);

    // How often the operation was asked since the last ClearAll.
    int Calls(std::string_view operation) const;

private:
    struct Fault {
        LONG result = 0;
        int skip = 0;
        int count = 0;
    };
    // Transparent comparison: asking costs no string allocation, since every stand-in
    // call asks.
    std::map<std::string, Fault, std::less<>> m_faults;
    std::map<std::string, int, std::less<>> m_calls;
};
