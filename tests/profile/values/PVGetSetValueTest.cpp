#include <gtest/gtest.h>

#include <functional>

#include "logger/AopLogCapture.h"
#include "platform/com/ComPtr.h"
#include "profile/server/PromptInfo.h"
#include "profile/values/PVGetSetValue.h"
#include "profile/values/PVSetEvent.h"
#include "tests/profile/values/LogLines.h"

namespace {

int g_liveValues = 0;

// The base with nothing added, so that its own rules can be seen.
class CPlainValue final : public CPVGetSetValue {
public:
    explicit CPlainValue(LPCWSTR name) : CPVGetSetValue(name) { ++g_liveValues; }
    CStrings& Names() { return m_MemberNames; }

private:
    ~CPlainValue() override { --g_liveValues; }
};

class CPlainEvent final : public CPVSetEvent {
public:
    explicit CPlainEvent(LPCWSTR name) : CPVSetEvent(name) { ++g_liveValues; }
    CStrings& Names() { return m_MemberNames; }

private:
    ~CPlainEvent() override { --g_liveValues; }
};

std::vector<std::wstring> Items(const CStrings& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString name;
        list.GetAt(static_cast<UINT>(i), name);
        items.emplace_back(name.GetString());
    }
    return items;
}

class MemberNamesTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(0, g_liveValues) << "every value object was destroyed"; }
};

struct AddCase {
    std::vector<std::wstring> initial;
    const wchar_t* name;
    UINT index;
    BOOL added;
    std::vector<std::wstring> after;
    const wchar_t* message; // logged under AddMemberName, or null
};

const AddCase kAddCases[] = {
    {{L"A"}, L"B", 0, FALSE, {L"A"}, L"Overwriting existing member name."},
    {{L"A"}, L"A", 0, FALSE, {L"A"}, nullptr},
    // Appending makes no duplicate test.
    {{L"A"}, L"A", 1, TRUE, {L"A", L"A"}, nullptr},
    {{L"A"}, L"B", 1, TRUE, {L"A", L"B"}, nullptr},
    // An empty slot takes the name; the entries from there on move up.
    {{L"A", L""}, L"B", 1, TRUE, {L"A", L"B", L""}, nullptr},
    {{L"A", L""}, L"A", 1, FALSE, {L"A", L""}, nullptr},
    {{L"A"}, L"C", 3, FALSE, {L"A"}, L"Failed to add member name."},
    {{L"A"}, nullptr, 0, FALSE, {L"A"}, L"Invalid member name parameter."},
};

TEST_F(MemberNamesTest, AddMemberNameRules) {
    for (const auto& c : kAddCases) {
        const std::wstring label = c.name ? c.name : L"(null)";
        CPlainValue* value = new CPlainValue(L"A");
        CComPtr<IPVGetSetValue> owner;
        owner.Attach(value);
        value->Names().RemoveAll();
        for (const auto& name : c.initial)
            value->Names().Insert(name.c_str(), static_cast<UINT>(value->Names().GetCount()));
        CAopLogCapture log;
        EXPECT_EQ(c.added, value->AddMemberName(c.name, c.index)) << label << " at " << c.index;
        EXPECT_EQ(c.after, Items(value->Names())) << label << " at " << c.index;
        EXPECT_EQ(c.message ? Lines{std::wstring(L"CPVGetSetValue::AddMemberName | ") + c.message} : Lines{},
                  LogLines(log))
            << label << " at " << c.index;
    }
}

TEST_F(MemberNamesTest, SetEventKeepsNamesByTheSameRulesWithItsOwnMessages) {
    for (const auto& c : kAddCases) {
        const std::wstring label = c.name ? c.name : L"(null)";
        CPlainEvent* event = new CPlainEvent(L"A");
        CComPtr<IPVSetEvent> owner;
        owner.Attach(event);
        event->Names().RemoveAll();
        for (const auto& name : c.initial)
            event->Names().Insert(name.c_str(), static_cast<UINT>(event->Names().GetCount()));
        CAopLogCapture log;
        EXPECT_EQ(c.added, event->AddMemberName(c.name, c.index)) << label;
        EXPECT_EQ(c.after, Items(event->Names())) << label;
        EXPECT_EQ(c.message ? Lines{std::wstring(L"CPVSetEvent::AddMemberName | ") + c.message} : Lines{},
                  LogLines(log))
            << label;
    }
    CPlainEvent* event = new CPlainEvent(L"A");
    CComPtr<IPVSetEvent> owner;
    owner.Attach(event);
    CAopLogCapture log;
    EXPECT_EQ(FALSE, event->AddMemberName(L"", 1));
    EXPECT_EQ(Lines{L"CPVSetEvent::AddMemberName | Member name parameter is empty string."}, LogLines(log));
}

