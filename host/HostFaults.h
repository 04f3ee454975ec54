// Fault injection and call recording for the host stand-in. Every host operation
// runs through Run(), which may fail it on demand and records what happened, so that
// tests reach each failure branch of a caller and assert the calls it made.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"

struct CHostCall {
    std::wstring operation;
    std::wstring member; // empty for operations without a member
    HRESULT result = S_OK;
};

class CHostFaults {
public:
    // Calls of `operation` (on `member`, or on any member when it is empty) after the
    // first `skip` fail with `result`, `count` times (-1: every call from then on).
    void Inject(const std::wstring& operation, HRESULT result, const std::wstring& member = L"", int skip = 0,
                int count = 1);
    void ClearFaults();

    // Runs `body` unless a fault applies; records operation, member and result.
    HRESULT Run(const std::wstring& operation, const std::wstring& member,
                const std::function<HRESULT()>& body);

    const std::vector<CHostCall>& Calls() const { return m_calls; }
    // The calls of one operation, in order.
    std::vector<CHostCall> CallsOf(const std::wstring& operation) const;
    void ClearCalls() { m_calls.clear(); }

private:
    struct Fault {
        std::wstring operation;
        std::wstring member;
        HRESULT result = E_FAIL;
        int skip = 0;
        int count = 1;
    };
    bool ShouldFail(const std::wstring& operation, const std::wstring& member, HRESULT* result);

    std::vector<Fault> m_faults;
    std::vector<CHostCall> m_calls;
};
