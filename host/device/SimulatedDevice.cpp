#include "host/device/SimulatedDevice.h"

#include <algorithm>
#include <cstdio>

#include "host/device/DeviceClock.h"
#include "host/device/DevicePayload.h"
#include "platform/base/TextCodec.h"
#include "platform/kernel/Clock.h"
#include "platform/oleaut/SafeArray.h"

namespace {

// Arguments the pages pass with their reads; the device answers only these.
constexpr BYTE kOptionWordArgument = 0x8C;
constexpr BYTE kStatusArgument = 0x2D;
constexpr BYTE kProgressArgument = 0x30;
constexpr LONG kServiceLevelArgument = 103;
constexpr LONG kFieldbusLevelArgument = 104;
// Selectors of the clock fields and the codes they carry.
constexpr BYTE kYear = 9, kMonth = 10, kDay = 11, kHour = 12, kMinute = 13, kAmPm = 28;
constexpr LONG kMonthOffset = 212;
constexpr LONG kAm = 271, kPm = 272;

std::string DateText(const CDeviceClock& f) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%s-%04d", f.day, kMonths[f.month - 1], f.year);
    return text;
}

std::string Hex(WORD value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

const char* LevelName(SHORT code) {
    switch (static_cast<WORD>(code)) {
    case 0x8017:
        return "Development";
    case 0x8027:
        return "Production";
    case 0x80BF:
        return "Maintanance";
    case 0x80F6:
        return "Operator";
    case 0x8128:
        return "Service";
    default:
        return "unknown";
    }
}

const char* ResultName(SHORT code) {
    switch (code) {
    case CDeviceReport::kPassed:
        return "Passed";
    case CDeviceReport::kFailed:
        return "Failed";
    case CDeviceReport::kNotDone:
        return "Check not done";
    default:
        return "Not used";
    }
}

} // namespace

CSimulatedDevice::CSimulatedDevice(const CDeviceConfig& config, std::function<bool()> reachable)
    : m_config(config), m_reachable(std::move(reachable)), m_customer(config.customer),
      m_location(config.location), m_reports(config.reports) {
    if (m_config.hasClock)
        m_clockOffsetMs = m_config.clockMs - CClock::Instance().WallTime();
    if (!m_reports.empty()) {
        m_result = m_reports.front().OverallResult();
        m_status = m_result == CDeviceReport::kPassed ? kReady : kFailed;
    }
}

const std::vector<CSimulatedDevice::Entry>& CSimulatedDevice::Entries() {
    static const std::vector<Entry> entries = {
        {L"SWOPTEnabled", Kind::Attribute, nullptr, kOptionWordArgument, false, VT_I4,
         &CSimulatedDevice::OptionWord},
        {L"VerStatus", Kind::Attribute, nullptr, kStatusArgument, false, VT_I2,
         &CSimulatedDevice::StatusNumber},
        {L"VerProgress", Kind::Attribute, nullptr, kProgressArgument, false, VT_UI1,
         &CSimulatedDevice::ProgressNumber},
        {L"VerificationReport", Kind::Attribute, &CSimulatedDevice::VerificationReport},
        {L"ServiceLevel", Kind::Attribute, nullptr, kServiceLevelArgument, true, VT_I2,
         &CSimulatedDevice::ServiceLevel},
        {L"FieldbusLevel", Kind::Attribute, nullptr, kFieldbusLevelArgument, true, VT_I2,
         &CSimulatedDevice::FieldbusLevel},
        {L"Refresh", Kind::Service, &CSimulatedDevice::Refresh},
        {L"SetAttributeSingleCustomer", Kind::Service, &CSimulatedDevice::SetCustomer},
        {L"SetAttributeSingleLocation", Kind::Service, &CSimulatedDevice::SetLocation},
        {L"SetAttributeSingleTime", Kind::Service, &CSimulatedDevice::SetTime},
        {L"SetAttributeSingleTimeMonthAMPM", Kind::Service, &CSimulatedDevice::SetTimeMonthAmPm},
        {L"StartVerification", Kind::Service, &CSimulatedDevice::StartVerification},
        {L"CancelVerification", Kind::Service, &CSimulatedDevice::CancelVerification},
        {L"GetOverallResult", Kind::Method, &CSimulatedDevice::GetOverallResult},
    };
    return entries;
}

