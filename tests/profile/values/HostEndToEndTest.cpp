// Value objects bound to members of the host stand-in's configuration tag: reading,
// writing, converting and prompting end to end, with the host's own prompt server.
#include <gtest/gtest.h>

#include <variant>

#include "host/HostContext.h"
#include "host/HostModule.h"
#include "host/HostObject.h"
#include "host/HostResults.h"
#include "host/HostServers.h"
#include "logger/AopLogCapture.h"
#include "profile/convert/CnvErrors.h"
#include "profile/server/PromptInfo.h"
#include "profile/values/PVGetEnumStrings.h"
#include "profile/values/PVGetSetAdapter.h"
#include "profile/values/PVGetSetEnum.h"
#include "profile/values/PVGetSetFloat.h"
#include "profile/values/PVGetSetLong.h"

namespace {

class HostEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = CHostContext::Create();
        std::string error;
        ASSERT_TRUE(context->Project().LoadDefault(&error)) << error;
        servers = std::make_unique<CHostServers>(context);
        ASSERT_EQ(S_OK, servers->Register());
        auto module = MakeHostObject<CHostModule>(context);
        CComPtr<ITag> tag;
        ASSERT_EQ(S_OK, module->GetConfigTag(&tag));
        adapter.Attach(new CPVGetSetAdapterITag(tag));
    }
    void TearDown() override {
        adapter = nullptr;
        servers.reset();
    }

    template <class Value> CComPtr<IPVGetSetValue> Bind(const wchar_t* member) {
        CComPtr<IPVGetSetValue> value;
        value.Attach(new Value(member, adapter));
        return value;
    }
    const CTagValue& Stored(const wchar_t* member) {
        return context->Project().ConfigTag().Find(member)->Value();
    }

    std::shared_ptr<CHostContext> context;
    std::unique_ptr<CHostServers> servers;
    CComPtr<IPVGetSetAdapter> adapter;
};

TEST_F(HostEndToEndTest, FloatMemberReadsWritesRoundedAndPrefixesRefusals) {
    CComPtr<IPVGetSetValue> value = Bind<CPVGetSetFloat>(L"LowFlowCutOffLowFlowCutOffVal");
    CString text;
    CPromptInfo prompt;
    ASSERT_EQ(S_OK, value->GetValue(&text, 1, VT_R4, &prompt));
    EXPECT_EQ(CString(L"50.0"), text);
    ASSERT_EQ(S_OK, value->GetMaxValue(&text, 0, VT_R4, &prompt));
    EXPECT_EQ(CString(L"100"), text);

    EXPECT_EQ(S_OK, value->SetValue(CString(L" 75.25 "), 1, VT_R4, &prompt));
    EXPECT_FLOAT_EQ(75.3f, std::get<float>(Stored(L"LowFlowCutOffLowFlowCutOffVal")));
    EXPECT_TRUE(context->Project().IsDirty());

    EXPECT_EQ(CNV_E_INVALIDFLOAT, value->SetValue(CString(L"7,5x"), 1, VT_R4, &prompt));
    EXPECT_EQ(CString(L"LowFlowCutOffLowFlowCutOffVal:  '7,5x' is not a number."), prompt.m_strText);
    EXPECT_FLOAT_EQ(75.3f, std::get<float>(Stored(L"LowFlowCutOffLowFlowCutOffVal"))) << "nothing written";
}

TEST_F(HostEndToEndTest, TheHostRefusesAWriteBeyondTheMembersLimits) {
    CComPtr<IPVGetSetValue> value = Bind<CPVGetSetFloat>(L"LowFlowCutOffLowFlowCutOffVal");
    CAopLogCapture log;
    CPromptInfo prompt;
    const HRESULT hr = value->SetValue(CString(L"150"), 1, VT_R4, &prompt);
    EXPECT_EQ(HOST_E_OUTOFRANGE, hr) << "the host's code, passed on unchanged";
    EXPECT_EQ(CString(), prompt.m_strText) << "no converter message to prefix";
    EXPECT_FLOAT_EQ(50.0f, std::get<float>(Stored(L"LowFlowCutOffLowFlowCutOffVal")));
    ASSERT_FALSE(log.Records().empty());
    EXPECT_EQ(std::wstring(L"Error: Saving value for member LowFlowCutOffLowFlowCutOffVal to services!\r\n"),
              log.Records()[0].message);
}

TEST_F(HostEndToEndTest, EnumerationMemberByIndexAndStrings) {
    CComPtr<IPVGetSetValue> strings = Bind<CPVGetEnumStrings>(L"LowFlowCutOffAssignLowFlow");
    CString text;
    ASSERT_EQ(S_OK, strings->GetValue(&text, CPVGetEnumStrings::EnumStringsSelector, nullptr));
    EXPECT_EQ(CString(L"Off\nMass flow\nVolume flow\nCorrected volume flow\n"), text);

    CComPtr<IPVGetSetValue> selection = Bind<CPVGetSetEnum>(L"LowFlowCutOffAssignLowFlow");
    LONG index = -5;
    ASSERT_EQ(S_OK, selection->GetValue(&index, nullptr));
    EXPECT_EQ(2, index);
    ASSERT_EQ(S_OK, selection->SetValue(LONG{1}, nullptr));
    EXPECT_EQ(1, std::get<LONGLONG>(Stored(L"LowFlowCutOffAssignLowFlow")));
}

TEST_F(HostEndToEndTest, IntegerMemberBeyondLongIsPromptedInTheHostsWords) {
    CComPtr<IPVGetSetValue> value = Bind<CPVGetSetLong>(L"SystemDamping");
    CPromptInfo prompt;
    EXPECT_EQ(CNV_E_ABOVEMAXIMUM, value->SetValue(CString(L"2147483648"), VT_I4, &prompt));
    EXPECT_EQ(CString(L"SystemDamping:  '2147483648' is too large. The largest value allowed is 2147483647."),
              prompt.m_strText);
    EXPECT_EQ(S_OK, value->SetValue(CString(L"9"), VT_I4, &prompt));
    EXPECT_EQ(9, std::get<LONGLONG>(Stored(L"SystemDamping")));
    context->Project().Revert();
    CString text;
    ASSERT_EQ(S_OK, value->GetValue(&text, VT_I4, nullptr));
    EXPECT_EQ(CString(L"7"), text) << "reverting restores the stored value";
}

} // namespace
