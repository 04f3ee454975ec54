// The stored verification report as the device hands it over: 299 bytes, texts in
// single-byte characters (Latin-1) padded with zeros and not terminated, numbers
// little-endian and unaligned. This class turns them into the texts the report prints.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

class CReportFields {
public:
    static constexpr size_t kSize = 299;
    static constexpr size_t kChecks = 10;

    struct Row {
        std::wstring label;
        std::wstring value;
    };
    struct Section {
        std::wstring title;
        std::vector<Row> rows;
    };

    // `report` holds kSize bytes.
    explicit CReportFields(const unsigned char* report);

    // Device identity, customer and location, the verification's own data.
    const std::vector<Section>& Sections() const { return m_sections; }
    // "Check 1" to "Check 10" with their result texts.
    const std::vector<Row>& Checks() const { return m_checks; }
    const std::wstring& Overall() const { return m_overall; }
    // For the running footer and the document's title.
    const std::wstring& DeviceTag() const { return m_deviceTag; }
    const std::wstring& VerificationId() const { return m_verificationId; }

    // 275 "Failed", 809 "Passed", 0x8189 "Check not done", anything else "Not used".
    static std::wstring ResultText(SHORT code);

private:
    std::wstring Text(size_t offset, size_t size) const;
    std::wstring Real(size_t offset) const;
    WORD Word(size_t offset) const;

    std::array<unsigned char, kSize> m_bytes{};
    std::vector<Section> m_sections;
    std::vector<Row> m_checks;
    std::wstring m_overall;
    std::wstring m_deviceTag;
    std::wstring m_verificationId;
};
