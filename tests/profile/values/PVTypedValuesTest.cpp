#include <gtest/gtest.h>

#include <functional>

#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "profile/convert/CnvErrors.h"
#include "profile/server/PromptInfo.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetAdapter.h"
#include "profile/values/PVGetSetEnum.h"
#include "profile/values/PVGetSetFloat.h"
#include "profile/values/PVGetSetFloat2.h"
#include "profile/values/PVGetSetLong.h"
#include "tests/profile/convert/TestPromptServer.h"
#include "tests/profile/values/LogLines.h"
#include "tests/profile/values/TestTag.h"

namespace {

std::wstring AdapterReadError(const std::wstring& member) {
    return L"CPVGetSetAdapeterErrorHandler::ErrorReadingValue | Error: Reading value for member " + member +
           L" from services!\r\n";
}

class TypedValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& m = tag->members;
        m[L"TotalizerPreset"].value = CTestVariant::Long(-2);
        m[L"TotalizerPreset"].minimum = CTestVariant::Long(-10);
        m[L"TotalizerPreset"].maximum = CTestVariant::Long(100);
        m[L"LowFlowCutOff"].value = CTestVariant::Float(1.5f);
        m[L"LowFlowCutOff"].minimum = CTestVariant::Float(0.0f);
        m[L"LowFlowCutOff"].maximum = CTestVariant::Float(10.0f);
        m[L"Damping"].value = CTestVariant::Double(0.5);
        m[L"Mode"].value = CTestVariant::Long(1);
        m[L"Mode"].enumIndex = 1;
        m[L"Mode"].enumStrings = {L"Off", L"On"};
        m[L"Mode"].minimum = CTestVariant::Long(0);
        m[L"Empty"].value = CTestVariant::Long(0);
        adapter.Attach(new CPVGetSetAdapterITag(tag));
    }
    void TearDown() override {
        CFaultInjector::Instance().ClearAll();
        adapter = nullptr;
        tag = nullptr;
        EXPECT_EQ(0, CTestTag::Live()) << "every value object released its adapter";
    }

public:
    template <class Value>
    CComPtr<IPVGetSetValue> Make(const wchar_t* member, IPVGetSetAdapter* withAdapter) {
        CComPtr<IPVGetSetValue> value;
        value.Attach(new Value(member, withAdapter));
        return value;
    }
    template <class Value> CComPtr<IPVGetSetValue> Make(const wchar_t* member) {
        return Make<Value>(member, adapter);
    }

public:
    CComPtr<CTestTag> tag = CTestTag::Create();
    CComPtr<IPVGetSetAdapter> adapter;
};

TEST_F(TypedValueTest, IntegerFormsGoToTheLongOperations) {
    {
        CComPtr<IPVGetSetValue> value = Make<CPVGetSetLong>(L"TotalizerPreset");
        CAopLogCapture log;
        LONG number = 77;
        EXPECT_EQ(S_OK, value->GetValue(&number, nullptr));
        EXPECT_EQ(-2, number);
        EXPECT_EQ(S_OK, value->GetMinValue(&number, nullptr));
        EXPECT_EQ(-10, number);
        EXPECT_EQ(S_OK, value->GetMaxValue(&number, nullptr));
        EXPECT_EQ(100, number);
        EXPECT_EQ(S_OK, value->SetValue(LONG{42}, nullptr));
        const VARIANT& stored = tag->members[L"TotalizerPreset"].value.Get();
        EXPECT_EQ(VT_I4, stored.vt);
        EXPECT_EQ(42, stored.lVal);
        EXPECT_EQ(Lines{}, LogLines(log));
    }
}

