// The device over simulated time (a verification, its report, the clock it keeps),
// its identity scenarios, and the strictness of the project's "device" section.
#include <nlohmann/json.hpp>

#include "host/device/DevicePayload.h"
#include "host/device/DeviceResults.h"
#include "tests/host/device/DeviceTestSupport.h"

namespace {

class DeviceTest : public testing::Test, public CDeviceFixture {
protected:
    // Changes the device section before the module first reaches the device.
    void Configure(const std::function<void(CDeviceConfig&)>& change) {
        CDeviceConfig config = context->Project().Device();
        change(config);
        context->Project().SetDevice(config);
    }
    HRESULT Execute(const wchar_t* name, VARIANT data) {
        CTestVariant owned;
        owned.v = data;
        return module->ExecuteService(CTestBstr(name), owned.v);
    }
    LONG Read(const wchar_t* name, LONG argument) {
        CTestVariant value;
        EXPECT_EQ(module->GetAttribute(CTestBstr(name), Scalar(VT_I1, argument), &value.v), S_OK);
        return value.v.vt == VT_UI1 ? value.v.bVal : value.v.iVal;
    }
    std::string ReportText(SHORT index, size_t offset, size_t size) {
        CTestVariant argument, value;
        argument.v = Vector({Scalar(VT_I2, index)});
        EXPECT_EQ(module->GetAttribute(CTestBstr(L"VerificationReport"), argument.v, &value.v), S_OK);
        const auto* bytes = static_cast<const char*>(value.v.parray->pvData);
        return std::string(bytes + offset, size);
    }
    void Advance(ULONGLONG ms) { CClock::Instance().Advance(ms); }
};

TEST_F(DeviceTest, VerificationRunsOnTheHostClockAndStoresItsReportAt111) {
    ASSERT_EQ(Execute(L"SetAttributeSingleCustomer", Characters("ACME")), S_OK);
    // The clock as the time button sets it: 2024-02-29 1:05 PM.
    const std::pair<const wchar_t*, VARIANT> clock[] = {
        {L"SetAttributeSingleTime", Vector({Scalar(VT_I1, 9), Scalar(VT_I1, 24)})},
        {L"SetAttributeSingleTimeMonthAMPM", Vector({Scalar(VT_I1, 10), Scalar(VT_I2, 214)})},
        {L"SetAttributeSingleTime", Vector({Scalar(VT_I1, 11), Scalar(VT_I1, 29)})},
        {L"SetAttributeSingleTime", Vector({Scalar(VT_I1, 12), Scalar(VT_I1, 1)})},
        {L"SetAttributeSingleTime", Vector({Scalar(VT_I1, 13), Scalar(VT_I1, 5)})},
        {L"SetAttributeSingleTimeMonthAMPM", Vector({Scalar(VT_I1, 28), Scalar(VT_I2, 272)})}};
    for (const auto& [name, payload] : clock)
        ASSERT_EQ(Execute(name, payload), S_OK);
    EXPECT_EQ(module->Device().ClockText(), "2024-02-29 13:05:00");

    ASSERT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), S_OK);
    EXPECT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), DEVICE_E_STATE);
    const struct {
        ULONGLONG advance;
        LONG progress;
        SHORT status;
    } steps[] = {{0, 0, CSimulatedDevice::kBusy},
                 {30000, 50, CSimulatedDevice::kBusy},
                 {29999, 99, CSimulatedDevice::kBusy},
                 {1, 100, CSimulatedDevice::kReady}};
    for (const auto& step : steps) {
        Advance(step.advance);
        EXPECT_EQ(Read(L"VerProgress", 0x30), step.progress);
        EXPECT_EQ(Read(L"VerStatus", 0x2D), step.status);
    }
    ASSERT_EQ(module->Device().Reports().size(), 4U);
    EXPECT_EQ(ReportText(111, 0, 5), std::string("ACME\0", 5));
    EXPECT_EQ(ReportText(111, 168, 19), "29-Feb-202413:06:00");
    EXPECT_EQ(ReportText(111, 229, 2), std::string("\x04\x00", 2));
    // The former newest is now the second.
    EXPECT_EQ(ReportText(112, 195, 9), "VER-00003");
}

