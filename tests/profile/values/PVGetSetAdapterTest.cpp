#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "logger/AopLogCapture.h"
#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/SafeArray.h"
#include "profile/values/PVGetSetAdapter.h"
#include "profile/values/SafeArray.h"
#include "profile/values/Strings.h"
#include "tests/profile/values/LogLines.h"
#include "tests/profile/values/TestTag.h"

namespace {

const std::wstring kReadError = L"CPVGetSetAdapeterErrorHandler::ErrorReadingValue | ";
const std::wstring kSaveError = L"CPVGetSetAdapeterErrorHandler::ErrorSavingValue | ";

// These two are formatted by message-format rules, which turn the line feed into a
// carriage return and line feed.
std::wstring ReadError(const std::wstring& member) {
    return kReadError + L"Error: Reading value for member " + member + L" from services!\r\n";
}
std::wstring SaveError(const std::wstring& member) {
    return kSaveError + L"Error: Saving value for member " + member + L" to services!\r\n";
}

template <class T> std::wstring Text(T value) {
    std::wostringstream out;
    out << value;
    return out.str();
}

class AdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& m = tag->members;
        m[L"Flag"].value = CTestVariant::Bool(VARIANT_TRUE);
        m[L"FlagOne"].value = CTestVariant::Bool(1);
        m[L"Cutoff"].value = CTestVariant::Float(1.5f);
        m[L"Cutoff"].minimum = CTestVariant::Float(0.0f);
        m[L"Cutoff"].maximum = CTestVariant::Float(10.0f);
        m[L"Ratio"].value = CTestVariant::Double(0.5);
        m[L"Ratio"].minimum = CTestVariant::Double(0.0);
        m[L"Count"].value = CTestVariant::Long(-2);
        m[L"Count"].minimum = CTestVariant::Long(-10);
        m[L"Count"].maximum = CTestVariant::Long(100);
        m[L"Total"].value = CTestVariant::LongLong(5000000000LL);
        m[L"Total"].minimum = CTestVariant::LongLong(-1);
        m[L"Total"].maximum = CTestVariant::LongLong(9000000000000LL);
        m[L"Name"].value = CTestVariant::Text(L"Pipe A");
        m[L"Unit"].value = CTestVariant::Long(20);
        m[L"Unit"].enumIndex = 2;
        m[L"Unit"].enumStrings = {L"l/s", L"m3/h", L"gal/min"};
        m[L"Unit"].enumValues = {10, 20, 30};
        adapter.Attach(new CPVGetSetAdapterITag(tag));
    }
    void TearDown() override {
        adapter = nullptr;
        tag = nullptr;
        EXPECT_EQ(0, CTestTag::Live()) << "the adapter released its tag";
    }

    CComPtr<CTestTag> tag = CTestTag::Create();
    CComPtr<IPVGetSetAdapter4> adapter;
};

enum class Read {
    Bool,
    BoolInverted,
    Float,
    MinFloat,
    MaxFloat,
    Long,
    MinLong,
    MaxLong,
    String,
    LongLong,
    MinLongLong,
    MaxLongLong
};

