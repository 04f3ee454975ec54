#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "host/HostModule.h"
#include "host/HostResults.h"
#include "host/HostTag.h"
#include "platform/com/ErrorInfo.h"
#include "tests/host/HostTestSupport.h"

namespace {

const char kTagProject[] = R"({
  "format": "pvhost-project", "version": 1, "controller": {},
  "configTag": {"name": "Local:1:C", "suffix": "O", "forcesEnabled": true, "members": [
    {"name": "Small", "type": "SINT", "min": -10, "max": 10, "value": -2},
    {"name": "Count", "type": "DINT", "min": 0, "max": 100, "default": 7, "value": 42},
    {"name": "Big", "type": "LINT", "value": 5000000000},
    {"name": "Ratio", "type": "REAL", "min": 0.5, "max": 2.5, "value": 1.25},
    {"name": "Flag", "type": "BOOL", "value": true},
    {"name": "Label", "type": "STRING", "value": "north"},
    {"name": "Unit", "type": "DINT", "enum": [{"value": 5124, "text": "kg/s"}, {"value": 5136, "text": "kg/h"},
      {"value": 2221, "text": "t/h"}], "value": 5136, "forced": true, "forcedValue": 2221,
      "extProperties": {"3": "Mass flow unit"}}
  ]}})";

class HostTagTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = CHostContext::Create();
        std::string error;
        ASSERT_TRUE(context->Project().LoadText(kTagProject, "tag test", &error)) << error;
        auto module = MakeHostObject<CHostModule>(context);
        ASSERT_EQ(S_OK, module->GetConfigTag(&tag));
        ASSERT_EQ(S_OK, tag.QueryInterface(&tag2));
    }

    std::wstring LastErrorDescription() {
        CComPtr<IErrorInfo> error;
        if (GetErrorInfo(0, &error) != S_OK)
            return L"";
        BSTR text = nullptr;
        error->GetDescription(&text);
        std::wstring description = text ? text : L"";
        SysFreeString(text);
        return description;
    }

    std::shared_ptr<CHostContext> context;
    CComPtr<ITag> tag;
    CComPtr<ITag2> tag2;
};

TEST_F(HostTagTest, ValuesComeAsTheVariantTypeOfTheMember) {
    struct Case {
        const wchar_t* member;
        VARTYPE vt;
        LONGLONG integer;
    } cases[] = {
        {L"Small", VT_I4, -2}, {L"Count", VT_I4, 42},  {L"Big", VT_I8, 5000000000LL}, {L"Ratio", VT_R4, 0},
        {L"Flag", VT_BOOL, 0}, {L"Label", VT_BSTR, 0}, {L"Unit", VT_I4, 5136},
    };
    for (const Case& c : cases) {
        CTestVariant value;
        ASSERT_EQ(S_OK, tag->GetValue(CTestBstr(c.member), &value.v)) << c.member;
        EXPECT_EQ(c.vt, value.v.vt) << c.member;
        if (c.vt == VT_I4) {
            EXPECT_EQ(c.integer, value.v.lVal) << c.member;
        } else if (c.vt == VT_I8) {
            EXPECT_EQ(c.integer, value.v.llVal) << c.member;
        }
    }
    CTestVariant ratio, flag, label;
    tag->GetValue(CTestBstr(L"Ratio"), &ratio.v);
    tag->GetValue(CTestBstr(L"Flag"), &flag.v);
    tag->GetValue(CTestBstr(L"Label"), &label.v);
    EXPECT_FLOAT_EQ(1.25f, ratio.v.fltVal);
    EXPECT_EQ(VARIANT_TRUE, flag.v.boolVal);
    EXPECT_STREQ(L"north", label.v.bstrVal);
}

