#include <gtest/gtest.h>

#include "logger/AopLogCapture.h"
#include "profile/server/PromptInfo.h"
#include "profile/values/PVGetSetAdapter.h"
#include "profile/values/PVGetSetLong.h"
#include "tests/profile/values/LogLines.h"
#include "tests/profile/values/TestTag.h"

namespace {

// Opens the member-name prefix to the test.
class CPrefixProbe final : public CPVGetSetMemberNameValue {
public:
    using CPVGetSetMemberNameValue::CPVGetSetMemberNameValue;
    void Prefix(HRESULT hr, CPromptInfo* prompt) { PrefixPromptWithMemberName(hr, prompt); }

private:
    ~CPrefixProbe() override = default;
};

class MemberNameValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        tag->members[L"Count"].value = CTestVariant::Long(4);
        tag->members[L"Count"].forcedValue = CTestVariant::Long(9);
        adapter.Attach(new CPVGetSetAdapterITag(tag));
        value.Attach(new CPVGetSetLong(L"Count", adapter));
        value->QueryInterface(IPVGetValueForcing::Iid, reinterpret_cast<void**>(&forcing));
    }
    void TearDown() override {
        forcing = nullptr;
        value = nullptr;
        adapter = nullptr;
        tag = nullptr;
        EXPECT_EQ(0, CTestTag::Live()) << "value, adapter and tag were all destroyed";
    }

    CComPtr<CTestTag> tag = CTestTag::Create();
    CComPtr<IPVGetSetAdapter> adapter;
    CComPtr<IPVGetSetValue> value;
    CComPtr<IPVGetValueForcing> forcing;
};

TEST_F(MemberNameValueTest, InitializationNeedsTheAdapterNotTheName) {
    const struct {
        const wchar_t* name;
        bool withAdapter;
        HRESULT hr;
    } cases[] = {
        {L"Count", true, S_OK},
        {L"", true, S_OK},
        {L"Count", false, E_FAIL},
        {L"", false, E_FAIL},
    };
    for (const auto& c : cases) {
        CComPtr<IPVGetSetValue> v;
        v.Attach(new CPVGetSetLong(c.name, c.withAdapter ? adapter.p() : nullptr));
        CAopLogCapture log;
        EXPECT_EQ(c.hr, v->InitializationIsValid()) << c.name << c.withAdapter;
        const bool adapterLogged =
            !log.Records().empty() &&
            log.Records().back().message == L"Error: m_spIPVGetSetAdapter not initialized!" &&
            log.Records().back().function == L"CPVGetSetMemberNameValue::InitializationIsValid";
        EXPECT_EQ(!c.withAdapter, adapterLogged) << c.name << c.withAdapter;
    }
}

TEST_F(MemberNameValueTest, ForcingInterfaceSharesTheObjectsCount) {
    ASSERT_NE(nullptr, forcing.p());
    CComPtr<IPVGetSetValue> back;
    ASSERT_EQ(S_OK, forcing->QueryInterface(IPVGetSetValue::Iid, reinterpret_cast<void**>(&back)));
    EXPECT_EQ(value.p(), back.p());
    back = nullptr;
    // Held now by `value` and `forcing`.
    EXPECT_EQ(3u, forcing->AddRef());
    EXPECT_EQ(2u, value->Release());
}

TEST_F(MemberNameValueTest, ForcingSupportFollowsTheTagSuffix) {
    const struct {
        const wchar_t* suffix;
        bool supported;
    } cases[] = {{L"O", true}, {L"EO", true}, {L"o", false}, {L"eo", false},
                 {L"", false}, {L"I", false}, {L"OE", false}};
    for (const auto& c : cases) {
        tag->suffix = c.suffix;
        CAopLogCapture log;
        bool supported = !c.supported;
        EXPECT_EQ(S_OK, forcing->GetIsForcingSupported(&supported)) << c.suffix;
        EXPECT_EQ(c.supported, supported) << c.suffix;
        EXPECT_EQ(Lines{}, LogLines(log));
    }
}

