#include "pdfreport/ReportFields.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr SHORT kFailed = 275;
constexpr SHORT kPassed = 809;
constexpr SHORT kNotDone = static_cast<SHORT>(0x8189);

// Printed for a text field the device left empty, so that a blank is never mistaken
// for a field the report forgot.
constexpr wchar_t kEmpty[] = L"\u2013";

} // namespace

CReportFields::CReportFields(const unsigned char* report) {
    std::memcpy(m_bytes.data(), report, kSize);

    m_deviceTag = Text(64, 32);
    m_verificationId = Text(195, 14);
    // The customer field is written 32 characters wide and nothing else lies in the 16
    // bytes after the part the pages show, so the report prints all of it.
    m_sections = {
        {L"Device",
         {{L"Device tag", m_deviceTag},
          {L"Serial number", Text(96, 16)},
          {L"Order code", Text(112, 20)},
          {L"Sensor serial number", Text(132, 16)},
          {L"Software version", Text(148, 20)}}},
        {L"Customer", {{L"Customer", Text(0, 32)}, {L"Location", Text(32, 32)}}},
        {L"Verification",
         {{L"Verification ID", m_verificationId},
          {L"Date", Text(168, 11)},
          {L"Time", Text(179, 8)},
          {L"Verified by", Text(209, 20)},
          {L"Verification count", std::to_wstring(Word(229))},
          {L"Reference value 1", Real(187)},
          {L"Reference value 2", Real(191)}}},
    };

    bool failed = false, notDone = false, passed = false;
    for (size_t i = 0; i < kChecks; ++i) {
        const SHORT code = static_cast<SHORT>(Word(231 + 2 * i));
        failed |= code == kFailed;
        notDone |= code == kNotDone;
        passed |= code == kPassed;
        m_checks.push_back({L"Check " + std::to_wstring(i + 1), ResultText(code)});
    }
    // A report with a check left undone is not signed off as passed.
    m_overall = ResultText(failed ? kFailed : notDone ? kNotDone : passed ? kPassed : 0);
}

std::wstring CReportFields::ResultText(SHORT code) {
    switch (code) {
    case kFailed:
        return L"Failed";
    case kPassed:
        return L"Passed";
    case kNotDone:
        return L"Check not done";
    default:
        return L"Not used";
    }
}

std::wstring CReportFields::Text(size_t offset, size_t size) const {
    std::wstring text;
    for (size_t i = offset; i < offset + size && m_bytes[i] != 0; ++i) {
        const unsigned char byte = m_bytes[i];
        // Latin-1 is the first block of Unicode; control bytes print as spaces.
        const bool control = byte < 0x20 || (byte >= 0x7F && byte < 0xA0);
        text += control ? L' ' : static_cast<wchar_t>(byte);
    }
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    return text.empty() ? kEmpty : text;
}

std::wstring CReportFields::Real(size_t offset) const {
    const DWORD bits = static_cast<DWORD>(Word(offset)) | static_cast<DWORD>(Word(offset + 2)) << 16;
    float value = 0.0F;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
        return L"invalid";
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
    return std::wstring(text, text + std::strlen(text));
}

WORD CReportFields::Word(size_t offset) const {
    return static_cast<WORD>(m_bytes[offset] | m_bytes[offset + 1] << 8);
}
