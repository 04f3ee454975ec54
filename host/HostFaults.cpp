#include "host/HostFaults.h"

void CHostFaults::Inject(const std::wstring& operation, HRESULT result, const std::wstring& member, int skip,
                         int count) {
    m_faults.push_back({operation, member, result, skip, count});
}

void CHostFaults::ClearFaults() {
    m_faults.clear();
}

bool CHostFaults::ShouldFail(const std::wstring& operation, const std::wstring& member, HRESULT* result) {
    for (Fault& fault : m_faults) {
        if (fault.operation != operation || (!fault.member.empty() && fault.member != member))
            continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.count == 0)
            continue;
        if (fault.count > 0)
            --fault.count;
        *result = fault.result;
        return true;
    }
    return false;
}

HRESULT CHostFaults::Run(const std::wstring& operation, const std::wstring& member,
                         const std::function<HRESULT()>& body) {
    HRESULT hr = S_OK;
    if (!ShouldFail(operation, member, &hr))
        hr = body();
    m_calls.push_back({operation, member, hr});
    return hr;
}

std::vector<CHostCall> CHostFaults::CallsOf(const std::wstring& operation) const {
    std::vector<CHostCall> calls;
    for (const CHostCall& call : m_calls)
        if (call.operation == operation)
            calls.push_back(call);
    return calls;
}