TEST_F(MemberNamesTest, ConstructionWithoutANameIsLoggedButStillAnswers) {
    CAopLogCapture log;
    CComPtr<IPVGetSetValue> value;
    value.Attach(new CPlainValue(L""));
    EXPECT_EQ((Lines{L"CPVGetSetValue::AddMemberName | Empty string specified as member name.",
                     L"CStrings::GetAt | Index out of range.",
                     L"CPVGetSetValue::GetMemberName | Invalid index 0 or invalid member name  returned\n",
                     L"CPVGetSetValue::InitializationIsValid | Member name not initialized!"}),
              LogLines(log));
    EXPECT_EQ(L"PVGetSetValue", log.Records()[0].source);
    EXPECT_EQ(S_OK, value->InitializationIsValid());

    log.Clear();
    CComPtr<IPVSetEvent> event;
    event.Attach(new CPlainEvent(L""));
    EXPECT_EQ((Lines{L"CPVSetEvent::AddMemberName | Member name parameter is empty string.",
                     L"CStrings::GetAt | Index out of range.",
                     L"CPVSetEvent::GetMemberName | Invalid index 0 or invalid member name  returned\n",
                     L"CPVSetEvent::InitializationIsValid | Error: MemberName not initialized!"}),
              LogLines(log));
    EXPECT_EQ(E_FAIL, event->InitializationIsValid()) << "a trigger without a name is not usable";
    CComPtr<IPVSetEvent> named;
    named.Attach(new CPlainEvent(L"Reset"));
    EXPECT_EQ(S_OK, named->InitializationIsValid());
}

TEST_F(MemberNamesTest, ReadingNamesByIndex) {
    CPlainValue* value = new CPlainValue(L"Totalizer1");
    CComPtr<IPVGetSetValue> owner;
    owner.Attach(value);
    value->AddMemberName(L"Totalizer2", 1);
    value->Names().Insert(L"", 2);

    const struct {
        UINT index;
        HRESULT hr;
        const wchar_t* name;
        Lines log;
    } cases[] = {
        {0, S_OK, L"Totalizer1", {}},
        {1, S_OK, L"Totalizer2", {}},
        {2,
         E_FAIL,
         L"",
         {L"CPVGetSetValue::GetMemberName | Invalid index 2 or invalid member name  returned\n"}},
        {5,
         E_FAIL,
         L"",
         {L"CStrings::GetAt | Index out of range.",
          L"CPVGetSetValue::GetMemberName | Invalid index 5 or invalid member name  returned\n"}},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        CString name(L"old");
        EXPECT_EQ(c.hr, owner->GetMemberName(c.index, &name)) << c.index;
        EXPECT_EQ(CString(c.name), name) << c.index;
        EXPECT_EQ(CString(c.name), value->GetMemberName(c.index)) << c.index;
        Lines twice = c.log;
        twice.insert(twice.end(), c.log.begin(), c.log.end());
        EXPECT_EQ(twice, LogLines(log)) << c.index;
    }

    const struct {
        const wchar_t* name;
        HRESULT hr;
    } contains[] = {{L"Totalizer1", S_OK}, {L"Totalizer2", S_OK},  {L"totalizer1", E_FAIL},
                    {L"", S_OK},           {L"Totalizer", E_FAIL}, {nullptr, E_FAIL}};
    for (const auto& c : contains)
        EXPECT_EQ(c.hr, owner->ContainsMemberName(c.name)) << (c.name ? c.name : L"(null)");
}

