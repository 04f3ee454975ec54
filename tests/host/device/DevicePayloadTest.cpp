// Every request of the online pages, with its payload well formed and malformed, as
// the module hands it to the device: the result, the value read, and the error
// information a refusal leaves.
#include <functional>

#include "host/device/DevicePayload.h"
#include "host/device/DeviceResults.h"
#include "platform/base/TextCodec.h"
#include "tests/host/device/DeviceTestSupport.h"

namespace {

enum class Op { Get, Execute, Invoke };

struct PayloadCase {
    const char* what;
    Op op;
    const wchar_t* name;
    std::function<VARIANT()> payload;
    HRESULT result;
    std::wstring expected; // the value read (its description), or a part of the error text
};

void PrintTo(const PayloadCase& c, std::ostream* out) {
    *out << c.what;
}

LONG g_serviceArgument = 103;
LONG g_fieldbusArgument = 104;

VARIANT ByRef(LONG* target) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_I4;
    v.plVal = target;
    return v;
}

VARIANT Empty() {
    return Scalar(VT_EMPTY, 0);
}

VARIANT Pair(LONG selector, VARTYPE type, LONG value) {
    return Vector({Scalar(VT_I1, selector), Scalar(type, value)});
}

VARIANT CharactersAfterEnd() {
    VARIANT v = Characters("AB");
    LONG at = 5;
    VARIANT stray = Scalar(VT_I1, 'X');
    SafeArrayPutElement(v.parray, &at, &stray);
    return v;
}

const PayloadCase kCases[] = {
    {"option word", Op::Get, L"SWOPTEnabled", [] { return Scalar(VT_I1, 0x8C); }, S_OK, L"I4 49155"},
    {"option word, other byte", Op::Get, L"SWOPTEnabled", [] { return Scalar(VT_I1, 0x8D); },
     DEVICE_E_BADPAYLOAD, L"expected I1 -116, got I1 -115"},
    {"option word as UI1", Op::Get, L"SWOPTEnabled", [] { return Scalar(VT_UI1, 0x8C); }, DEVICE_E_BADPAYLOAD,
     L"got UI1 140"},
    {"status", Op::Get, L"VerStatus", [] { return Scalar(VT_I1, 0x2D); }, S_OK, L"I2 -32291"},
    {"status, progress byte", Op::Get, L"VerStatus", [] { return Scalar(VT_I1, 0x30); }, DEVICE_E_BADPAYLOAD,
     L"expected I1 45"},
    {"progress", Op::Get, L"VerProgress", [] { return Scalar(VT_I1, 0x30); }, S_OK, L"UI1 100"},
    {"progress, empty", Op::Get, L"VerProgress", Empty, DEVICE_E_BADPAYLOAD, L"got EMPTY"},
    {"report 113", Op::Get, L"VerificationReport", [] { return Vector({Scalar(VT_I2, 113)}); }, S_OK,
     L"ARRAY|UI1[0..298] {82, 105, 118"},
    {"report 114, not stored", Op::Get, L"VerificationReport", [] { return Vector({Scalar(VT_I2, 114)}); },
     DEVICE_E_NOREPORT, L"under 114"},
    {"report 110", Op::Get, L"VerificationReport", [] { return Vector({Scalar(VT_I2, 110)}); },
     DEVICE_E_BADPAYLOAD, L"outside 111 to 118"},
    {"report index as I4", Op::Get, L"VerificationReport", [] { return Vector({Scalar(VT_I4, 111)}); },
     DEVICE_E_BADPAYLOAD, L"is I4, not I2"},
    {"report, two indexes", Op::Get, L"VerificationReport",
     [] {
         return Vector({Scalar(VT_I2, 111), Scalar(VT_I2, 112)});
     },
     DEVICE_E_BADPAYLOAD, L"expected ARRAY|VARIANT[0..0]"},
    {"report, bare I2", Op::Get, L"VerificationReport", [] { return Scalar(VT_I2, 111); },
     DEVICE_E_BADPAYLOAD, L"got I2 111"},
    {"service level", Op::Get, L"ServiceLevel", [] { return ByRef(&g_serviceArgument); }, S_OK, L"I2 -32472"},
    {"service level with 104", Op::Get, L"ServiceLevel", [] { return ByRef(&g_fieldbusArgument); },
     DEVICE_E_BADPAYLOAD, L"expected BYREF|I4 103"},
    {"service level by value", Op::Get, L"ServiceLevel", [] { return Scalar(VT_I4, 103); },
     DEVICE_E_BADPAYLOAD, L"got I4 103"},
    {"service level, null reference", Op::Get, L"ServiceLevel", [] { return ByRef(nullptr); },
     DEVICE_E_BADPAYLOAD, L"BYREF|I4 null"},
    {"fieldbus level", Op::Get, L"FieldbusLevel", [] { return ByRef(&g_fieldbusArgument); }, S_OK,
     L"I2 -32522"},
    {"refresh", Op::Execute, L"Refresh", Empty, S_OK, L""},
    {"refresh of report 118", Op::Execute, L"Refresh", [] { return Scalar(VT_I4, 118); }, S_OK, L""},
    {"refresh of report 119", Op::Execute, L"Refresh", [] { return Scalar(VT_I4, 119); }, DEVICE_E_BADPAYLOAD,
     L"got I4 119"},
    {"refresh with I2", Op::Execute, L"Refresh", [] { return Scalar(VT_I2, 111); }, DEVICE_E_BADPAYLOAD,
     L"got I2 111"},
    {"customer", Op::Execute, L"SetAttributeSingleCustomer", [] { return Characters("ACME"); }, S_OK, L""},
    {"customer of 31 elements", Op::Execute, L"SetAttributeSingleCustomer",
     [] { return Characters("ACME", 31); }, DEVICE_E_BADPAYLOAD, L"[0..31], got ARRAY|VARIANT[0..30]"},
    {"customer, text after the end", Op::Execute, L"SetAttributeSingleCustomer", CharactersAfterEnd,
     DEVICE_E_BADPAYLOAD, L"element 5 follows the end"},
    {"location", Op::Execute, L"SetAttributeSingleLocation", [] { return Characters("Hall 7"); }, S_OK, L""},
    {"location of I2", Op::Execute, L"SetAttributeSingleLocation", [] { return Vector({Scalar(VT_I2, 65)}); },
     DEVICE_E_BADPAYLOAD, L"[0..31]"},
    {"year", Op::Execute, L"SetAttributeSingleTime", [] { return Pair(9, VT_I1, 24); }, S_OK, L""},
    {"year 100", Op::Execute, L"SetAttributeSingleTime", [] { return Pair(9, VT_I1, 100); },
     DEVICE_E_BADPAYLOAD, L"takes 0 to 99, not 100"},
    {"hour 0", Op::Execute, L"SetAttributeSingleTime", [] { return Pair(12, VT_I1, 0); }, DEVICE_E_BADPAYLOAD,
     L"takes 1 to 12"},
    {"minute as I2", Op::Execute, L"SetAttributeSingleTime", [] { return Pair(13, VT_I2, 5); },
     DEVICE_E_BADPAYLOAD, L"takes an I1 value"},
    {"month through the wrong name", Op::Execute, L"SetAttributeSingleTime",
     [] { return Pair(10, VT_I1, 2); }, DEVICE_E_BADPAYLOAD, L"the selector 10 is none of 9, 11, 12, 13"},
    {"selector as I2", Op::Execute, L"SetAttributeSingleTime",
     [] {
         return Vector({Scalar(VT_I2, 9), Scalar(VT_I1, 1)});
     },
     DEVICE_E_BADPAYLOAD, L"selector is I2"},
    {"month", Op::Execute, L"SetAttributeSingleTimeMonthAMPM", [] { return Pair(10, VT_I2, 224); }, S_OK,
     L""},
    {"month 13", Op::Execute, L"SetAttributeSingleTimeMonthAMPM", [] { return Pair(10, VT_I2, 225); },
     DEVICE_E_BADPAYLOAD, L"213 to 224"},
    {"PM", Op::Execute, L"SetAttributeSingleTimeMonthAMPM", [] { return Pair(28, VT_I2, 272); }, S_OK, L""},
    {"AM/PM code 273", Op::Execute, L"SetAttributeSingleTimeMonthAMPM", [] { return Pair(28, VT_I2, 273); },
     DEVICE_E_BADPAYLOAD, L"takes 271 to 272, not 273"},
    {"AM/PM as I1", Op::Execute, L"SetAttributeSingleTimeMonthAMPM", [] { return Pair(28, VT_I1, 16); },
     DEVICE_E_BADPAYLOAD, L"takes an I2 value"},
    {"start with data", Op::Execute, L"StartVerification", [] { return Scalar(VT_I4, 1); },
     DEVICE_E_BADPAYLOAD, L"expected no data"},
    {"cancel while idle", Op::Execute, L"CancelVerification", Empty, DEVICE_E_STATE,
     L"No verification is running."},
    {"overall result", Op::Invoke, L"GetOverallResult", Empty, S_OK, L"809"},
    {"overall result with data", Op::Invoke, L"GetOverallResult", [] { return Scalar(VT_I4, 0); },
     DEVICE_E_BADPAYLOAD, L"got I4 0"},
    {"an attribute as a service", Op::Execute, L"VerStatus", Empty, DEVICE_E_UNKNOWNNAME,
     L"no service 'VerStatus'"},
};