bool CSimulatedDevice::KnowsName(const std::wstring& name) {
    const auto& entries = Entries();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& entry) { return name == entry.name; });
}

HRESULT CSimulatedDevice::Refuse(HRESULT code, const std::wstring& why) {
    m_lastError = why;
    return code;
}

HRESULT CSimulatedDevice::GetIdentity(LONG* identity) {
    Settle();
    CDeviceRequest request{CClock::Instance().Now(), L"GetIdentity", L"", L"", S_OK};
    if (!identity)
        request.result = E_POINTER;
    else if (!m_reachable())
        request.result =
            Refuse(DEVICE_E_OFFLINE, L"The controller is offline: the device cannot be reached.");
    else if (m_silent)
        request.result = Refuse(DEVICE_E_NOANSWER, L"The device stopped answering.");
    else if (m_config.identity == CDeviceConfig::Identity::Failing)
        request.result = Refuse(DEVICE_E_NOANSWER, L"The device's identity cannot be read.");
    else
        *identity = m_config.identity == CDeviceConfig::Identity::Missing      ? 1
                    : m_config.identity == CDeviceConfig::Identity::Mismatched ? 2
                                                                               : 0;
    m_requests.push_back(request);
    return request.result;
}

HRESULT CSimulatedDevice::GetAttribute(const std::wstring& name, const VARIANT& argument, VARIANT* value) {
    if (!value)
        return E_POINTER;
    VariantInit(value);
    return Ask(L"GetAttribute", Kind::Attribute, name, argument, value, nullptr);
}

HRESULT CSimulatedDevice::ExecuteService(const std::wstring& name, const VARIANT& data) {
    return Ask(L"ExecuteService", Kind::Service, name, data, nullptr, nullptr);
}

HRESULT CSimulatedDevice::InvokeMethod(const std::wstring& name, const VARIANT& argument, LONG flags,
                                       LONG* result) {
    if (!result)
        return E_POINTER;
    if (flags != 0) {
        m_lastError = L"The method flags must be 0, not " + std::to_wstring(flags) + L".";
        m_requests.push_back({CClock::Instance().Now(), L"InvokeMethod", name,
                              CDevicePayload::Describe(argument), E_INVALIDARG});
        return E_INVALIDARG;
    }
    return Ask(L"InvokeMethod", Kind::Method, name, argument, nullptr, result);
}

HRESULT CSimulatedDevice::Ask(const wchar_t* operation, Kind kind, const std::wstring& name,
                              const VARIANT& argument, VARIANT* value, LONG* result) {
    Settle();
    CDeviceRequest request{CClock::Instance().Now(), operation, name, CDevicePayload::Describe(argument),
                           S_OK};
    static const wchar_t* const kKindNames[] = {L"attribute", L"service", L"method"};
    const auto entry = std::find_if(Entries().begin(), Entries().end(),
                                    [&](const Entry& candidate) { return name == candidate.name; });
    if (!m_reachable())
        request.result =
            Refuse(DEVICE_E_OFFLINE, L"The controller is offline: the device cannot be reached.");
    else if (m_silent)
        request.result = Refuse(DEVICE_E_NOANSWER, L"The device stopped answering.");
    else if (m_config.identity == CDeviceConfig::Identity::Missing)
        request.result = Refuse(DEVICE_E_NOANSWER, L"The device does not answer.");
    else if (m_config.identity == CDeviceConfig::Identity::Mismatched)
        request.result = Refuse(DEVICE_E_MISMATCH, L"The device that answers is not the module's device.");
    else if (entry == Entries().end() || entry->kind != kind)
        request.result = Refuse(DEVICE_E_UNKNOWNNAME, L"The device has no " +
                                                          std::wstring(kKindNames[static_cast<int>(kind)]) +
                                                          L" '" + name + L"'.");
    else if (std::count(m_config.failingRequests.begin(), m_config.failingRequests.end(), name))
        request.result = Refuse(DEVICE_E_REFUSED, L"The device refused '" + name + L"'.");
    else
        request.result = entry->handler ? (this->*entry->handler)(argument, value, result)
                                        : NumberAttribute(*entry, argument, value);
    if (request.result == DEVICE_E_BADPAYLOAD)
        m_lastError = L"'" + name + L"': " + m_lastError;
    m_requests.push_back(request);
    return request.result;
}