TEST_F(HostTagTest, EveryMemberOperationAnswersInvalidArgForAnUnknownMember) {
    CComPtr<ITagEnumValues> enumValues;
    CComPtr<ITagForcing> forcing;
    CComPtr<ITagExtProperty> ext;
    ASSERT_EQ(S_OK, tag.QueryInterface(&enumValues));
    ASSERT_EQ(S_OK, tag.QueryInterface(&forcing));
    ASSERT_EQ(S_OK, tag.QueryInterface(&ext));
    CTestBstr missing(L"NoSuchMember");
    CTestVariant value;
    LONG index = 0;
    SAFEARRAY* array = nullptr;
    VARIANT_BOOL flag = 0;
    const std::pair<const char*, std::function<HRESULT()>> operations[] = {
        {"GetValue", [&] { return tag->GetValue(missing, &value.v); }},
        {"SetValue", [&] { return tag->SetValue(missing, MakeI4(1)); }},
        {"GetEnumIndex", [&] { return tag->GetEnumIndex(missing, &index); }},
        {"SetEnumIndex", [&] { return tag->SetEnumIndex(missing, 0); }},
        {"GetEnumStrings", [&] { return tag->GetEnumStrings(missing, &array); }},
        {"GetMinValue", [&] { return tag->GetMinValue(missing, &value.v); }},
        {"GetMaxValue", [&] { return tag->GetMaxValue(missing, &value.v); }},
        {"GetMemberDirtyState", [&] { return tag2->GetMemberDirtyState(missing, &flag); }},
        {"GetEnumValues", [&] { return enumValues->GetEnumValues(missing, &array); }},
        {"GetIsForced", [&] { return forcing->GetIsForced(missing, &flag); }},
        {"GetForcedValue", [&] { return forcing->GetForcedValue(missing, &value.v); }},
        {"GetExtProperty", [&] { return ext->GetExtProperty(3, missing, &value.v); }},
    };
    for (const auto& [name, call] : operations)
        EXPECT_EQ(E_INVALIDARG, call()) << name;
    EXPECT_EQ(nullptr, array);
}

TEST_F(HostTagTest, WritesAreCheckedAgainstTypeLimitsAndEnumeration) {
    struct Case {
        const wchar_t* member;
        VARIANT value;
        HRESULT expected;
        const wchar_t* reason; // part of the error description
    } cases[] = {
        {L"Count", MakeI4(100), S_OK, nullptr},
        {L"Count", MakeI4(0), S_OK, nullptr},
        {L"Count", MakeI4(101), HOST_E_OUTOFRANGE, L"101 is outside the range 0 to 100"},
        {L"Count", MakeI4(-1), HOST_E_OUTOFRANGE, L"-1 is outside the range 0 to 100"},
        {L"Small", MakeI4(-11), HOST_E_OUTOFRANGE, L"outside the range -10 to 10"},
        {L"Small", MakeI4(300), HOST_E_OUTOFRANGE, L"outside the range -10 to 10"},
        {L"Ratio", MakeR4(2.5f), S_OK, nullptr},
        {L"Ratio", MakeR4(2.6f), HOST_E_OUTOFRANGE, L"outside the range 0.5 to 2.5"},
        {L"Unit", MakeI4(2221), S_OK, nullptr},
        {L"Unit", MakeI4(2222), HOST_E_NOTENUMCODE, L"2222 is not one of the member's enumeration codes"},
        {L"Big", MakeI4(-7), S_OK, nullptr},
    };
    for (Case& c : cases) {
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(c.expected, tag->SetValue(CTestBstr(c.member), c.value)) << c.member;
        if (c.reason) {
            const std::wstring description = LastErrorDescription();
            EXPECT_NE(std::wstring::npos, description.find(std::wstring(L"Local:1:C.") + c.member))
                << description;
            EXPECT_NE(std::wstring::npos, description.find(c.reason)) << description;
        }
    }
    // A refused write leaves the value as it was.
    CTestVariant count;
    tag->GetValue(CTestBstr(L"Count"), &count.v);
    EXPECT_EQ(0, count.v.lVal);
}

TEST_F(HostTagTest, TextThatIsNoNumberIsATypeMismatch) {
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"many");
    EXPECT_EQ(DISP_E_TYPEMISMATCH, tag->SetValue(CTestBstr(L"Count"), text));
    VariantClear(&text);
}

