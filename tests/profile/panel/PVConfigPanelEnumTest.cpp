#include <gtest/gtest.h>

#include "profile/interfaces/Tag.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

const wchar_t kNoTags[] =
    L"CPVConfigPanelEnum::Init | Failed to get config tag component, Neither of safety and "
    L"standard config tag exists.\n";
const wchar_t kNullAdapter[] =
    L"CPVConfigPanelEnum::GetIPVGetSetAdapter | CPVConfigPanelEnum has a NULL adapter pointer.";

struct TagCase {
    const char* name;
    bool configTag;
    bool safety;
    bool safetyTag;
    HRESULT expected;
    bool standardAdapter;
    bool safetyAdapter;
    Lines log;
};

class ConfigPanelInit : public ::testing::TestWithParam<TagCase> {};

TEST_P(ConfigPanelInit, WrapsTheTagsTheModuleHas) {
    const TagCase& tags = GetParam();
    auto context = ContextFor(ProjectJson(tags.configTag, tags.safety, tags.safetyTag));
    auto parent = MakeHostObject<CHostParent>(context);
    CallLog calls;
    CRecordingCtrl control{L"a", &calls};
    CComPtr<CTestPage> page = NewPage();
    page->AddControlToList(&control);
    CAopLogCapture log;
    EXPECT_EQ(tags.expected, page->Init(parent));
    // The controls have the module even when no tag came back.
    EXPECT_NE(nullptr, control.Module());
    EXPECT_EQ(tags.standardAdapter, page->GetIPVGetSetAdapter() != nullptr);
    EXPECT_EQ(tags.safetyAdapter, page->GetSafetyIPVGetSetAdapter() != nullptr);
    EXPECT_EQ(tags.log, LogLines(log));
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ConfigPanelInit,
    ::testing::Values(TagCase{"StandardOnly", true, false, false, S_OK, true, false, {}},
                      TagCase{"StandardWithSafetyButNoSafetyTag", true, true, false, S_OK, true, false, {}},
                      TagCase{"Both", true, true, true, S_OK, true, true, {}},
                      TagCase{"SafetyOnly", false, true, true, S_OK, false, true, {kNullAdapter}},
                      TagCase{"Neither", false, true, false, E_FAIL, false, false, {kNoTags, kNullAdapter}},
                      TagCase{"NeitherWithoutSafetyInterface",
                              false,
                              false,
                              false,
                              E_FAIL,
                              false,
                              false,
                              {kNoTags, kNullAdapter}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FaultCase {
    const char* name;
    const wchar_t* operation;
    HRESULT fault;
    HRESULT expected;
    Lines log;
};

class ConfigPanelInitFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ConfigPanelInitFaults, HostFailures) {
    const FaultCase& fault = GetParam();
    auto context = ContextFor(ProjectJson(true, true, true));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    // The first GetModule is the base class's; skip it to reach the page's own.
    context->Faults().Inject(fault.operation, fault.fault, L"",
                             std::wstring(fault.operation) == L"GetModule" ? 1 : 0);
    CAopLogCapture log;
    EXPECT_EQ(fault.expected, page->Init(parent));
    EXPECT_EQ(fault.log, LogLines(log));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ConfigPanelInitFaults,
    ::testing::Values(FaultCase{"GetModule",
                                L"GetModule",
                                E_OUTOFMEMORY,
                                E_UNEXPECTED,
                                {L"CPVConfigPanelEnum::Init | Unable to get IModule interface."}},
                      FaultCase{"GetConfigTag",
                                L"GetConfigTag",
                                E_ACCESSDENIED,
                                E_FAIL,
                                {L"CPVConfigPanelEnum::Init | Failed to get tag component."}},
                      // E_NOINTERFACE is the host's way of saying there is no such tag.
                      FaultCase{"GetConfigTagNoInterface", L"GetConfigTag", E_NOINTERFACE, S_OK, {}},
                      FaultCase{"GetSafetyConfigTag",
                                L"GetSafetyConfigTag",
                                E_ACCESSDENIED,
                                E_FAIL,
                                {L"CPVConfigPanelEnum::Init | Failed to get safety tag component."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigPanel, AFailedSafetyStepKeepsTheStandardAdapter) {
    auto context = ContextFor(ProjectJson(true, true, true));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    context->Faults().Inject(L"GetSafetyConfigTag", E_ACCESSDENIED);
    EXPECT_EQ(E_FAIL, page->Init(parent));
    EXPECT_NE(nullptr, page->GetIPVGetSetAdapter());
    EXPECT_EQ(nullptr, page->GetSafetyIPVGetSetAdapter());
}

TEST(ConfigPanel, TheAdapterReadsTheModulesTag) {
    auto context = ContextFor(ProjectJson(true, false, false));
    auto parent = MakeHostObject<CHostParent>(context);
    CComPtr<CTestPage> page = NewPage();
    ASSERT_EQ(S_OK, page->Init(parent));
    CComPtr<IPVGetSetAdapter4> adapter;
    ASSERT_EQ(S_OK, page->GetIPVGetSetAdapter()->QueryInterface(IPVGetSetAdapter4::Iid,
                                                                reinterpret_cast<void**>(&adapter)));
    CComPtr<ITag2> tag;
    ASSERT_EQ(S_OK, adapter->GetITag(&tag));
    EXPECT_NE(nullptr, tag.p());
    context->Faults().ClearCalls();
    VARIANT_BOOL exists = VARIANT_TRUE;
    adapter->GetMemberExists(L"NoSuchMember", &exists);
    EXPECT_EQ(VARIANT_FALSE, exists);
    EXPECT_FALSE(context->Faults().Calls().empty());
}

} // namespace