// Runs one typed read; the out value starts as 77 ("keep" for text) so that an
// untouched out value shows as such.
HRESULT RunRead(IPVGetSetAdapter4* adapter, Read read, const wchar_t* member, std::wstring* out) {
    BOOL flag = 77;
    float real = 77;
    LONG number = 77;
    LONGLONG wide = 77;
    CString text(L"keep");
    HRESULT hr = E_UNEXPECTED;
    switch (read) {
    case Read::Bool:
        hr = adapter->GetBool(member, &flag, FALSE);
        *out = Text(flag);
        break;
    case Read::BoolInverted:
        hr = adapter->GetBool(member, &flag, TRUE);
        *out = Text(flag);
        break;
    case Read::Float:
        hr = adapter->GetFloat(member, &real);
        *out = Text(real);
        break;
    case Read::MinFloat:
        hr = adapter->GetMinFloat(member, &real);
        *out = Text(real);
        break;
    case Read::MaxFloat:
        hr = adapter->GetMaxFloat(member, &real);
        *out = Text(real);
        break;
    case Read::Long:
        hr = adapter->GetLong(member, &number);
        *out = Text(number);
        break;
    case Read::MinLong:
        hr = adapter->GetMinLong(member, &number);
        *out = Text(number);
        break;
    case Read::MaxLong:
        hr = adapter->GetMaxLong(member, &number);
        *out = Text(number);
        break;
    case Read::String:
        hr = adapter->GetString(member, &text);
        *out = text.GetString();
        break;
    case Read::LongLong:
        hr = adapter->GetLongLong(member, &wide);
        *out = Text(wide);
        break;
    case Read::MinLongLong:
        hr = adapter->GetMinLongLong(member, &wide);
        *out = Text(wide);
        break;
    case Read::MaxLongLong:
        hr = adapter->GetMaxLongLong(member, &wide);
        *out = Text(wide);
        break;
    }
    return hr;
}

TEST_F(AdapterTest, ReadsAcceptOnlyTheirVariantType) {
    const struct {
        Read read;
        const wchar_t* member;
        HRESULT hr;
        const wchar_t* out;
    } cases[] = {
        {Read::Bool, L"Flag", S_OK, L"1"},
        {Read::BoolInverted, L"Flag", S_OK, L"0"},
        // Only VARIANT_TRUE is true: a stored 1 reads FALSE, inverted TRUE.
        {Read::Bool, L"FlagOne", S_OK, L"0"},
        {Read::BoolInverted, L"FlagOne", S_OK, L"1"},
        {Read::Bool, L"Count", E_FAIL, L"77"},
        {Read::Float, L"Cutoff", S_OK, L"1.5"},
        {Read::MinFloat, L"Cutoff", S_OK, L"0"},
        {Read::MaxFloat, L"Cutoff", S_OK, L"10"},
        {Read::Float, L"Ratio", E_FAIL, L"77"},
        {Read::MinFloat, L"Ratio", E_FAIL, L"77"},
        {Read::Float, L"Count", E_FAIL, L"77"},
        {Read::Long, L"Count", S_OK, L"-2"},
        {Read::MinLong, L"Count", S_OK, L"-10"},
        {Read::MaxLong, L"Count", S_OK, L"100"},
        {Read::Long, L"Total", E_FAIL, L"77"},
        {Read::Long, L"Cutoff", E_FAIL, L"77"},
        {Read::MaxLong, L"Cutoff", E_FAIL, L"77"},
        {Read::String, L"Name", S_OK, L"Pipe A"},
        {Read::String, L"Count", E_FAIL, L"keep"},
        {Read::LongLong, L"Count", S_OK, L"-2"},
        {Read::MinLongLong, L"Count", S_OK, L"-10"},
        {Read::LongLong, L"Total", S_OK, L"5000000000"},
        {Read::MinLongLong, L"Total", S_OK, L"-1"},
        {Read::MaxLongLong, L"Total", S_OK, L"9000000000000"},
        {Read::LongLong, L"Cutoff", E_FAIL, L"77"},
        {Read::LongLong, L"Name", E_FAIL, L"77"},
        // The host's "no such member" is a failed read like any other here.
        {Read::Long, L"Missing", E_FAIL, L"77"},
        {Read::String, L"Missing", E_FAIL, L"keep"},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        std::wstring out;
        EXPECT_EQ(c.hr, RunRead(adapter, c.read, c.member, &out))
            << c.member << " " << static_cast<int>(c.read);
        EXPECT_EQ(c.out, out) << c.member << " " << static_cast<int>(c.read);
        EXPECT_EQ(SUCCEEDED(c.hr) ? Lines{} : Lines{ReadError(c.member)}, LogLines(log))
            << c.member << " " << static_cast<int>(c.read);
        if (!log.Records().empty()) {
            EXPECT_EQ(L"PVGetSetAdapter", log.Records()[0].source);
        }
    }
}