TEST_F(MemberNamesTest, EveryUnservedFormIsUnsupported) {
    CComPtr<IPVGetSetValue> v;
    v.Attach(new CPlainValue(L"Count"));
    CString text(L"keep");
    LONG number = 7;
    ULONG spare = 7;
    LONGLONG wide = 7;
    ULONGLONG uwide = 7;
    double real = 7;
    float single = 7;
    VARIANT raw;
    VariantInit(&raw);
    CPromptInfo prompt(L"kept", L"", 0);
    const struct {
        const wchar_t* function;
        std::function<HRESULT()> call;
    } cases[] = {
        {L"GetValue", [&] { return v->GetValue(&text, VT_I4, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&spare, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&uwide, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&wide, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&number, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&real, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&single, &prompt); }},
        {L"GetValue", [&] { return v->GetValue(&text, 2u, VT_R4, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(CString(L"1"), VT_I4, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(spare, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(uwide, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(wide, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(number, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(real, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(single, &prompt); }},
        {L"SetValue", [&] { return v->SetValue(CString(L"1"), 2u, VT_R4, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&text, VT_I4, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&uwide, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&wide, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&number, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&real, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&single, &prompt); }},
        {L"GetMinValue", [&] { return v->GetMinValue(&text, 1u, VT_R4, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&text, VT_I4, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&uwide, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&wide, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&number, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&real, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&single, &prompt); }},
        {L"GetMaxValue", [&] { return v->GetMaxValue(&text, 1u, VT_R4, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&text, VT_I4, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&uwide, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&wide, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&number, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&real, &prompt); }},
        {L"GetDefaultValue", [&] { return v->GetDefaultValue(&single, &prompt); }},
        {L"TestValue", [&] { return v->TestValue(uwide, &prompt); }},
        {L"TestValue", [&] { return v->TestValue(wide, &prompt); }},
        {L"TestValue", [&] { return v->TestValue(number, &prompt); }},
        {L"TestValue", [&] { return v->TestValue(real, &prompt); }},
        {L"TestValue", [&] { return v->TestValue(single, &prompt); }},
        {L"GetRawValue", [&] { return v->GetRawValue(&raw, &prompt); }},
        {L"SetToDefaultValue", [&] { return v->SetToDefaultValue(&prompt); }},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        EXPECT_EQ(E_FAIL, c.call()) << c.function;
        EXPECT_EQ(Lines{std::wstring(L"CPVGetSetValue::") + c.function + L" | Unsupported operation."},
                  LogLines(log));
    }
    EXPECT_EQ(CString(L"keep"), text);
    EXPECT_EQ(7, number);
    EXPECT_EQ(7.0f, single);
    EXPECT_EQ(VT_EMPTY, raw.vt);
    EXPECT_EQ(CPromptInfo(L"kept", L"", 0), prompt);
}

TEST_F(MemberNamesTest, SetEventTriggersAreUnsupportedInTheBase) {
    CComPtr<IPVSetEvent> event;
    event.Attach(new CPlainEvent(L"ResetTotalizer1"));
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, event->SetEvent());
    VARIANT one;
    VariantInit(&one);
    one.vt = VT_I4;
    one.lVal = 1;
    EXPECT_EQ(E_FAIL, event->SetEvent(one));
    EXPECT_EQ((Lines{L"CPVSetEvent::SetEvent | Unsupported operation.",
                     L"CPVSetEvent::SetEvent | Unsupported operation."}),
              LogLines(log));
    EXPECT_EQ(S_OK, event->ContainsMemberName(L"ResetTotalizer1"));
    EXPECT_EQ(E_FAIL, event->ContainsMemberName(L"ResetTotalizer2"));

    CString message;
    EXPECT_EQ(E_FAIL, CPVSetEvent::ErrorSettingEvent(L"ResetTotalizer1", &message));
    EXPECT_EQ(CString(L"Error: Performing set event operation for member ResetTotalizer1!\n"), message);
    EXPECT_EQ(2u, log.Records().size()) << "the set-event error is not logged";

    void* out = nullptr;
    EXPECT_EQ(E_NOINTERFACE, event->QueryInterface(IPVGetSetValue::Iid, &out));
    EXPECT_EQ(nullptr, out);
}

TEST_F(MemberNamesTest, ReadAndSaveErrorsNameTheMember) {
    CAopLogCapture log;
    EXPECT_EQ(E_FAIL, CPVGetSetValue::ErrorReadingValue(L"Totalizer1"));
    EXPECT_EQ(E_FAIL, CPVGetSetValue::ErrorSavingValue(L"Totalizer1"));
    EXPECT_EQ(
        (Lines{
            L"CPVGetSetValue::ErrorReadingValue | Error: Reading value for member Totalizer1 from "
            L"services!\n",
            L"CPVGetSetValue::ErrorSavingValue | Error: Saving value for member Totalizer1 to services!\n"}),
        LogLines(log));
}

TEST_F(MemberNamesTest, ReferenceCountingDestroysOnTheLastRelease) {
    IPVGetSetValue* value = new CPlainValue(L"Count");
    EXPECT_EQ(1, g_liveValues);
    EXPECT_EQ(2u, value->AddRef());
    IUnknown* unknown = nullptr;
    ASSERT_EQ(S_OK, value->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(&unknown)));
    EXPECT_EQ(static_cast<IUnknown*>(value), unknown);
    EXPECT_EQ(2u, unknown->Release());
    EXPECT_EQ(1u, value->Release());
    EXPECT_EQ(1, g_liveValues);
    EXPECT_EQ(0u, value->Release());
    EXPECT_EQ(0, g_liveValues);
}

} // namespace