TEST_F(TypedValueTest, FloatFormsGoToTheFloatOperations) {
    const std::function<CComPtr<IPVGetSetValue>()> makers[] = {
        [this] { return Make<CPVGetSetFloat>(L"LowFlowCutOff"); },
        [this] { return Make<CPVGetSetFloat2>(L"LowFlowCutOff"); },
    };
    for (const auto& make : makers) {
        tag->members[L"LowFlowCutOff"].value = CTestVariant::Float(1.5f);
        CComPtr<IPVGetSetValue> value = make();
        CAopLogCapture log;
        float number = 77;
        EXPECT_EQ(S_OK, value->GetValue(&number, nullptr));
        EXPECT_EQ(1.5f, number);
        EXPECT_EQ(S_OK, value->GetMinValue(&number, nullptr));
        EXPECT_EQ(0.0f, number);
        EXPECT_EQ(S_OK, value->GetMaxValue(&number, nullptr));
        EXPECT_EQ(10.0f, number);
        EXPECT_EQ(S_OK, value->SetValue(2.5f, nullptr));
        const VARIANT& stored = tag->members[L"LowFlowCutOff"].value.Get();
        EXPECT_EQ(VT_R4, stored.vt);
        EXPECT_EQ(2.5f, stored.fltVal);
        EXPECT_EQ(Lines{}, LogLines(log));
    }
}

TEST_F(TypedValueTest, AdapterFailuresLeaveTheOutValueAndPassTheCodeOn) {
    const struct {
        const char* name;
        std::function<HRESULT(TypedValueTest&)> call;
        HRESULT hr;
        Lines log;
    } cases[] = {
        {"long over a float member",
         [](TypedValueTest& t) {
             LONG n = 77;
             HRESULT hr = t.Make<CPVGetSetLong>(L"LowFlowCutOff")->GetValue(&n, nullptr);
             return n == 77 ? hr : S_FALSE;
         },
         E_FAIL,
         {AdapterReadError(L"LowFlowCutOff")}},
        {"float over a double member",
         [](TypedValueTest& t) {
             float f = 77;
             HRESULT hr = t.Make<CPVGetSetFloat>(L"Damping")->GetValue(&f, nullptr);
             return f == 77 ? hr : S_FALSE;
         },
         E_FAIL,
         {AdapterReadError(L"Damping")}},
        {"maximum of a member without one",
         [](TypedValueTest& t) {
             float f = 77;
             HRESULT hr = t.Make<CPVGetSetFloat2>(L"Damping")->GetMaxValue(&f, nullptr);
             return f == 77 ? hr : S_FALSE;
         },
         E_FAIL,
         {AdapterReadError(L"Damping")}},
        {"refused write",
         [](TypedValueTest& t) {
             t.tag->Fail("SetValue", E_ACCESSDENIED);
             return t.Make<CPVGetSetLong>(L"TotalizerPreset")->SetValue(LONG{1}, nullptr);
         },
         E_ACCESSDENIED,
         {L"CPVGetSetAdapeterErrorHandler::ErrorSavingValue | Error: Saving value for member TotalizerPreset "
          L"to "
          L"services!\r\n"}},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        EXPECT_EQ(c.hr, c.call(*this)) << c.name;
        EXPECT_EQ(c.log, LogLines(log)) << c.name;
    }
}

TEST_F(TypedValueTest, EnumerationIsTheIndexWithoutLimits) {
    CComPtr<IPVGetSetValue> value = Make<CPVGetSetEnum>(L"Mode");
    CAopLogCapture log;
    LONG index = 77;
    EXPECT_EQ(S_OK, value->GetValue(&index, nullptr));
    EXPECT_EQ(1, index);
    EXPECT_EQ(S_OK, value->SetValue(LONG{0}, nullptr));
    EXPECT_EQ(0, tag->members[L"Mode"].enumIndex);
    EXPECT_EQ(VT_I4, tag->members[L"Mode"].value.Get().vt) << "the value itself is not written";
    EXPECT_EQ(1, tag->members[L"Mode"].value.Get().lVal);

    index = 77;
    EXPECT_EQ(E_FAIL, value->GetMinValue(&index, nullptr));
    EXPECT_EQ(E_FAIL, value->GetMaxValue(&index, nullptr));
    EXPECT_EQ(77, index);
    EXPECT_EQ(Lines{}, LogLines(log)) << "no limits, and nothing said about it";

    CComPtr<IPVGetSetValue> missing = Make<CPVGetSetEnum>(L"NoSuchMember");
    EXPECT_EQ(S_OK, missing->GetValue(&index, nullptr));
    EXPECT_EQ(-1, index);
    EXPECT_EQ(Lines{}, LogLines(log));
}

