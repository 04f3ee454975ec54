#include "host/device/DeviceConfig.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <set>

#include <nlohmann/json.hpp>

#include "host/device/DeviceClock.h"
#include "host/device/SimulatedDevice.h"
#include "platform/base/TextCodec.h"

using Json = nlohmann::ordered_json;

namespace {

const char* const kIdentityNames[] = {"matching", "missing", "mismatched", "failing"};

class CDeviceReader {
public:
    bool Fail(const std::string& where, const std::string& what) {
        if (m_where.empty() && m_what.empty()) {
            m_where = where;
            m_what = what;
        }
        return false;
    }
    bool Object(const Json& json, const std::string& where, const std::set<std::string>& known) {
        if (!json.is_object())
            return Fail(where, "expected an object");
        for (auto it = json.begin(); it != json.end(); ++it)
            if (!known.count(it.key()))
                return Fail(where, "unknown field '" + it.key() + "'");
        return true;
    }
    // A text of single-byte characters (U+0020 to U+00FF) of at most `size` of them.
    bool Text(const Json& json, const std::string& where, size_t size, std::string* out) {
        if (!json.is_string())
            return Fail(where, "expected a text");
        const std::wstring text = CTextCodec::FromUtf8(json.get<std::string>());
        if (text.size() > size)
            return Fail(where, "the text has " + std::to_string(text.size()) + " characters; at most " +
                                   std::to_string(size) + " fit");
        std::string bytes;
        for (wchar_t c : text) {
            if (c < 0x20 || c > 0xFF)
                return Fail(where, "the device stores only characters from U+0020 to U+00FF");
            bytes += static_cast<char>(c);
        }
        *out = bytes;
        return true;
    }
    bool Integer(const Json& json, const std::string& where, LONGLONG low, LONGLONG high, LONGLONG* out) {
        if (!json.is_number_integer() ||
            (json.is_number_unsigned() && json.get<ULONGLONG>() > ULONGLONG(high)) ||
            json.get<LONGLONG>() < low || json.get<LONGLONG>() > high)
            return Fail(where,
                        "expected an integer from " + std::to_string(low) + " to " + std::to_string(high));
        *out = json.get<LONGLONG>();
        return true;
    }
    bool Real(const Json& json, const std::string& where, float* out) {
        if (!json.is_number() || std::fabs(json.get<double>()) > FLT_MAX)
            return Fail(where, "expected a number that fits a REAL");
        *out = json.get<float>();
        return true;
    }
    bool Identity(const Json& json, CDeviceConfig* config);
    bool Report(const Json& json, const std::string& where, CDeviceReport* report);
    bool Scenarios(const Json& json, CDeviceConfig* config);
    bool Clock(const Json& json, const std::string& where, LONGLONG* ms);

