#include "platform/base/FaultInjector.h"

CFaultInjector& CFaultInjector::Instance() {
    static CFaultInjector instance;
    return instance;
}

void CFaultInjector::Inject(const std::string& operation, LONG result, int skip, int count) {
    m_faults[operation] = Fault{result, skip, count};
}

void CFaultInjector::Clear(const std::string& operation) {
    m_faults.erase(operation);
}

void CFaultInjector::ClearAll() {
    m_faults.clear();
    m_calls.clear();
}

bool CFaultInjector::ShouldFail(std::string_view operation, LONG* result) {
    auto counted = m_calls.find(operation);
    if (counted == m_calls.end())
        counted = m_calls.emplace(std::string(operation), 0).first;
    ++counted->second;
    if (m_faults.empty())
        return false;
    auto it = m_faults.find(operation);
    if (it == m_faults.end())
        return false;
    Fault& fault = it->second;
    if (fault.skip > 0) {
        --fault.skip;
        return false;
    }
    if (fault.count == 0)
        return false;
    if (fault.count > 0)
        --fault.count;
    if (result)
        *result = fault.result;
    return true;
}

int CFaultInjector::Calls(std::string_view operation) const {
    auto it = m_calls.find(operation);
    return it == m_calls.end() ? 0 : it->second;
}
