// The project file's "device" section: the simulated flowmeter's identity, option
// word, access levels, texts, clock, stored reports, and the scenarios that make it
// misbehave. Read as strictly as the rest of the project: every field has a type and
// a bound, an unknown field is an error, and an error names the field at fault.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "host/device/DeviceReport.h"
#include "platform/base/WinTypes.h"

struct CDeviceConfig {
    // What the device's identity query finds.
    enum class Identity { Matching, Missing, Mismatched, Failing };

    static constexpr size_t kMaxReports = 8;
    static constexpr ULONG kMaxVerificationMs = 24 * 3600 * 1000;

    std::string productName = "Tavrin 100 EtherNet/IP";
    std::string serialNumber;
    std::string orderCode;
    std::string sensorSerial;
    std::string softwareVersion;
    std::string deviceTag;
    WORD optionWord = 0xC000;
    SHORT serviceLevel = static_cast<SHORT>(0x8128);
    SHORT fieldbusLevel = static_cast<SHORT>(0x80F6);
    std::string customer;
    std::string location;
    // The device clock at the start, in milliseconds since 1970; without one it
    // shows the host's time.
    bool hasClock = false;
    LONGLONG clockMs = 0;
    ULONG verificationMs = 60000;
    float reference1 = 0.0F;
    float reference2 = 0.0F;
    std::string verifiedBy = "EtherNet/IP";
    // Newest first: the first is report 111.
    std::vector<CDeviceReport> reports;

    Identity identity = Identity::Matching;
    // Requests (by name) that the device refuses.
    std::vector<std::wstring> failingRequests;
    // Checks (1 to 10) that fail in every verification the device runs.
    std::vector<int> failingChecks;
    // The device stops answering this long into a verification, for good; 0: never.
    ULONG silentAfterMs = 0;

    // Reads a "device" section; on failure `where` names the field and `what` the fault,
    // and `config` is unchanged.
    static bool Read(const nlohmann::ordered_json& json, CDeviceConfig* config, std::string* where,
                     std::string* what);
    nlohmann::ordered_json ToJson() const;

    static const char* IdentityName(Identity identity);
    // The device's single-byte (Latin-1) texts as UTF-8.
    static std::string Printable(const std::string& bytes);
};