TEST_F(DeviceTest, AFailingCheckFailsTheVerificationAndACancelStoresNothing) {
    Configure([](CDeviceConfig& c) {
        c.failingChecks = {2};
        c.verificationMs = 1000;
    });
    ASSERT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), S_OK);
    Advance(1000);
    EXPECT_EQ(Read(L"VerStatus", 0x2D), CSimulatedDevice::kFailed);
    EXPECT_EQ(ReportText(111, 231, 4), std::string("\x29\x03\x13\x01", 4)); // 809, then 275
    LONG result = 0;
    EXPECT_EQ(module->InvokeMethod(CTestBstr(L"GetOverallResult"), Scalar(VT_EMPTY, 0), 0, &result), S_OK);
    EXPECT_EQ(result, 275);

    ASSERT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), S_OK);
    Advance(400);
    ASSERT_EQ(Execute(L"CancelVerification", Scalar(VT_EMPTY, 0)), S_OK);
    Advance(1000);
    EXPECT_EQ(Read(L"VerStatus", 0x2D), CSimulatedDevice::kNotDone);
    EXPECT_EQ(Read(L"VerProgress", 0x30), 100);
    EXPECT_EQ(module->Device().Reports().size(), 4U);
}

TEST_F(DeviceTest, EightReportsAtMostTheOldestGoes) {
    Configure([](CDeviceConfig& c) {
        c.reports.resize(8, c.reports.back());
        c.reports.back().verificationId = "OLDEST";
        c.reports[6].verificationId = "SECOND";
        c.verificationMs = 10;
    });
    ASSERT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), S_OK);
    Advance(10);
    ASSERT_EQ(module->Device().Reports().size(), 8U);
    EXPECT_EQ(module->Device().Reports().back().verificationId, "SECOND");
}

struct IdentityCase {
    const char* scenario;
    bool hasDevice;
    CDeviceConfig::Identity identity;
    LONG mode;
    HRESULT identityResult;
    LONG code;
    HRESULT serviceResult;
};

class DeviceIdentity : public testing::TestWithParam<IdentityCase>, public CDeviceFixture {};

TEST_P(DeviceIdentity, AnswersAsItsScenarioSays) {
    const IdentityCase& c = GetParam();
    CDeviceConfig config = context->Project().Device();
    config.identity = c.identity;
    std::string error;
    if (c.hasDevice)
        context->Project().SetDevice(config);
    else
        ASSERT_TRUE(context->Project().LoadText(
            R"({"format": "pvhost-project", "version": 1, "controller": {}, "configTag": null})", "bare",
            &error));
    context->Project().Controller().mode = c.mode;
    LONG code = -1;
    EXPECT_EQ(module->GetIdentity(&code), c.identityResult);
    if (SUCCEEDED(c.identityResult)) {
        EXPECT_EQ(code, c.code);
    }
    EXPECT_EQ(module->ExecuteService(CTestBstr(L"Refresh"), Scalar(VT_EMPTY, 0)), c.serviceResult);
    // The offline module is asked too: the record holds both requests.
    EXPECT_EQ(module->Device().Requests().size(), 2U);
}