TEST_F(AdapterTest, HostFailureOfAReadIsAReadError) {
    tag->Fail("GetMaxValue", E_UNEXPECTED);
    CAopLogCapture log;
    LONG value = 5;
    EXPECT_EQ(E_FAIL, adapter->GetMaxLong(L"Count", &value));
    EXPECT_EQ(5, value);
    EXPECT_EQ(Lines{ReadError(L"Count")}, LogLines(log));
}

TEST_F(AdapterTest, WritesSendTheirVariantType) {
    const struct {
        const char* name;
        std::function<HRESULT(IPVGetSetAdapter4*)> write;
        const wchar_t* member;
        VARTYPE vt;
        std::function<bool(const VARIANT&)> stored;
    } cases[] = {
        {"SetBool 5 inverted", [](IPVGetSetAdapter4* a) { return a->SetBool(L"Flag", 5, TRUE); }, L"Flag",
         VT_BOOL, [](const VARIANT& v) { return v.boolVal == VARIANT_FALSE; }},
        {"SetBool 5", [](IPVGetSetAdapter4* a) { return a->SetBool(L"Flag", 5, FALSE); }, L"Flag", VT_BOOL,
         [](const VARIANT& v) { return v.boolVal == VARIANT_TRUE; }},
        {"SetBool 0 inverted", [](IPVGetSetAdapter4* a) { return a->SetBool(L"Flag", 0, TRUE); }, L"Flag",
         VT_BOOL, [](const VARIANT& v) { return v.boolVal == VARIANT_TRUE; }},
        {"SetBool 0", [](IPVGetSetAdapter4* a) { return a->SetBool(L"Flag", 0, FALSE); }, L"Flag", VT_BOOL,
         [](const VARIANT& v) { return v.boolVal == VARIANT_FALSE; }},
        {"SetFloat", [](IPVGetSetAdapter4* a) { return a->SetFloat(L"Cutoff", 2.25f); }, L"Cutoff", VT_R4,
         [](const VARIANT& v) { return v.fltVal == 2.25f; }},
        {"SetLong", [](IPVGetSetAdapter4* a) { return a->SetLong(L"Count", -7); }, L"Count", VT_I4,
         [](const VARIANT& v) { return v.lVal == -7; }},
        {"SetString", [](IPVGetSetAdapter4* a) { return a->SetString(L"Name", CString(L"Pipe B")); }, L"Name",
         VT_BSTR, [](const VARIANT& v) { return std::wstring(v.bstrVal) == L"Pipe B"; }},
        {"SetLongLong", [](IPVGetSetAdapter4* a) { return a->SetLongLong(L"Total", 1LL << 40); }, L"Total",
         VT_I8, [](const VARIANT& v) { return v.llVal == (1LL << 40); }},
    };
    for (const auto& c : cases) {
        CAopLogCapture log;
        EXPECT_EQ(S_OK, c.write(adapter)) << c.name;
        const VARIANT& stored = tag->members[c.member].value.Get();
        EXPECT_EQ(c.vt, stored.vt) << c.name;
        EXPECT_TRUE(c.stored(stored)) << c.name;
        EXPECT_EQ(Lines{}, LogLines(log)) << c.name;
    }

    // A refused write passes the host's code on and logs the save error.
    tag->Fail("SetValue", E_ACCESSDENIED);
    for (const auto& c : cases) {
        CAopLogCapture log;
        EXPECT_EQ(E_ACCESSDENIED, c.write(adapter)) << c.name;
        EXPECT_EQ(Lines{SaveError(c.member)}, LogLines(log)) << c.name;
    }
}