TEST_F(TypedValueTest, FormsOfOtherTypesStayUnsupported) {
    CAopLogCapture log;
    float f = 77;
    LONG n = 77;
    LONGLONG w = 77;
    EXPECT_EQ(E_FAIL, Make<CPVGetSetLong>(L"TotalizerPreset")->GetValue(&f, nullptr));
    EXPECT_EQ(E_FAIL, Make<CPVGetSetFloat>(L"LowFlowCutOff")->GetValue(&n, nullptr));
    EXPECT_EQ(E_FAIL, Make<CPVGetSetEnum>(L"Mode")->GetValue(&w, nullptr));
    EXPECT_EQ(E_FAIL, Make<CPVGetEnumStrings>(L"Mode")->GetValue(&n, nullptr));
    EXPECT_EQ(Lines(4, L"CPVGetSetValue::GetValue | Unsupported operation."), LogLines(log));
    EXPECT_EQ(77.0f, f);
    EXPECT_EQ(77, n);
}

TEST_F(TypedValueTest, WithoutAdapterEveryTypedFormFails) {
    LONG n = 77;
    float f = 77;
    CString text(L"keep");
    const struct {
        const char* name;
        CComPtr<IPVGetSetValue> value;
        std::function<HRESULT(IPVGetSetValue*)> call;
    } cases[] = {
        {"long get", Make<CPVGetSetLong>(L"TotalizerPreset", nullptr),
         [&](IPVGetSetValue* v) { return v->GetValue(&n, nullptr); }},
        {"long set", Make<CPVGetSetLong>(L"TotalizerPreset", nullptr),
         [&](IPVGetSetValue* v) { return v->SetValue(LONG{1}, nullptr); }},
        {"enum get", Make<CPVGetSetEnum>(L"Mode", nullptr),
         [&](IPVGetSetValue* v) { return v->GetValue(&n, nullptr); }},
        {"float max", Make<CPVGetSetFloat>(L"LowFlowCutOff", nullptr),
         [&](IPVGetSetValue* v) { return v->GetMaxValue(&f, nullptr); }},
        {"float2 set", Make<CPVGetSetFloat2>(L"LowFlowCutOff", nullptr),
         [&](IPVGetSetValue* v) { return v->SetValue(1.0f, nullptr); }},
        {"enum strings", Make<CPVGetEnumStrings>(L"Mode", nullptr),
         [&](IPVGetSetValue* v) {
             return v->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, nullptr);
         }},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        EXPECT_EQ(E_FAIL, c.call(c.value)) << c.name;
        EXPECT_EQ(Lines{L"CPVGetSetMemberNameValue::InitializationIsValid | Error: m_spIPVGetSetAdapter not "
                        L"initialized!"},
                  LogLines(log))
            << c.name;
    }
    EXPECT_EQ(77, n);
    EXPECT_EQ(77.0f, f);
    EXPECT_EQ(CString(L"keep"), text);
}

TEST_F(TypedValueTest, EachValueHoldsOneReferenceToItsAdapter) {
    EXPECT_EQ(2u, adapter->AddRef());
    adapter->Release();
    {
        CComPtr<IPVGetSetValue> values[] = {
            Make<CPVGetSetLong>(L"TotalizerPreset"), Make<CPVGetSetEnum>(L"Mode"),
            Make<CPVGetSetFloat>(L"LowFlowCutOff"),  Make<CPVGetSetFloat2>(L"LowFlowCutOff"),
            Make<CPVGetEnumStrings>(L"Mode"),
        };
        EXPECT_EQ(7u, adapter->AddRef());
        adapter->Release();
    }
    EXPECT_EQ(2u, adapter->AddRef()) << "every value released its reference when it went";
    adapter->Release();
}

TEST_F(TypedValueTest, EnumerationStringsJoinedWithLineFeeds) {
    const struct {
        std::vector<std::wstring> strings;
        const wchar_t* text;
    } cases[] = {
        {{L"Off", L"On"}, L"Off\nOn\n"},
        {{L"l/s"}, L"l/s\n"},
        {{}, L""},
        {{L"", L"x"}, L"\nx\n"},
    };
    CComPtr<IPVGetSetValue> value = Make<CPVGetEnumStrings>(L"Mode");
    for (const auto& c : cases) {
        tag->members[L"Mode"].enumStrings = c.strings;
        CAopLogCapture log;
        CString text(L"keep");
        CPromptInfo prompt;
        EXPECT_EQ(S_OK, value->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, &prompt));
        EXPECT_EQ(CString(c.text), text);
        EXPECT_EQ(CPromptInfo(), prompt);
        EXPECT_EQ(Lines{}, LogLines(log));
    }
}