TEST_F(HostTagTest, EnumerationIndexStringsAndValuesAgree) {
    CTestBstr unit(L"Unit");
    LONG index = -5;
    EXPECT_EQ(S_OK, tag->GetEnumIndex(unit, &index));
    EXPECT_EQ(1, index);
    SAFEARRAY* strings = nullptr;
    ASSERT_EQ(S_OK, tag->GetEnumStrings(unit, &strings));
    EXPECT_EQ((std::vector<std::wstring>{L"kg/s", L"kg/h", L"t/h"}), BstrArray(strings));
    SafeArrayDestroy(strings);

    CComPtr<ITagEnumValues> enumValues;
    ASSERT_EQ(S_OK, tag.QueryInterface(&enumValues));
    SAFEARRAY* codes = nullptr;
    ASSERT_EQ(S_OK, enumValues->GetEnumValues(unit, &codes));
    std::vector<LONG> read;
    for (LONG i = 0; i < 3; ++i) {
        LONG code = 0;
        SafeArrayGetElement(codes, &i, &code);
        read.push_back(code);
    }
    SafeArrayDestroy(codes);
    EXPECT_EQ((std::vector<LONG>{5124, 5136, 2221}), read);

    EXPECT_EQ(S_OK, tag->SetEnumIndex(unit, 2));
    CTestVariant value;
    tag->GetValue(unit, &value.v);
    EXPECT_EQ(2221, value.v.lVal);
    EXPECT_EQ(HOST_E_OUTOFRANGE, tag->SetEnumIndex(unit, 3));
    EXPECT_EQ(HOST_E_OUTOFRANGE, tag->SetEnumIndex(unit, -1));
    EXPECT_EQ(HOST_E_NOTENUM, tag->GetEnumIndex(CTestBstr(L"Count"), &index));
}

TEST_F(HostTagTest, MinimaAndMaximaFollowTheDefinition) {
    struct Case {
        const wchar_t* member;
        VARTYPE vt;
        double min;
        double max;
    } cases[] = {
        {L"Small", VT_I4, -10, 10},
        {L"Count", VT_I4, 0, 100},
        {L"Ratio", VT_R4, 0.5, 2.5},
        {L"Unit", VT_I4, 2221, 5136}, // an enumeration's smallest and largest code
    };
    for (const Case& c : cases) {
        CTestVariant min, max;
        ASSERT_EQ(S_OK, tag->GetMinValue(CTestBstr(c.member), &min.v));
        ASSERT_EQ(S_OK, tag->GetMaxValue(CTestBstr(c.member), &max.v));
        EXPECT_EQ(c.vt, min.v.vt);
        EXPECT_EQ(c.min, c.vt == VT_R4 ? min.v.fltVal : min.v.lVal) << c.member;
        EXPECT_EQ(c.max, c.vt == VT_R4 ? max.v.fltVal : max.v.lVal) << c.member;
    }
    CTestVariant big;
    ASSERT_EQ(S_OK, tag->GetMaxValue(CTestBstr(L"Big"), &big.v));
    EXPECT_EQ(VT_I8, big.v.vt);
    EXPECT_EQ(INT64_MAX, big.v.llVal);
    CTestVariant none;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, tag->GetMinValue(CTestBstr(L"Label"), &none.v));
}

