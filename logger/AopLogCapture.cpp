#include "logger/AopLogCapture.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<CAopLogCapture*> g_captures; // innermost last

} // namespace

CAopLogCapture::CAopLogCapture() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_captures.push_back(this);
}

CAopLogCapture::~CAopLogCapture() {
    // Captures may end out of order (one held by a test fixture, one by a case).
    std::lock_guard<std::mutex> lock(g_mutex);
    g_captures.erase(std::remove(g_captures.begin(), g_captures.end(), this), g_captures.end());
}

std::vector<std::wstring> CAopLogCapture::Messages() const {
    std::vector<std::wstring> messages;
    for (const Record& r : m_records)
        messages.push_back(r.message);
    return messages;
}

void CAopLogCapture::Deliver(Record record) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_captures.empty())
        g_captures.back()->m_records.push_back(std::move(record));
}