TEST_F(MemberNameValueTest, ForcingSupportFailures) {
    CAopLogCapture log;
    bool supported = true;
    tag->Fail("get_Suffix", E_UNEXPECTED);
    EXPECT_EQ(E_UNEXPECTED, forcing->GetIsForcingSupported(&supported));
    EXPECT_FALSE(supported);
    EXPECT_EQ(Lines{L"CPVGetSetMemberNameValue::GetIsForcingSupported | Failed ITag2::get_Suffix\n."},
              LogLines(log));
    EXPECT_EQ(L"PVGetSetMemberNameValue", log.Records()[0].source);

    log.Clear();
    tag->offersTag2 = false;
    supported = true;
    EXPECT_EQ(S_OK, forcing->GetIsForcingSupported(&supported)) << "a tag without ITag2 cannot be forced";
    EXPECT_FALSE(supported);

    // An adapter over an extended property has no tag to give.
    CComPtr<IPVGetSetAdapter> ext;
    ext.Attach(new CPVGetSetAdapterITagExtProperty(1, static_cast<ITagExtProperty*>(tag.p())));
    CComPtr<IPVGetSetValue> overExt;
    overExt.Attach(new CPVGetSetLong(L"Count", ext));
    CComPtr<IPVGetValueForcing> extForcing;
    overExt->QueryInterface(IPVGetValueForcing::Iid, reinterpret_cast<void**>(&extForcing));
    supported = true;
    EXPECT_EQ(S_OK, extForcing->GetIsForcingSupported(&supported));
    EXPECT_FALSE(supported);
    VARIANT forced;
    VariantInit(&forced);
    EXPECT_EQ(E_NOINTERFACE, extForcing->GetForcedValue(&forced));
    EXPECT_EQ(Lines{}, LogLines(log));

    CComPtr<IPVGetSetValue> unbound;
    unbound.Attach(new CPVGetSetLong(L"Count", nullptr));
    CComPtr<IPVGetValueForcing> unboundForcing;
    unbound->QueryInterface(IPVGetValueForcing::Iid, reinterpret_cast<void**>(&unboundForcing));
    log.Clear();
    supported = true;
    EXPECT_EQ(E_FAIL, unboundForcing->GetIsForcingSupported(&supported));
    EXPECT_FALSE(supported);
    EXPECT_EQ(Lines{L"CPVGetSetMemberNameValue::GetIPVGetSetAdapter | Failed to get Get/Set Adapter"},
              LogLines(log));
}

TEST_F(MemberNameValueTest, ForcesEnabledIsForcedAndForcedValue) {
    const struct {
        VARIANT_BOOL enabled;
        VARIANT_BOOL forced;
        bool offersForcing;
        bool enabledOut;
        bool forcedOut;
        HRESULT valueHr;
    } cases[] = {
        {VARIANT_FALSE, VARIANT_FALSE, true, false, false, S_OK},
        {VARIANT_TRUE, VARIANT_TRUE, true, true, true, S_OK},
        // Only the automation true counts.
        {1, 1, true, false, false, S_OK},
        {VARIANT_TRUE, VARIANT_TRUE, false, false, false, E_NOINTERFACE},
    };
    for (const auto& c : cases) {
        tag->forcesEnabled = c.enabled;
        tag->members[L"Count"].forced = c.forced;
        tag->offersForcing = c.offersForcing;
        bool enabled = !c.enabledOut;
        bool forced = !c.forcedOut;
        EXPECT_EQ(S_OK, forcing->GetForcesEnabled(&enabled));
        EXPECT_EQ(c.enabledOut, enabled);
        EXPECT_EQ(S_OK, forcing->GetIsForced(&forced));
        EXPECT_EQ(c.forcedOut, forced);
        VARIANT value9;
        VariantInit(&value9);
        EXPECT_EQ(c.valueHr, forcing->GetForcedValue(&value9));
        EXPECT_EQ(SUCCEEDED(c.valueHr) ? VT_I4 : VT_EMPTY, value9.vt);
        VariantClear(&value9);
    }
    EXPECT_EQ(E_INVALIDARG, forcing->GetForcedValue(nullptr));

    tag->offersForcing = true;
    tag->Fail("GetIsForced", E_UNEXPECTED);
    bool forced = true;
    EXPECT_EQ(E_UNEXPECTED, forcing->GetIsForced(&forced)) << "the host's failure is passed on";
    EXPECT_FALSE(forced);
}

TEST_F(MemberNameValueTest, ConverterFailuresArePrefixedWithTheMemberName) {
    CComPtr<IPVGetSetValue> owner;
    CPrefixProbe* probe = new CPrefixProbe(L"Totalizer1", adapter);
    owner.Attach(probe);
    const struct {
        DWORD code;
        bool prefixed;
    } cases[] = {
        {0x80040200, true},  {0x80040214, true},  {0x80040217, true},  {0x8004022B, true},
        {0x800401FF, false}, {0x8004022C, false}, {0x80004005, false}, {0x00040200, false},
    };
    for (const auto& c : cases) {
        CPromptInfo prompt(L"Value too large.", L"help.chm", 5);
        probe->Prefix(static_cast<HRESULT>(c.code), &prompt);
        EXPECT_EQ(c.prefixed ? CString(L"Totalizer1:  Value too large.") : CString(L"Value too large."),
                  prompt.m_strText)
            << std::hex << c.code;
        EXPECT_EQ(CString(L"help.chm"), prompt.m_strHelpFile);
        EXPECT_EQ(5u, prompt.m_dwHelpContext);
    }
    probe->Prefix(static_cast<HRESULT>(0x80040217), nullptr); // no record: nothing to do
}

} // namespace