void CSimulatedDevice::Settle() {
    const ULONGLONG now = CClock::Instance().Now();
    if (m_busy && m_config.silentAfterMs != 0 && now - m_startTick >= m_config.silentAfterMs)
        m_silent = true;
    if (!m_busy || now - m_startTick < m_config.verificationMs)
        return;
    const ULONGLONG endTick = m_startTick + m_config.verificationMs;
    const CDeviceClock at = CDeviceClock::FromMs(ClockMs() - static_cast<LONGLONG>(now - endTick));
    CDeviceReport report;
    report.customer = m_customer;
    report.location = m_location;
    report.deviceTag = m_config.deviceTag;
    report.serialNumber = m_config.serialNumber;
    report.orderCode = m_config.orderCode;
    report.sensorSerial = m_config.sensorSerial;
    report.softwareVersion = m_config.softwareVersion;
    report.date = DateText(at);
    // "13:06:00", the time part of the clock's text.
    report.time = at.Text().substr(11);
    report.reference1 = m_config.reference1;
    report.reference2 = m_config.reference2;
    report.count = static_cast<WORD>(m_reports.empty() ? 1 : m_reports.front().count + 1);
    char id[16];
    std::snprintf(id, sizeof id, "VER-%05u", static_cast<unsigned>(report.count));
    report.verificationId = id;
    report.verifiedBy = m_config.verifiedBy;
    report.checks.fill(CDeviceReport::kPassed);
    for (int check : m_config.failingChecks)
        report.checks[static_cast<size_t>(check - 1)] = CDeviceReport::kFailed;
    m_reports.insert(m_reports.begin(), report);
    if (m_reports.size() > CDeviceConfig::kMaxReports)
        m_reports.resize(CDeviceConfig::kMaxReports);
    m_busy = false;
    m_result = report.OverallResult();
    m_status = m_result == CDeviceReport::kPassed ? kReady : kFailed;
}

LONGLONG CSimulatedDevice::ClockMs() const {
    return CClock::Instance().WallTime() + m_clockOffsetMs;
}

std::string CSimulatedDevice::ClockText() const {
    return CDeviceClock::FromMs(ClockMs()).Text();
}

void CSimulatedDevice::SetClockField(BYTE selector, LONG value) {
    CDeviceClock f = CDeviceClock::FromMs(ClockMs());
    switch (selector) {
    case kYear:
        f.year = 2000 + value;
        break;
    case kMonth:
        f.month = value - kMonthOffset;
        break;
    case kDay:
        f.day = value;
        break;
    case kHour:
        f.hour = value % 12 + (f.hour >= 12 ? 12 : 0);
        break;
    case kMinute:
        f.minute = value;
        break;
    case kAmPm:
        f.hour = f.hour % 12 + (value == kPm ? 12 : 0);
        break;
    }
    f.second = 0;
    m_clockOffsetMs = f.ToMs() - CClock::Instance().WallTime();
}

SHORT CSimulatedDevice::Status() {
    Settle();
    return m_busy ? kBusy : m_status;
}

BYTE CSimulatedDevice::Progress() {
    Settle();
    if (!m_busy)
        return 100;
    const ULONGLONG elapsed = CClock::Instance().Now() - m_startTick;
    // 100 only once the verification is done.
    return static_cast<BYTE>(std::min<ULONGLONG>(99, elapsed * 100 / m_config.verificationMs));
}

SHORT CSimulatedDevice::OverallResult() {
    Settle();
    return m_result;
}

const std::vector<CDeviceReport>& CSimulatedDevice::Reports() {
    Settle();
    return m_reports;
}

