#include <gtest/gtest.h>

#include "host/HostParent.h"
#include "host/HostTag.h"
#include "tests/host/HostTestSupport.h"

namespace {

class HostFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = EmbeddedContext();
        // Assigned from the plain pointer: CComPtr's move assignment does not compile for classes.
        parent = MakeHostObject<CHostParent>(context).p();
        CComPtr<IModule> module;
        ASSERT_EQ(S_OK, parent->GetModule(&module));
        ASSERT_EQ(S_OK, module->GetConfigTag(&tag));
        context->Faults().ClearCalls();
    }

    HRESULT Read(const wchar_t* member) {
        CTestVariant value;
        return tag->GetValue(CTestBstr(member), &value.v);
    }

    std::shared_ptr<CHostContext> context;
    CComPtr<CHostParent> parent;
    CComPtr<ITag> tag;
};

TEST_F(HostFaultsTest, SkipAndCountChooseTheFailingCalls) {
    struct Case {
        int skip;
        int count;
        std::vector<HRESULT> results; // of six reads in a row
    } cases[] = {
        {0, 1, {E_ACCESSDENIED, S_OK, S_OK, S_OK, S_OK, S_OK}},
        {2, 1, {S_OK, S_OK, E_ACCESSDENIED, S_OK, S_OK, S_OK}},
        {1, 3, {S_OK, E_ACCESSDENIED, E_ACCESSDENIED, E_ACCESSDENIED, S_OK, S_OK}},
        {4, -1, {S_OK, S_OK, S_OK, S_OK, E_ACCESSDENIED, E_ACCESSDENIED}},
    };
    for (const Case& c : cases) {
        context->Faults().ClearFaults();
        context->Faults().Inject(L"GetValue", E_ACCESSDENIED, L"", c.skip, c.count);
        std::vector<HRESULT> results;
        for (int i = 0; i < 6; ++i)
            results.push_back(Read(L"SystemDamping"));
        EXPECT_EQ(c.results, results) << "skip " << c.skip << " count " << c.count;
    }
}

TEST_F(HostFaultsTest, AFaultByMemberLeavesOtherMembersAlone) {
    context->Faults().Inject(L"GetValue", E_UNEXPECTED, L"SystemDamping", 0, -1);
    EXPECT_EQ(E_UNEXPECTED, Read(L"SystemDamping"));
    EXPECT_EQ(S_OK, Read(L"SensorInstalledDirection"));
    EXPECT_EQ(E_UNEXPECTED, Read(L"SystemDamping"));
    // Another operation on the same member is not touched.
    CTestVariant min;
    EXPECT_EQ(S_OK, tag->GetMinValue(CTestBstr(L"SystemDamping"), &min.v));
}

TEST_F(HostFaultsTest, AFailedWriteChangesNothing) {
    context->Faults().Inject(L"SetValue", E_FAIL);
    EXPECT_EQ(E_FAIL, tag->SetValue(CTestBstr(L"SystemDamping"), MakeI4(3)));
    CTestVariant value;
    tag->GetValue(CTestBstr(L"SystemDamping"), &value.v);
    EXPECT_EQ(7, value.v.lVal);
    EXPECT_FALSE(context->Project().IsDirty());
}

TEST_F(HostFaultsTest, CallsAreRecordedWithMemberAndResult) {
    context->Faults().Inject(L"GetModule", E_OUTOFMEMORY);
    CComPtr<IModule> module;
    EXPECT_EQ(E_OUTOFMEMORY, parent->GetModule(&module));
    EXPECT_EQ(nullptr, module.p());
    Read(L"STD_AccessCode");
    Read(L"NoSuchMember");
    LONG mode = 0;
    parent->GetLogixMode(&mode);

    const std::vector<CHostCall>& calls = context->Faults().Calls();
    ASSERT_EQ(4u, calls.size());
    const struct {
        const wchar_t* operation;
        const wchar_t* member;
        HRESULT result;
    } expected[] = {
        {L"GetModule", L"", E_OUTOFMEMORY},
        {L"GetValue", L"STD_AccessCode", S_OK},
        {L"GetValue", L"NoSuchMember", E_INVALIDARG},
        {L"GetLogixMode", L"", S_OK},
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(expected[i].operation, calls[i].operation) << i;
        EXPECT_EQ(expected[i].member, calls[i].member) << i;
        EXPECT_EQ(expected[i].result, calls[i].result) << i;
    }
    EXPECT_EQ(2u, context->Faults().CallsOf(L"GetValue").size());
}

TEST_F(HostFaultsTest, AFailedMessageDialogAnswersMinusOneAndKeepsTheAnswer) {
    parent->QueueAnswer(6);
    context->Faults().Inject(L"MessageDlg", E_FAIL);
    LONG button = 0;
    EXPECT_EQ(E_FAIL, parent->MessageDlg(nullptr, CTestBstr(L"Go?"), 4, 0, nullptr, &button));
    EXPECT_EQ(-1, button);
    EXPECT_EQ(1u, parent->PendingAnswers());
    EXPECT_EQ(S_OK, parent->MessageDlg(nullptr, CTestBstr(L"Go?"), 4, 0, nullptr, &button));
    EXPECT_EQ(6, button);
    ASSERT_EQ(2u, parent->MessageDlgs().size());
    EXPECT_EQ(-1, parent->MessageDlgs()[0].button);
}

// Fails each host call of one read-modify-write in turn, as a page's save does it,
// until a run injects nothing: every run either succeeds or leaves the value as stored.
TEST_F(HostFaultsTest, EachCallOfASaveFailsInTurn) {
    const wchar_t* operations[] = {L"GetValue", L"GetMaxValue", L"SetValue"};
    for (const wchar_t* failing : operations) {
        context->Project().Revert();
        context->Faults().ClearFaults();
        context->Faults().Inject(failing, E_FAIL);
        CTestBstr member(L"SystemDamping");
        CTestVariant value, max;
        HRESULT hr = tag->GetValue(member, &value.v);
        if (SUCCEEDED(hr))
            hr = tag->GetMaxValue(member, &max.v);
        if (SUCCEEDED(hr))
            hr = tag->SetValue(member, MakeI4(max.v.lVal));
        EXPECT_EQ(E_FAIL, hr) << failing;
        EXPECT_FALSE(context->Project().IsDirty()) << failing;
    }
    context->Faults().ClearFaults();
    CTestVariant max;
    ASSERT_EQ(S_OK, tag->GetMaxValue(CTestBstr(L"SystemDamping"), &max.v));
    EXPECT_EQ(S_OK, tag->SetValue(CTestBstr(L"SystemDamping"), MakeI4(max.v.lVal)));
    EXPECT_TRUE(context->Project().IsDirty());
}

} // namespace