TEST_F(TypedValueTest, EnumerationStringsFailures) {
    CComPtr<IPVGetSetValue> value = Make<CPVGetEnumStrings>(L"Mode");
    CAopLogCapture log;
    CString text(L"keep");
    CPromptInfo prompt;
    const VARTYPE wrong[] = {VT_I4, VT_R4, VT_BSTR, 0};
    for (VARTYPE vt : wrong)
        EXPECT_EQ(E_FAIL, value->GetValue(&text, vt, &prompt)) << vt;
    EXPECT_EQ(Lines{}, LogLines(log)) << "a wrong selector is refused silently";

    CComPtr<IPVGetSetValue> missing = Make<CPVGetEnumStrings>(L"NoSuchMember");
    EXPECT_EQ(E_INVALIDARG, missing->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, &prompt));
    EXPECT_EQ((Lines{AdapterReadError(L"NoSuchMember"),
                     L"CPVGetSetValue::ErrorReadingValue | Error: Reading value for member NoSuchMember from "
                     L"services!\n"}),
              LogLines(log));
    EXPECT_EQ(L"PVGetSetValue", log.Records()[1].source);

    log.Clear();
    tag->enumStringsTwoDimensional = true;
    EXPECT_EQ(E_FAIL, value->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, &prompt));
    tag->enumStringsTwoDimensional = false;

    CFaultInjector::Instance().Inject("SafeArrayGetUBound", E_UNEXPECTED);
    EXPECT_EQ(E_UNEXPECTED, value->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, &prompt));
    EXPECT_EQ(CPromptInfo(), prompt) << "only a failed data access fills the prompt";

    CFaultInjector::Instance().Inject("SafeArrayAccessData", E_OUTOFMEMORY);
    EXPECT_EQ(E_OUTOFMEMORY, value->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, nullptr));
    CFaultInjector::Instance().Inject("SafeArrayAccessData", E_OUTOFMEMORY);
    EXPECT_EQ(E_OUTOFMEMORY, value->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, &prompt));
    EXPECT_EQ(CString(L"Error: Obtaining enum strings from safearray for member Mode\r\n"), prompt.m_strText);
    EXPECT_EQ(CString(L"keep"), text);
    EXPECT_EQ(Lines{}, LogLines(log));
}

// The text forms: a numeric form of the class, then its converter; refusals carry the
// converter's prompt with the member name in front.
struct TextFormCase {
    const char* name;
    std::function<CComPtr<IPVGetSetValue>(TypedValueTest&)> make;
    std::function<HRESULT(IPVGetSetValue&, CString&, CPromptInfo&)> act;
    HRESULT expected;
    const wchar_t* text;   // the text afterwards ("keep" when untouched)
    const wchar_t* prompt; // the prompt's message afterwards
};

template <class Value> std::function<CComPtr<IPVGetSetValue>(TypedValueTest&)> Of(const wchar_t* member) {
    return [member](TypedValueTest& test) { return test.Make<Value>(member); };
}