HRESULT CSimulatedDevice::NumberAttribute(const Entry& entry, const VARIANT& argument, VARIANT* value) {
    std::wstring why;
    const bool ok = entry.byRef ? CDevicePayload::ReadByRefLong(argument, entry.argument, &why)
                                : CDevicePayload::ReadByte(argument, static_cast<BYTE>(entry.argument), &why);
    if (!ok)
        return Malformed(why);
    const LONG number = (this->*entry.number)();
    value->vt = entry.type;
    if (entry.type == VT_UI1)
        value->bVal = static_cast<BYTE>(number);
    else if (entry.type == VT_I2)
        value->iVal = static_cast<SHORT>(number);
    else
        value->lVal = number;
    return S_OK;
}

HRESULT CSimulatedDevice::VerificationReport(const VARIANT& argument, VARIANT* value, LONG*) {
    std::wstring why;
    SHORT index = 0;
    if (!CDevicePayload::ReadReportIndex(argument, &index, &why))
        return Malformed(why);
    if (index < kFirstReport || index > kLastReport)
        return Malformed(L"the report index " + std::to_wstring(index) + L" is outside 111 to 118");
    const size_t slot = static_cast<size_t>(index - kFirstReport);
    if (slot >= m_reports.size())
        return Refuse(DEVICE_E_NOREPORT, L"No report is stored under " + std::to_wstring(index) + L".");
    const std::vector<BYTE> bytes = m_reports[slot].Bytes();
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    if (!array || FAILED(SafeArrayAccessData(array, &data))) {
        SafeArrayDestroy(array);
        return Refuse(E_OUTOFMEMORY, L"The report cannot be handed out.");
    }
    std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(array);
    value->vt = VT_ARRAY | VT_UI1;
    value->parray = array;
    return S_OK;
}

HRESULT CSimulatedDevice::Refresh(const VARIANT& argument, VARIANT*, LONG*) {
    // Without data it refreshes the status; with a report index, that report.
    if (argument.vt == VT_EMPTY)
        return S_OK;
    if (argument.vt != VT_I4 || argument.lVal < kFirstReport || argument.lVal > kLastReport)
        return Malformed(L"expected EMPTY or I4 111 to 118, got " + CDevicePayload::Describe(argument));
    return S_OK;
}

HRESULT CSimulatedDevice::StoreText(const VARIANT& argument, std::string* text) {
    std::wstring why;
    std::string read;
    if (!CDevicePayload::ReadCharacterArray(argument, &read, &why))
        return Malformed(why);
    *text = read;
    return S_OK;
}

HRESULT CSimulatedDevice::SetCustomer(const VARIANT& argument, VARIANT*, LONG*) {
    return StoreText(argument, &m_customer);
}

HRESULT CSimulatedDevice::SetLocation(const VARIANT& argument, VARIANT*, LONG*) {
    return StoreText(argument, &m_location);
}

HRESULT CSimulatedDevice::SetClock(const VARIANT& argument, const std::vector<ClockRange>& ranges,
                                   VARTYPE type) {
    std::wstring why;
    BYTE selector = 0;
    VARTYPE given = VT_EMPTY;
    LONG value = 0;
    if (!CDevicePayload::ReadSelectorPair(argument, &selector, &given, &value, &why))
        return Malformed(why);
    std::wstring selectors;
    for (const ClockRange& range : ranges) {
        selectors += (selectors.empty() ? L"" : L", ") + std::to_wstring(range.selector);
        if (range.selector != selector)
            continue;
        const std::wstring name = L"selector " + std::to_wstring(selector);
        if (given != type)
            return Malformed(name + L" takes an " + (type == VT_I1 ? L"I1" : L"I2") + L" value");
        if (value < range.low || value > range.high)
            return Malformed(name + L" takes " + std::to_wstring(range.low) + L" to " +
                             std::to_wstring(range.high) + L", not " + std::to_wstring(value));
        SetClockField(selector, value);
        return S_OK;
    }
    return Malformed(L"the selector " + std::to_wstring(selector) + L" is none of " + selectors);
}