    std::string m_where;
    std::string m_what;
};

std::string Field(const std::string& where, const std::string& name) {
    return where + ": field '" + name + "'";
}

bool CDeviceReader::Identity(const Json& json, CDeviceConfig* config) {
    const std::string where = "device: field 'identity'";
    const std::pair<const char*, std::pair<size_t, std::string*>> fields[] = {
        {"productName", {32, &config->productName}},
        {"serialNumber", {16, &config->serialNumber}},
        {"orderCode", {20, &config->orderCode}},
        {"sensorSerial", {16, &config->sensorSerial}},
        {"softwareVersion", {20, &config->softwareVersion}},
        {"deviceTag", {32, &config->deviceTag}}};
    std::set<std::string> known;
    for (const auto& field : fields)
        known.insert(field.first);
    if (!Object(json, where, known))
        return false;
    for (const auto& [name, target] : fields)
        if (json.contains(name) && !Text(json[name], Field(where, name), target.first, target.second))
            return false;
    return true;
}

bool CDeviceReader::Report(const Json& json, const std::string& where, CDeviceReport* report) {
    std::set<std::string> known = {"reference1", "reference2", "count", "checks"};
    for (const auto& field : CDeviceReport::TextFields())
        known.insert(field.name);
    if (!Object(json, where, known))
        return false;
    for (const auto& field : CDeviceReport::TextFields())
        if (json.contains(field.name) &&
            !Text(json[field.name], Field(where, field.name), field.size, &(report->*field.text)))
            return false;
    if (json.contains("reference1") &&
        !Real(json["reference1"], Field(where, "reference1"), &report->reference1))
        return false;
    if (json.contains("reference2") &&
        !Real(json["reference2"], Field(where, "reference2"), &report->reference2))
        return false;
    LONGLONG number = 0;
    if (json.contains("count")) {
        if (!Integer(json["count"], Field(where, "count"), 0, 0xFFFF, &number))
            return false;
        report->count = static_cast<WORD>(number);
    }
    report->checks.fill(CDeviceReport::kPassed);
    if (json.contains("checks")) {
        const Json& checks = json["checks"];
        if (!checks.is_array() || checks.size() != CDeviceReport::kChecks)
            return Fail(Field(where, "checks"), "expected a list of 10 result codes");
        for (size_t i = 0; i < checks.size(); ++i) {
            if (!Integer(checks[i], Field(where, "checks") + ": entry " + std::to_string(i + 1), -32768,
                         0xFFFF, &number))
                return false;
            report->checks[i] = static_cast<SHORT>(static_cast<WORD>(number));
        }
    }
    return true;
}

bool CDeviceReader::Scenarios(const Json& json, CDeviceConfig* config) {
    const std::string where = "device: field 'scenarios'";
    if (!Object(json, where, {"identity", "failingRequests", "failingChecks", "silentAfterMs"}))
        return false;
    if (json.contains("identity")) {
        bool found = false;
        for (size_t i = 0; i < std::size(kIdentityNames); ++i) {
            if (json["identity"] == kIdentityNames[i]) {
                config->identity = static_cast<CDeviceConfig::Identity>(i);
                found = true;
            }
        }
        if (!found)
            return Fail(Field(where, "identity"),
                        "expected \"matching\", \"missing\", \"mismatched\" or \"failing\"");
    }
    if (json.contains("failingRequests")) {
        const Json& names = json["failingRequests"];
        const std::string field = Field(where, "failingRequests");
        if (!names.is_array() || names.size() > 14)
            return Fail(field, "expected a list of at most 14 request names");
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string entry = field + ": entry " + std::to_string(i + 1);
            if (!names[i].is_string())
                return Fail(entry, "expected a request name");
            const std::wstring name = CTextCodec::FromUtf8(names[i].get<std::string>());
            if (!CSimulatedDevice::KnowsName(name))
                return Fail(entry, "the device has no request '" + names[i].get<std::string>() + "'");
            config->failingRequests.push_back(name);
        }
    }
    if (json.contains("failingChecks")) {
        const Json& checks = json["failingChecks"];
        const std::string field = Field(where, "failingChecks");
        if (!checks.is_array() || checks.size() > CDeviceReport::kChecks)
            return Fail(field, "expected a list of at most 10 check numbers");
        std::set<LONGLONG> seen;
        for (size_t i = 0; i < checks.size(); ++i) {
            LONGLONG check = 0;
            if (!Integer(checks[i], field + ": entry " + std::to_string(i + 1), 1, 10, &check))
                return false;
            if (!seen.insert(check).second)
                return Fail(field, "check " + std::to_string(check) + " appears twice");
            config->failingChecks.push_back(static_cast<int>(check));
        }
    }
    if (json.contains("silentAfterMs")) {
        LONGLONG ms = 0;
        if (!Integer(json["silentAfterMs"], Field(where, "silentAfterMs"), 1,
                     CDeviceConfig::kMaxVerificationMs, &ms))
            return false;
        config->silentAfterMs = static_cast<ULONG>(ms);
    }
    return true;
}

// "2024-05-17 13:05:00"; the device keeps two-digit years, so 2000 to 2099.
bool CDeviceReader::Clock(const Json& json, const std::string& where, LONGLONG* ms) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char end = 0;
    const std::string text = json.is_string() ? json.get<std::string>() : "";
    if (!json.is_string() || text.size() != 19 ||
        std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &end) != 6)
        return Fail(where, "expected a time as \"2024-05-17 13:05:00\"");
    if (y < 2000 || y > 2099 || !CDeviceClock::IsDate(y, mo, d) || h > 23 || mi > 59 || s > 59)
        return Fail(where, "\"" + text + "\" is no time from 2000 to 2099");
    *ms = CDeviceClock{y, mo, d, h, mi, s}.ToMs();
    return true;
}

} // namespace

std::string CDeviceConfig::Printable(const std::string& bytes) {
    std::wstring text;
    for (char byte : bytes)
        text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
    return CTextCodec::ToUtf8(text);
}

const char* CDeviceConfig::IdentityName(Identity identity) {
    return kIdentityNames[static_cast<int>(identity)];
}