TEST_F(AdapterTest, EnumerationIndexAndMissingMember) {
    const struct {
        const char* failure;
        const wchar_t* member;
        HRESULT hr;
        LONG index;
        Lines log;
    } cases[] = {
        {nullptr, L"Unit", S_OK, 2, {}},
        // A member the tag lacks: -1 and S_OK, silently.
        {nullptr, L"Missing", S_OK, -1, {}},
        {"GetEnumIndex", L"Unit", E_UNEXPECTED, -1, {ReadError(L"Unit")}},
    };
    for (const auto& c : cases) {
        if (c.failure)
            tag->Fail(c.failure, E_UNEXPECTED);
        CAopLogCapture log;
        LONG index = 77;
        EXPECT_EQ(c.hr, adapter->GetEnum(c.member, &index)) << c.member;
        EXPECT_EQ(c.index, index) << c.member;
        EXPECT_EQ(c.log, LogLines(log)) << c.member;
    }
}

TEST_F(AdapterTest, EnumerationWritesStringsAndValues) {
    CAopLogCapture log;
    EXPECT_EQ(S_OK, adapter->SetEnum(L"Unit", 1));
    EXPECT_EQ(1, tag->members[L"Unit"].enumIndex);
    EXPECT_EQ(E_INVALIDARG, adapter->SetEnum(L"Missing", 1));
    EXPECT_EQ(Lines{SaveError(L"Missing")}, LogLines(log));
    log.Clear();

    SAFEARRAY* strings = nullptr;
    ASSERT_EQ(S_OK, adapter->GetEnumStrings(L"Unit", &strings));
    CString joined;
    CStrings(CSafeArray(strings, false)).Join(&joined, L",");
    EXPECT_EQ(CString(L"l/s,m3/h,gal/min"), joined);
    EXPECT_EQ(E_INVALIDARG, adapter->GetEnumStrings(L"Missing", &strings));
    EXPECT_EQ(Lines{ReadError(L"Missing")}, LogLines(log));
    log.Clear();

    SAFEARRAY* values = nullptr;
    ASSERT_EQ(S_OK, adapter->GetEnumValues(L"Unit", &values));
    CSafeArray codes(values, false);
    ASSERT_EQ(3u, codes.GetCount());
    VARIANT last = codes.Get(2);
    EXPECT_EQ(VT_I4, last.vt);
    EXPECT_EQ(30, last.lVal);
    EXPECT_EQ(E_INVALIDARG, adapter->GetEnumValues(L"Missing", &values));
    EXPECT_EQ(Lines{ReadError(L"Missing")}, LogLines(log));
    log.Clear();

    tag->offersEnumValues = false;
    EXPECT_EQ(E_NOINTERFACE, adapter->GetEnumValues(L"Unit", &values));
    EXPECT_EQ(Lines{ReadError(L"Unit")}, LogLines(log));
}

TEST_F(AdapterTest, MemberExists) {
    const struct {
        const char* failure;
        const wchar_t* member;
        HRESULT hr;
        VARIANT_BOOL exists;
        Lines log;
    } cases[] = {
        {nullptr, L"Count", S_OK, VARIANT_TRUE, {}},
        {nullptr, L"Name", S_OK, VARIANT_TRUE, {}},
        {nullptr, L"Missing", S_OK, VARIANT_FALSE, {}},
        {"GetValue",
         L"Count",
         E_UNEXPECTED,
         7,
         {L"CPVGetSetAdapterITag::GetMemberExists | Failed to get value for reason other than "
          L"non-existance."}},
    };
    for (const auto& c : cases) {
        if (c.failure)
            tag->Fail(c.failure, E_UNEXPECTED);
        CAopLogCapture log;
        VARIANT_BOOL exists = 7;
        EXPECT_EQ(c.hr, adapter->GetMemberExists(c.member, &exists)) << c.member;
        EXPECT_EQ(c.exists, exists) << c.member;
        EXPECT_EQ(c.log, LogLines(log)) << c.member;
    }
    CAopLogCapture log;
    EXPECT_EQ(E_POINTER, adapter->GetMemberExists(L"Count", nullptr));
    EXPECT_EQ(Lines{L"CPVGetSetAdapterITag::GetMemberExists | Invalid output pointer."}, LogLines(log));
}

