// One stored verification report of the simulated device and its 299-byte form:
// single-byte texts padded with zeros, little-endian numbers without alignment.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

struct CDeviceReport {
    static constexpr size_t kSize = 299;
    static constexpr size_t kChecks = 10;
    // Result codes of the checks.
    static constexpr SHORT kPassed = 809;
    static constexpr SHORT kFailed = 275;
    static constexpr SHORT kNotDone = static_cast<SHORT>(0x8189);

    // Texts hold bytes (Latin-1); each is at most its field's size.
    std::string customer;
    std::string location;
    std::string deviceTag;
    std::string serialNumber;
    std::string orderCode;
    std::string sensorSerial;
    std::string softwareVersion;
    std::string date; // "01-Jan-2024"
    std::string time; // "13:05:00"
    float reference1 = 0.0F;
    float reference2 = 0.0F;
    std::string verificationId;
    std::string verifiedBy;
    WORD count = 0;
    std::array<SHORT, kChecks> checks{};

    struct TextField {
        const char* name; // the project file's field name
        size_t offset;
        size_t size;
        std::string CDeviceReport::*text;
    };
    // Every text of the layout, in the order of the bytes.
    static const std::array<TextField, 11>& TextFields();

    std::vector<BYTE> Bytes() const;
    // 809 when every check passed or was not used, 275 when one failed.
    SHORT OverallResult() const;
};
