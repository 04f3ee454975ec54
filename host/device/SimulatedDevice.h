// The flowmeter the host talks to while the controller is online. It answers the
// identity query and the named attributes, services and methods of the online pages,
// runs a verification over the host's clock (busy, progress rising with time, then
// ready or failed with a new report at index 111), keeps its clock and its customer
// and location texts, and records every request it was asked, payload and result.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/device/DeviceConfig.h"
#include "host/device/DeviceResults.h"
#include "platform/oleaut/Variant.h"

struct CDeviceRequest {
    ULONGLONG tick = 0;     // the host's clock when it was asked
    std::wstring operation; // "GetIdentity", "GetAttribute", "ExecuteService", "InvokeMethod"
    std::wstring name;
    std::wstring payload; // CDevicePayload::Describe of the argument
    HRESULT result = S_OK;
};

class CSimulatedDevice {
public:
    // Verification status codes.
    static constexpr SHORT kReady = static_cast<SHORT>(0x81DD);
    static constexpr SHORT kBusy = static_cast<SHORT>(0x81DA);
    static constexpr SHORT kNotDone = static_cast<SHORT>(0x8189);
    static constexpr SHORT kFailed = 275;
    // The indexes of the stored reports, newest first.
    static constexpr SHORT kFirstReport = 111;
    static constexpr SHORT kLastReport = 118;

    // `reachable` tells whether the controller is online, so that a request reaches
    // the device at all.
    CSimulatedDevice(const CDeviceConfig& config, std::function<bool()> reachable);

    // 0 when the device matches the module, 1 when it is missing, 2 when it does not match.
    HRESULT GetIdentity(LONG* identity);
    HRESULT GetAttribute(const std::wstring& name, const VARIANT& argument, VARIANT* value);
    HRESULT ExecuteService(const std::wstring& name, const VARIANT& data);
    HRESULT InvokeMethod(const std::wstring& name, const VARIANT& argument, LONG flags, LONG* result);
    // Every name the device answers, of any kind.
    static bool KnowsName(const std::wstring& name);

    // Why the last request failed, for the caller's error information.
    const std::wstring& LastError() const { return m_lastError; }
    const std::vector<CDeviceRequest>& Requests() const { return m_requests; }
    void ClearRequests() { m_requests.clear(); }

    SHORT Status();
    BYTE Progress();
    SHORT OverallResult();
    const std::string& Customer() const { return m_customer; }
    const std::string& Location() const { return m_location; }
    // "2024-01-01 13:05:00"
    std::string ClockText() const;
    const std::vector<CDeviceReport>& Reports();
    // Several lines of text: identity, option word, access levels, texts, clock,
    // verification, stored reports and the number of requests.
    std::string Describe();

private:
    enum class Kind { Attribute, Service, Method };
    using Handler = HRESULT (CSimulatedDevice::*)(const VARIANT& argument, VARIANT* value, LONG* result);
    // A request with its own handler, or an attribute that answers a number for an
    // argument byte (or, by reference, a long).
    struct Entry {
        const wchar_t* name;
        Kind kind;
        Handler handler;
        LONG argument = 0;
        bool byRef = false;
        VARTYPE type = VT_EMPTY;
        LONG (CSimulatedDevice::*number)() = nullptr;
    };
    static const std::vector<Entry>& Entries();

    HRESULT Ask(const wchar_t* operation, Kind kind, const std::wstring& name, const VARIANT& argument,
                VARIANT* value, LONG* result);
    HRESULT Refuse(HRESULT code, const std::wstring& why);
    HRESULT Malformed(const std::wstring& why) { return Refuse(DEVICE_E_BADPAYLOAD, why); }
    // Finishes a verification whose time is up; every request first brings the device
    // up to the host's clock, so that it also keeps time when the clock runs for real.
    void Settle();
    LONGLONG ClockMs() const;
    // Changes one field of the device clock; the seconds start again from 0.
    void SetClockField(BYTE selector, LONG value);

    HRESULT NumberAttribute(const Entry& entry, const VARIANT& argument, VARIANT* value);
    LONG OptionWord() { return m_config.optionWord; }
    LONG StatusNumber() { return Status(); }
    LONG ProgressNumber() { return Progress(); }
    LONG ServiceLevel() { return m_config.serviceLevel; }
    LONG FieldbusLevel() { return m_config.fieldbusLevel; }
    struct ClockRange {
        BYTE selector;
        LONG low, high;
    };
    // One field of the clock from a selector pair whose selector is one of `ranges`.
    HRESULT SetClock(const VARIANT& argument, const std::vector<ClockRange>& ranges, VARTYPE type);
    HRESULT StoreText(const VARIANT& argument, std::string* text);
    HRESULT VerificationReport(const VARIANT& argument, VARIANT* value, LONG*);
    HRESULT Refresh(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT SetCustomer(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT SetLocation(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT SetTime(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT SetTimeMonthAmPm(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT StartVerification(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT CancelVerification(const VARIANT& argument, VARIANT*, LONG*);
    HRESULT GetOverallResult(const VARIANT& argument, VARIANT*, LONG* result);

    CDeviceConfig m_config;
    std::function<bool()> m_reachable;
    std::string m_customer;
    std::string m_location;
    // The device clock is the host's wall time plus this offset.
    LONGLONG m_clockOffsetMs = 0;
    bool m_busy = false;
    ULONGLONG m_startTick = 0;
    // Gone quiet in a verification (the silentAfterMs scenario); it stays quiet.
    bool m_silent = false;
    SHORT m_status = kNotDone;
    SHORT m_result = kNotDone;
    std::vector<CDeviceReport> m_reports;
    std::vector<CDeviceRequest> m_requests;
    std::wstring m_lastError;
};