TEST_F(AdapterTest, TagAndDirtyState) {
    CAopLogCapture log;
    CComPtr<ITag2> tag2;
    ASSERT_EQ(S_OK, adapter->GetITag(&tag2));
    EXPECT_TRUE(tag2.IsEqualObject(static_cast<ITag2*>(tag.p())));
    tag2 = nullptr;
    EXPECT_EQ(E_POINTER, adapter->GetITag(nullptr));
    EXPECT_EQ(Lines{L"CPVGetSetAdapterITag::GetITag | Error: ppItag is not valid!\n"}, LogLines(log));
    log.Clear();

    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(S_OK, adapter->GetMemberDirtyState(L"Count", &dirty));
    EXPECT_EQ(VARIANT_FALSE, dirty);
    adapter->SetLong(L"Count", 3);
    EXPECT_EQ(S_OK, adapter->GetMemberDirtyState(L"Count", &dirty));
    EXPECT_EQ(VARIANT_TRUE, dirty);
    EXPECT_EQ(Lines{}, LogLines(log));

    EXPECT_EQ(E_POINTER, adapter->GetMemberDirtyState(L"Count", nullptr));
    tag->Fail("GetMemberDirtyState", E_UNEXPECTED);
    EXPECT_EQ(E_UNEXPECTED, adapter->GetMemberDirtyState(L"Count", &dirty));
    tag->offersTag2 = false;
    EXPECT_EQ(E_FAIL, adapter->GetMemberDirtyState(L"Count", &dirty));
    EXPECT_EQ(E_NOINTERFACE, adapter->GetITag(&tag2));
    EXPECT_EQ(nullptr, tag2.p());
    EXPECT_EQ(
        (Lines{L"CPVGetSetAdapterITag::GetMemberDirtyState | Error: pIsDirty is not valid!\n",
               L"CPVGetSetAdapterITag::GetMemberDirtyState | Error: Checking the tag member dirty flag!\n",
               L"CPVGetSetAdapterITag::GetMemberDirtyState | Error: ITag2 interface is not valid!\n"}),
        LogLines(log));
}

TEST_F(AdapterTest, AnswersItsInterfaceChainAndCountsReferences) {
    const struct {
        IID iid;
        bool answered;
    } cases[] = {
        {IUnknown::Iid, true},          {IPVGetSetAdapter::Iid, true},  {IPVGetSetAdapter2::Iid, true},
        {IPVGetSetAdapter3::Iid, true}, {IPVGetSetAdapter4::Iid, true}, {ITag::Iid, false},
    };
    for (const auto& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.answered ? S_OK : E_NOINTERFACE, adapter->QueryInterface(c.iid, &out));
        EXPECT_EQ(c.answered, out != nullptr);
        if (out) {
            EXPECT_EQ(1u, static_cast<IUnknown*>(out)->Release());
        }
    }
    EXPECT_EQ(2u, adapter->AddRef());
    EXPECT_EQ(1u, adapter->Release());
    adapter = nullptr;
    tag = nullptr;
    EXPECT_EQ(0, CTestTag::Live()) << "the last Release destroyed the adapter and released the tag";
}