HRESULT CSimulatedDevice::SetTime(const VARIANT& argument, VARIANT*, LONG*) {
    return SetClock(argument, {{kYear, 0, 99}, {kDay, 1, 31}, {kHour, 1, 12}, {kMinute, 0, 59}}, VT_I1);
}

HRESULT CSimulatedDevice::SetTimeMonthAmPm(const VARIANT& argument, VARIANT*, LONG*) {
    return SetClock(argument, {{kMonth, kMonthOffset + 1, kMonthOffset + 12}, {kAmPm, kAm, kPm}}, VT_I2);
}

HRESULT CSimulatedDevice::StartVerification(const VARIANT& argument, VARIANT*, LONG*) {
    std::wstring why;
    if (!CDevicePayload::ReadEmpty(argument, &why))
        return Malformed(why);
    if (m_busy)
        return Refuse(DEVICE_E_STATE, L"A verification is already running.");
    m_busy = true;
    m_startTick = CClock::Instance().Now();
    return S_OK;
}

HRESULT CSimulatedDevice::CancelVerification(const VARIANT& argument, VARIANT*, LONG*) {
    std::wstring why;
    if (!CDevicePayload::ReadEmpty(argument, &why))
        return Malformed(why);
    if (!m_busy)
        return Refuse(DEVICE_E_STATE, L"No verification is running.");
    m_busy = false;
    m_status = kNotDone;
    m_result = CDeviceReport::kNotDone;
    return S_OK;
}

HRESULT CSimulatedDevice::GetOverallResult(const VARIANT& argument, VARIANT*, LONG* result) {
    std::wstring why;
    if (!CDevicePayload::ReadEmpty(argument, &why))
        return Malformed(why);
    *result = m_result;
    return S_OK;
}

std::string CSimulatedDevice::Describe() {
    Settle();
    static const char* const kIdentities[] = {"matching", "missing", "mismatched", "failing"};
    std::string text = "device: " + CDeviceConfig::Printable(m_config.productName) + ", serial number " +
                       CDeviceConfig::Printable(m_config.serialNumber) + ", identity " +
                       kIdentities[static_cast<int>(m_config.identity)] +
                       (m_reachable() ? ", connected" : ", not connected (the controller is offline)") +
                       (m_silent ? ", stopped answering" : "") + "\n";
    const bool pagesOn = (m_config.optionWord & 0xC000) == 0xC000;
    text += "option word: " + Hex(m_config.optionWord) +
            (pagesOn ? " (verification enabled)" : " (bits 14 and 15 not both set: verification disabled)") +
            "\n";
    text += "access levels: service " + Hex(static_cast<WORD>(m_config.serviceLevel)) + " (" +
            LevelName(m_config.serviceLevel) + "), fieldbus " +
            Hex(static_cast<WORD>(m_config.fieldbusLevel)) + " (" + LevelName(m_config.fieldbusLevel) + ")\n";
    text += "customer: \"" + CDeviceConfig::Printable(m_customer) + "\", location: \"" +
            CDeviceConfig::Printable(m_location) + "\"\n";
    text += "clock: " + ClockText() + "\n";
    if (m_busy)
        text += "verification: busy, " + std::to_string(Progress()) + " %\n";
    else
        text += std::string("verification: ") +
                (m_status == kReady    ? "ready"
                 : m_status == kFailed ? "failed"
                                       : "not done") +
                ", result " + ResultName(m_result) + "\n";
    for (size_t i = 0; i < m_reports.size(); ++i) {
        const CDeviceReport& report = m_reports[i];
        text += "report " + std::to_string(kFirstReport + i) + ": " +
                CDeviceConfig::Printable(report.verificationId) + " of " +
                CDeviceConfig::Printable(report.date) + " " + CDeviceConfig::Printable(report.time) + ", " +
                ResultName(report.OverallResult()) + ", customer \"" +
                CDeviceConfig::Printable(report.customer) + "\"\n";
    }
    text += "requests: " + std::to_string(m_requests.size()) + "\n";
    return text;
}