class DevicePayload : public testing::TestWithParam<PayloadCase>, public CDeviceFixture {};

TEST_P(DevicePayload, IsDecodedOrRefusedWithErrorInformation) {
    const PayloadCase& c = GetParam();
    CTestBstr name(c.name);
    CTestVariant argument, value;
    argument.v = c.payload();
    LONG result = 0;
    const HRESULT hr = c.op == Op::Get       ? module->GetAttribute(name, argument.v, &value.v)
                       : c.op == Op::Execute ? module->ExecuteService(name, argument.v)
                                             : module->InvokeMethod(name, argument.v, 0, &result);
    ASSERT_EQ(hr, c.result);
    const auto& requests = module->Device().Requests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].name, c.name);
    EXPECT_EQ(requests[0].payload, CDevicePayload::Describe(argument.v));
    if (SUCCEEDED(hr)) {
        const std::wstring read = c.op == Op::Invoke ? std::to_wstring(result)
                                  : c.op == Op::Get  ? CDevicePayload::Describe(value.v)
                                                     : L"";
        EXPECT_EQ(read.substr(0, c.expected.size()), c.expected);
        return;
    }
    const REFIID iid = c.op == Op::Invoke ? IModuleMethods::Iid : IModuleServices::Iid;
    EXPECT_EQ(module->InterfaceSupportsErrorInfo(iid), S_OK);
    CComPtr<IErrorInfo> error;
    ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    const std::wstring text = description ? description : L"";
    SysFreeString(description);
    EXPECT_NE(text.find(c.expected), std::wstring::npos) << CTextCodec::ToUtf8(text);
}

INSTANTIATE_TEST_SUITE_P(EveryRequest, DevicePayload, testing::ValuesIn(kCases));

} // namespace