const TextFormCase kTextForms[] = {
    {"long out", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, VT_I4, &p); }, S_OK, L"-2",
     L""},
    {"long minimum out", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetMinValue(&t, VT_I4, &p); }, S_OK, L"-10",
     L""},
    {"long maximum out", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetMaxValue(&t, VT_I4, &p); }, S_OK, L"100",
     L""},
    {"long out, wrong vt", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, VT_R4, &p); }, E_FAIL, L"keep",
     L""},
    {"long in, wrong vt", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString&, CPromptInfo& p) { return v.SetValue(CString(L"5"), VT_I8, &p); }, E_FAIL,
     L"keep", L""},
    {"long in, beyond LONG", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString&, CPromptInfo& p) {
         return v.SetValue(CString(L"2147483648"), VT_I4, &p);
     },
     CNV_E_ABOVEMAXIMUM, L"keep", L"TotalizerPreset:  '2147483648' is above the maximum 2147483647."},
    {"long in, sign inside", Of<CPVGetSetLong>(L"TotalizerPreset"),
     [](IPVGetSetValue& v, CString&, CPromptInfo& p) { return v.SetValue(CString(L"1-2"), VT_I4, &p); },
     CNV_E_INVALIDINTEGER, L"keep", L"TotalizerPreset:  '1-2' is not an integer."},
    {"enumeration out is the index", Of<CPVGetSetEnum>(L"Mode"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, VT_I4, &p); }, S_OK, L"1",
     L""},
    {"enumeration has no text minimum", Of<CPVGetSetEnum>(L"Mode"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetMinValue(&t, VT_I4, &p); }, E_FAIL,
     L"keep", L""},
    {"float out", Of<CPVGetSetFloat>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, 2, VT_R4, &p); }, S_OK,
     L"1.50", L""},
    {"float maximum out", Of<CPVGetSetFloat>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetMaxValue(&t, 1, VT_R4, &p); }, S_OK,
     L"10.0", L""},
    {"float out, wrong vt", Of<CPVGetSetFloat>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, 2, VT_I4, &p); }, E_FAIL,
     L"keep", L""},
    {"float in, not a number", Of<CPVGetSetFloat>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString&, CPromptInfo& p) { return v.SetValue(CString(L"1.2.3"), 2, VT_R4, &p); },
     CNV_E_INVALIDFLOAT, L"keep", L"LowFlowCutOff:  '1.2.3' is not a number."},
    {"second float out", Of<CPVGetSetFloat2>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString& t, CPromptInfo& p) { return v.GetValue(&t, 1, VT_R4, &p); }, S_OK, L"1.5",
     L""},
    {"second float in, exponent", Of<CPVGetSetFloat2>(L"LowFlowCutOff"),
     [](IPVGetSetValue& v, CString&, CPromptInfo& p) { return v.SetValue(CString(L"1e5"), 1, VT_R4, &p); },
     CNV_E_INVALIDFLOAT, L"keep", L"LowFlowCutOff:  '1e5' is not a number."},
};

TEST_F(TypedValueTest, TextFormsConvertAndPrefixRefusals) {
    CTestPromptServerRegistration prompts;
    ASSERT_EQ(S_OK, prompts.Status());
    for (const TextFormCase& c : kTextForms) {
        SCOPED_TRACE(c.name);
        CComPtr<IPVGetSetValue> value = c.make(*this);
        CString text = L"keep";
        CPromptInfo prompt;
        EXPECT_EQ(c.expected, c.act(*value, text, prompt));
        EXPECT_EQ(CString(c.text), text);
        EXPECT_EQ(CString(c.prompt), prompt.m_strText);
    }
}

TEST_F(TypedValueTest, TextInputsReachTheTagRounded) {
    CTestPromptServerRegistration prompts;
    CPromptInfo prompt;
    EXPECT_EQ(S_OK, Make<CPVGetSetLong>(L"TotalizerPreset")->SetValue(CString(L" 42 "), VT_I4, &prompt));
    EXPECT_EQ(42, tag->members[L"TotalizerPreset"].value.Get().lVal);
    EXPECT_EQ(S_OK, Make<CPVGetSetEnum>(L"Mode")->SetValue(CString(L"0"), VT_I4, &prompt));
    EXPECT_EQ(0, tag->members[L"Mode"].enumIndex);
    // The first converter rounds the typed digits; the second rounds the value.
    EXPECT_EQ(S_OK, Make<CPVGetSetFloat>(L"LowFlowCutOff")->SetValue(CString(L"2.345"), 2, VT_R4, &prompt));
    EXPECT_FLOAT_EQ(2.35f, tag->members[L"LowFlowCutOff"].value.Get().fltVal);
    EXPECT_EQ(S_OK, Make<CPVGetSetFloat2>(L"LowFlowCutOff")->SetValue(CString(L"2.25"), 1, VT_R4, &prompt));
    EXPECT_FLOAT_EQ(2.3f, tag->members[L"LowFlowCutOff"].value.Get().fltVal);
    EXPECT_EQ(CString(), prompt.m_strText);
}

} // namespace