TEST(AdapterWithoutTag, FailsEveryOperationAndSaysWhy) {
    CAopLogCapture log;
    CComPtr<IPVGetSetAdapter4> adapter;
    adapter.Attach(new CPVGetSetAdapterITag(nullptr));
    EXPECT_EQ(Lines{L"InterfaceIsValid | Error: Interface pointer check failed!"}, LogLines(log));

    const std::wstring pointerCheck = L"InterfaceIsValid | Error: Interface pointer check failed!";
    auto invalid = [](const wchar_t* function) {
        return std::wstring(function) + L" | Error: ITag interface is not valid!\n";
    };
    LONG number = 0;
    float real = 0;
    LONGLONG wide = 0;
    CString text;
    SAFEARRAY* array = nullptr;
    CComPtr<ITag2> tag2;
    VARIANT_BOOL flag = 0;
    const struct {
        const char* name;
        std::function<HRESULT()> call;
        Lines log;
    } cases[] = {
        {"GetFloat",
         [&] { return adapter->GetFloat(L"M", &real); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetVariant"), ReadError(L"M")}},
        {"GetMinLong",
         [&] { return adapter->GetMinLong(L"M", &number); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetMinVariant"), ReadError(L"M")}},
        {"GetMaxLongLong",
         [&] { return adapter->GetMaxLongLong(L"M", &wide); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetMaxVariant"), ReadError(L"M")}},
        {"GetString",
         [&] { return adapter->GetString(L"M", &text); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetVariant"), ReadError(L"M")}},
        {"SetLong",
         [&] { return adapter->SetLong(L"M", 1); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::SetVariant"), SaveError(L"M")}},
        {"GetEnum",
         [&] { return adapter->GetEnum(L"M", &number); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetEnum")}},
        {"SetEnum",
         [&] { return adapter->SetEnum(L"M", 1); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::SetEnum")}},
        {"GetEnumStrings",
         [&] { return adapter->GetEnumStrings(L"M", &array); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetEnumStrings")}},
        {"GetEnumValues",
         [&] { return adapter->GetEnumValues(L"M", &array); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetEnumValues")}},
        {"GetITag",
         [&] { return adapter->GetITag(&tag2); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetITag")}},
        {"GetMemberDirtyState",
         [&] { return adapter->GetMemberDirtyState(L"M", &flag); },
         {pointerCheck, invalid(L"CPVGetSetAdapterITag::GetMemberDirtyState")}},
        {"GetMemberExists", [&] { return adapter->GetMemberExists(L"M", &flag); }, {}},
    };
    for (const auto& c : cases) {
        log.Clear();
        EXPECT_EQ(E_FAIL, c.call()) << c.name;
        EXPECT_EQ(c.log, LogLines(log)) << c.name;
    }
    EXPECT_EQ(-1, number) << "GetEnum gives -1 on failure";
}

class ExtPropertyAdapterTest : public AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        tag->members[L"Name"].extProperties[4] = CTestVariant::Text(L"Pipe A, north");
        tag->members[L"Count"].extProperties[4] = CTestVariant::Long(3);
        CComPtr<ITagExtProperty> ext(static_cast<ITagExtProperty*>(tag.p()));
        extAdapter.Attach(new CPVGetSetAdapterITagExtProperty(4, ext));
    }
    void TearDown() override {
        extAdapter = nullptr;
        AdapterTest::TearDown();
    }
    CComPtr<IPVGetSetAdapter> extAdapter;
};

TEST_F(ExtPropertyAdapterTest, ReadsAndWritesTextOfItsProperty) {
    CAopLogCapture log;
    CString text(L"keep");
    EXPECT_EQ(S_OK, extAdapter->GetString(L"Name", &text));
    EXPECT_EQ(CString(L"Pipe A, north"), text);
    EXPECT_EQ(S_OK, extAdapter->SetString(L"Name", CString(L"Pipe B")));
    const VARIANT& stored = tag->members[L"Name"].extProperties[4].Get();
    ASSERT_EQ(VT_BSTR, stored.vt);
    EXPECT_EQ(std::wstring(L"Pipe B"), stored.bstrVal);
    EXPECT_EQ((std::vector<LONG>{4, 4}), tag->selectorsSeen) << "the selector goes with every call";
    EXPECT_EQ(Lines{}, LogLines(log));

    text = L"keep";
    EXPECT_EQ(E_FAIL, extAdapter->GetString(L"Count", &text)) << "a VT_I4 property is not text";
    EXPECT_EQ(CString(L"keep"), text);
    EXPECT_EQ(E_FAIL, extAdapter->GetString(L"Missing", &text));
    tag->Fail("SetExtProperty", E_ACCESSDENIED);
    EXPECT_EQ(E_ACCESSDENIED, extAdapter->SetString(L"Name", CString(L"x")));
    EXPECT_EQ((Lines{ReadError(L"Count"), ReadError(L"Missing"), SaveError(L"Name")}), LogLines(log));
}

TEST_F(ExtPropertyAdapterTest, EveryOtherOperationIsNotImplemented) {
    CAopLogCapture log;
    BOOL flag = 7;
    LONG number = 7;
    float real = 7;
    SAFEARRAY* array = reinterpret_cast<SAFEARRAY*>(7);
    const std::function<HRESULT()> calls[] = {
        [&] { return extAdapter->GetBool(L"Flag", &flag, FALSE); },
        [&] { return extAdapter->SetBool(L"Flag", TRUE, FALSE); },
        [&] { return extAdapter->GetEnum(L"Unit", &number); },
        [&] { return extAdapter->SetEnum(L"Unit", 1); },
        [&] { return extAdapter->GetEnumStrings(L"Unit", &array); },
        [&] { return extAdapter->GetFloat(L"Cutoff", &real); },
        [&] { return extAdapter->SetFloat(L"Cutoff", 1.0f); },
        [&] { return extAdapter->GetMinFloat(L"Cutoff", &real); },
        [&] { return extAdapter->GetMaxFloat(L"Cutoff", &real); },
        [&] { return extAdapter->GetLong(L"Count", &number); },
        [&] { return extAdapter->SetLong(L"Count", 1); },
        [&] { return extAdapter->GetMinLong(L"Count", &number); },
        [&] { return extAdapter->GetMaxLong(L"Count", &number); },
    };
    for (const auto& call : calls)
        EXPECT_EQ(E_NOTIMPL, call());
    EXPECT_EQ(7, flag);
    EXPECT_EQ(7, number);
    EXPECT_EQ(7.0f, real);
    EXPECT_EQ(reinterpret_cast<SAFEARRAY*>(7), array);
    EXPECT_EQ(Lines{}, LogLines(log));
    EXPECT_TRUE(tag->selectorsSeen.empty()) << "the host is never asked";
}

TEST_F(ExtPropertyAdapterTest, AnswersOnlyTheFirstAdapterInterface) {
    const struct {
        IID iid;
        bool answered;
    } cases[] = {{IUnknown::Iid, true},
                 {IPVGetSetAdapter::Iid, true},
                 {IPVGetSetAdapter2::Iid, false},
                 {IPVGetSetAdapter4::Iid, false}};
    for (const auto& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.answered ? S_OK : E_NOINTERFACE, extAdapter->QueryInterface(c.iid, &out));
        EXPECT_EQ(c.answered, out != nullptr);
        if (out)
            static_cast<IUnknown*>(out)->Release();
    }
}

TEST(ExtPropertyAdapterWithoutInterface, LogsUnderItsVariantFunctions) {
    CAopLogCapture log;
    CComPtr<IPVGetSetAdapter> adapter;
    adapter.Attach(new CPVGetSetAdapterITagExtProperty(4, nullptr));
    CString text(L"keep");
    EXPECT_EQ(E_FAIL, adapter->GetString(L"Name", &text));
    EXPECT_EQ(E_FAIL, adapter->SetString(L"Name", CString(L"x")));
    EXPECT_EQ(CString(L"keep"), text);
    const std::wstring check = L"InterfaceIsValid | Error: Interface pointer check failed!";
    EXPECT_EQ((Lines{check, check,
                     L"CPVGetSetAdapterITagExtProperty::GetVariant | Error: ITag interface is not valid!\n",
                     ReadError(L"Name"), check,
                     L"CPVGetSetAdapterITagExtProperty::SetVariant | Error: ITag interface is not valid!\n",
                     SaveError(L"Name")}),
              LogLines(log));
}

} // namespace