TEST_F(HostTagTest, DirtyUntilCommittedAndRevertRestoresStoredValues) {
    CTestBstr count(L"Count");
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(S_OK, tag2->GetMemberDirtyState(count, &dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);
    ASSERT_EQ(S_OK, tag->SetValue(count, MakeI4(50)));
    tag2->GetMemberDirtyState(count, &dirty);
    EXPECT_EQ(VARIANT_TRUE, dirty);
    EXPECT_TRUE(context->Project().IsDirty());
    // Writing the stored value back is no change.
    ASSERT_EQ(S_OK, tag->SetValue(count, MakeI4(42)));
    tag2->GetMemberDirtyState(count, &dirty);
    EXPECT_EQ(VARIANT_FALSE, dirty);

    ASSERT_EQ(S_OK, tag->SetValue(count, MakeI4(60)));
    context->Project().Revert();
    CTestVariant value;
    tag->GetValue(count, &value.v);
    EXPECT_EQ(42, value.v.lVal);
    EXPECT_FALSE(context->Project().IsDirty());

    ASSERT_EQ(S_OK, tag->SetValue(count, MakeI4(61)));
    context->Project().Commit();
    context->Project().Revert();
    CTestVariant after;
    tag->GetValue(count, &after.v);
    EXPECT_EQ(61, after.v.lVal);
}

TEST_F(HostTagTest, ForcingAndSuffixAndExtendedProperties) {
    BSTR suffix = nullptr;
    ASSERT_EQ(S_OK, tag2->get_Suffix(&suffix));
    EXPECT_STREQ(L"O", suffix);
    SysFreeString(suffix);

    CComPtr<ITagForcing> forcing;
    ASSERT_EQ(S_OK, tag.QueryInterface(&forcing));
    VARIANT_BOOL flag = VARIANT_FALSE;
    EXPECT_EQ(S_OK, forcing->GetForcesEnabled(&flag));
    EXPECT_EQ(VARIANT_TRUE, flag);
    EXPECT_EQ(S_OK, forcing->GetIsForced(CTestBstr(L"Unit"), &flag));
    EXPECT_EQ(VARIANT_TRUE, flag);
    CTestVariant forced;
    EXPECT_EQ(S_OK, forcing->GetForcedValue(CTestBstr(L"Unit"), &forced.v));
    EXPECT_EQ(VT_I4, forced.v.vt);
    EXPECT_EQ(2221, forced.v.lVal);
    CTestVariant notForced;
    EXPECT_EQ(S_FALSE, forcing->GetForcedValue(CTestBstr(L"Count"), &notForced.v));
    EXPECT_EQ(VT_EMPTY, notForced.v.vt);

    CComPtr<ITagExtProperty> ext;
    ASSERT_EQ(S_OK, tag.QueryInterface(&ext));
    CTestVariant text, empty;
    ASSERT_EQ(S_OK, ext->GetExtProperty(3, CTestBstr(L"Unit"), &text.v));
    EXPECT_EQ(VT_BSTR, text.v.vt);
    EXPECT_STREQ(L"Mass flow unit", text.v.bstrVal);
    ASSERT_EQ(S_OK, ext->GetExtProperty(4, CTestBstr(L"Unit"), &empty.v));
    EXPECT_EQ(0u, SysStringLen(empty.v.bstrVal));
    VARIANT written;
    VariantInit(&written);
    written.vt = VT_BSTR;
    written.bstrVal = SysAllocString(L"Totalizer unit");
    EXPECT_EQ(S_OK, ext->SetExtProperty(4, CTestBstr(L"Unit"), written));
    VariantClear(&written);
    CTestVariant back;
    ext->GetExtProperty(4, CTestBstr(L"Unit"), &back.v);
    EXPECT_STREQ(L"Totalizer unit", back.v.bstrVal);
}

TEST_F(HostTagTest, AnswersItsInterfacesAndErrorInfoForTagWrites) {
    CComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, tag.QueryInterface(&support));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(ITag::Iid));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(ITagForcing::Iid));
    CComPtr<IModule> notModule;
    EXPECT_EQ(E_NOINTERFACE, tag.QueryInterface(&notModule));
    EXPECT_EQ(nullptr, notModule.p());
    // One object behind every interface.
    CComPtr<ITagForcing> forcing;
    ASSERT_EQ(S_OK, tag.QueryInterface(&forcing));
    EXPECT_TRUE(tag.IsEqualObject(forcing));
}

TEST(HostTagEmbedded, ModuleWithoutConfigTagAnswersNoInterface) {
    auto context = CHostContext::Create();
    std::string error;
    ASSERT_TRUE(context->Project().LoadText(R"({"format": "pvhost-project", "version": 1, "controller": {}, "configTag": null})",
                                             "empty", &error))
        << error;
    auto module = MakeHostObject<CHostModule>(context);
    CComPtr<ITag> tag;
    EXPECT_EQ(E_NOINTERFACE, module->GetConfigTag(&tag));
    EXPECT_EQ(nullptr, tag.p());
    EXPECT_EQ(E_NOINTERFACE, module->GetSafetyConfigTag(&tag));
}

} // namespace