using Identity = CDeviceConfig::Identity;
INSTANTIATE_TEST_SUITE_P(
    Scenarios, DeviceIdentity,
    testing::Values(
        IdentityCase{"matching", true, Identity::Matching, 4, S_OK, 0, S_OK},
        IdentityCase{"missing", true, Identity::Missing, 4, S_OK, 1, DEVICE_E_NOANSWER},
        IdentityCase{"mismatched", true, Identity::Mismatched, 4, S_OK, 2, DEVICE_E_MISMATCH},
        IdentityCase{"failing", true, Identity::Failing, 4, DEVICE_E_NOANSWER, 0, S_OK},
        IdentityCase{"offline", true, Identity::Matching, 0, DEVICE_E_OFFLINE, 0, DEVICE_E_OFFLINE},
        IdentityCase{"no device section", false, Identity::Matching, 4, S_OK, 1, DEVICE_E_NOANSWER}),
    [](const testing::TestParamInfo<IdentityCase>& info) {
        std::string name = info.param.scenario;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST_F(DeviceTest, ANamedRequestFailsWithErrorInformation) {
    Configure([](CDeviceConfig& c) { c.failingRequests = {L"StartVerification"}; });
    EXPECT_EQ(Execute(L"StartVerification", Scalar(VT_EMPTY, 0)), DEVICE_E_REFUSED);
    CComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
    BSTR text = nullptr;
    error->GetDescription(&text);
    EXPECT_STREQ(text, L"The device refused 'StartVerification'.");
    SysFreeString(text);
    EXPECT_EQ(Read(L"VerStatus", 0x2D), CSimulatedDevice::kReady);
}

// The "device" section is refused with the file and the field at fault.
TEST(DeviceSection, IsCheckedStrictly) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"colour": 1})", "p.json: device: unknown field 'colour'"},
        {R"({"optionWord": 70000})",
         "p.json: device: field 'optionWord': expected an integer from 0 to 65535"},
        {R"({"optionWord": "0xC000"})", "p.json: device: field 'optionWord': expected an integer"},
        {R"({"customer": "123456789012345678901234567890123"})",
         "p.json: device: field 'customer': the text has 33 characters; at most 32 fit"},
        {R"({"location": "Zürich ☃"})",
         "p.json: device: field 'location': the device stores only characters"},
        {R"({"clock": "2021-02-30 10:00:00"})",
         "p.json: device: field 'clock': \"2021-02-30 10:00:00\" is no time"},
        {R"({"reports": [{}, {}, {}, {}, {}, {}, {}, {}, {}]})",
         "p.json: device: field 'reports': expected a list of at most 8"},
        {R"({"reports": [{}, {"date": "2024-01-01 12:00"}]})",
         "p.json: device: field 'reports': report 112: field 'date': the text has 16 characters; at most 11 "
         "fit"},
        {R"({"reports": [{"checks": [809]}]})",
         "report 111: field 'checks': expected a list of 10 result codes"},
        {R"({"scenarios": {"identity": "gone"}})",
         "p.json: device: field 'scenarios': field 'identity': expected"},
        {R"({"scenarios": {"failingRequests": ["Reboot"]}})", "entry 1: the device has no request 'Reboot'"},
        {R"({"scenarios": {"failingChecks": [3, 3]}})", "field 'failingChecks': check 3 appears twice"},
        {R"({"scenarios": {"silentAfterMs": 0}})", "field 'silentAfterMs': expected an integer from 1"},
        {R"({"verification": {"durationMs": 0}})",
         "field 'verification': field 'durationMs': expected an integer from 1"},
    };
    for (const auto& [device, expected] : cases) {
        CHostProject project;
        std::string error;
        const std::string text =
            std::string(
                R"({"format": "pvhost-project", "version": 1, "controller": {}, "configTag": null, "device": )") +
            device + "}";
        EXPECT_FALSE(project.LoadText(text, "p.json", &error)) << device;
        EXPECT_NE(error.find(expected), std::string::npos) << error;
        EXPECT_FALSE(project.HasDevice());
    }
}

TEST(DeviceSection, ComesBackAsItWasWritten) {
    CHostProject project, again;
    std::string error;
    ASSERT_TRUE(project.LoadDefault(&error)) << error;
    ASSERT_TRUE(again.LoadText(project.ToJson(), "saved", &error)) << error;
    EXPECT_EQ(again.ToJson(), project.ToJson());
    EXPECT_EQ(again.Device().reports.size(), 3U);
}

} // namespace
