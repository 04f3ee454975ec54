#include "platform/base/FaultInjector.h"

CFaultInjector& CFaultInjector::Instance() {
    static CFaultInjector instance;
    return instance;
}

void CFaultInjector::Inject(const std::string& operation, LONG result, int skip, int count) {
    m_faults[operation] = Fault{result, skip, count};
}

void CFaultInjector::Clear(const std::string& operation) { m_faults.erase(operation); }

void CFaultInjector::ClearAll() {
    m_faults.clear();
    m_calls.clear();
}

bool CFaultInjector::ShouldFail(const std::string& operation, LONG* result) {
    ++m_calls[operation];
    auto it = m_faults.find(operation);
    if (it == m_faults.end()) return false;
    Fault& fault = it->second;
    if (fault.skip > 0) {
        --fault.skip;
        return false;
    }
    if (fault.count == 0) return false;
    if (fault.count > 0) --fault.count;
    if (result) *result = fault.result;
    return true;
}

int CFaultInjector::Calls(const std::string& operation) const {
    auto it = m_calls.find(operation);
    return it == m_calls.end() ? 0 : it->second;
}
