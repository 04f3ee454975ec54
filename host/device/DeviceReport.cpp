#include "host/device/DeviceReport.h"

#include <algorithm>
#include <cstring>

namespace {

void PutWord(std::vector<BYTE>& bytes, size_t offset, WORD value) {
    bytes[offset] = static_cast<BYTE>(value & 0xFF);
    bytes[offset + 1] = static_cast<BYTE>(value >> 8);
}

void PutFloat(std::vector<BYTE>& bytes, size_t offset, float value) {
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<BYTE>(bits >> (8 * i));
}

} // namespace

const std::array<CDeviceReport::TextField, 11>& CDeviceReport::TextFields() {
    // The customer has 32 bytes of room although the pages show its first 16.
    static const std::array<TextField, 11> fields = {{
        {"customer", 0, 32, &CDeviceReport::customer},
        {"location", 32, 32, &CDeviceReport::location},
        {"deviceTag", 64, 32, &CDeviceReport::deviceTag},
        {"serialNumber", 96, 16, &CDeviceReport::serialNumber},
        {"orderCode", 112, 20, &CDeviceReport::orderCode},
        {"sensorSerial", 132, 16, &CDeviceReport::sensorSerial},
        {"softwareVersion", 148, 20, &CDeviceReport::softwareVersion},
        {"date", 168, 11, &CDeviceReport::date},
        {"time", 179, 8, &CDeviceReport::time},
        {"verificationId", 195, 14, &CDeviceReport::verificationId},
        {"verifiedBy", 209, 20, &CDeviceReport::verifiedBy},
    }};
    return fields;
}

std::vector<BYTE> CDeviceReport::Bytes() const {
    std::vector<BYTE> bytes(kSize, 0);
    for (const TextField& field : TextFields()) {
        const std::string& text = this->*field.text;
        std::memcpy(bytes.data() + field.offset, text.data(), std::min(text.size(), field.size));
    }
    PutFloat(bytes, 187, reference1);
    PutFloat(bytes, 191, reference2);
    PutWord(bytes, 229, count);
    for (size_t i = 0; i < kChecks; ++i)
        PutWord(bytes, 231 + 2 * i, static_cast<WORD>(checks[i]));
    return bytes;
}

SHORT CDeviceReport::OverallResult() const {
    for (SHORT check : checks)
        if (check == kFailed)
            return kFailed;
    return kPassed;
}