bool CDeviceConfig::Read(const Json& json, CDeviceConfig* config, std::string* where, std::string* what) {
    CDeviceReader reader;
    CDeviceConfig read;
    const std::string at = "device";
    LONGLONG number = 0;
    bool ok = reader.Object(json, at,
                            {"identity", "optionWord", "accessLevels", "customer", "location", "clock",
                             "verification", "reports", "scenarios"});
    if (ok && json.contains("identity"))
        ok = reader.Identity(json["identity"], &read);
    if (ok && json.contains("optionWord")) {
        ok = reader.Integer(json["optionWord"], Field(at, "optionWord"), 0, 0xFFFF, &number);
        read.optionWord = static_cast<WORD>(number);
    }
    if (ok && json.contains("accessLevels")) {
        const Json& levels = json["accessLevels"];
        const std::string field = Field(at, "accessLevels");
        ok = reader.Object(levels, field, {"service", "fieldbus"});
        for (const auto& [name, target] :
             {std::pair{"service", &read.serviceLevel}, {"fieldbus", &read.fieldbusLevel}}) {
            if (ok && levels.contains(name)) {
                ok = reader.Integer(levels[name], Field(field, name), 0, 0xFFFF, &number);
                *target = static_cast<SHORT>(static_cast<WORD>(number));
            }
        }
    }
    if (ok && json.contains("customer"))
        ok = reader.Text(json["customer"], Field(at, "customer"), 32, &read.customer);
    if (ok && json.contains("location"))
        ok = reader.Text(json["location"], Field(at, "location"), 32, &read.location);
    if (ok && json.contains("clock")) {
        ok = reader.Clock(json["clock"], Field(at, "clock"), &read.clockMs);
        read.hasClock = true;
    }
    if (ok && json.contains("verification")) {
        const Json& verification = json["verification"];
        const std::string field = Field(at, "verification");
        ok = reader.Object(verification, field, {"durationMs", "reference1", "reference2", "verifiedBy"});
        if (ok && verification.contains("durationMs")) {
            ok = reader.Integer(verification["durationMs"], Field(field, "durationMs"), 1, kMaxVerificationMs,
                                &number);
            read.verificationMs = static_cast<ULONG>(number);
        }
        if (ok && verification.contains("reference1"))
            ok = reader.Real(verification["reference1"], Field(field, "reference1"), &read.reference1);
        if (ok && verification.contains("reference2"))
            ok = reader.Real(verification["reference2"], Field(field, "reference2"), &read.reference2);
        if (ok && verification.contains("verifiedBy"))
            ok = reader.Text(verification["verifiedBy"], Field(field, "verifiedBy"), 20, &read.verifiedBy);
    }
    if (ok && json.contains("reports")) {
        const Json& reports = json["reports"];
        if (!reports.is_array() || reports.size() > kMaxReports)
            ok = reader.Fail(Field(at, "reports"), "expected a list of at most 8 reports, newest first");
        for (size_t i = 0; ok && i < reports.size(); ++i) {
            CDeviceReport report;
            ok = reader.Report(reports[i], Field(at, "reports") + ": report " + std::to_string(111 + i),
                               &report);
            read.reports.push_back(report);
        }
    }
    if (ok && json.contains("scenarios"))
        ok = reader.Scenarios(json["scenarios"], &read);
    if (!ok) {
        *where = reader.m_where;
        *what = reader.m_what;
        return false;
    }
    *config = std::move(read);
    return true;
}

Json CDeviceConfig::ToJson() const {
    Json json;
    json["identity"] = {{"productName", Printable(productName)},
                        {"serialNumber", Printable(serialNumber)},
                        {"orderCode", Printable(orderCode)},
                        {"sensorSerial", Printable(sensorSerial)},
                        {"softwareVersion", Printable(softwareVersion)},
                        {"deviceTag", Printable(deviceTag)}};
    json["optionWord"] = optionWord;
    json["accessLevels"] = {{"service", static_cast<WORD>(serviceLevel)},
                            {"fieldbus", static_cast<WORD>(fieldbusLevel)}};
    json["customer"] = Printable(customer);
    json["location"] = Printable(location);
    if (hasClock)
        json["clock"] = CDeviceClock::FromMs(clockMs).Text();
    json["verification"] = {{"durationMs", verificationMs},
                            {"reference1", reference1},
                            {"reference2", reference2},
                            {"verifiedBy", Printable(verifiedBy)}};
    Json reportList = Json::array();
    for (const CDeviceReport& report : reports) {
        Json item;
        for (const auto& field : CDeviceReport::TextFields())
            item[field.name] = Printable(report.*field.text);
        item["reference1"] = report.reference1;
        item["reference2"] = report.reference2;
        item["count"] = report.count;
        item["checks"] = Json(report.checks);
        reportList.push_back(item);
    }
    json["reports"] = reportList;
    Json failing = Json::array();
    for (const std::wstring& name : failingRequests)
        failing.push_back(CTextCodec::ToUtf8(name));
    json["scenarios"] = {
        {"identity", IdentityName(identity)}, {"failingRequests", failing}, {"failingChecks", failingChecks}};
    if (silentAfterMs != 0)
        json["scenarios"]["silentAfterMs"] = silentAfterMs;
    return json;
}
