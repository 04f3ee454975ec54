// A thousand page lives in a row leave nothing behind: no page or factory keeps the
// module loaded, no host object handed to a page (module, configuration tag, and with
// the tag every adapter and value object that holds it) outlives the pages, and no
// page window is left in the parent. Failing host calls inside a life must not change
// that either.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "tests/profile/pages/PageCycle.h"
#include "tests/profile/pages/PagesTestSupport.h"

namespace {

// The object's reference count, read the only way COM tells it.
ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

// What a page may hold on to, counted before and after.
struct CHostHoldings {
    ULONG parent = 0;
    ULONG module = 0;
    // Every host object (parent, module, dialog manager, each tag handed out) holds the
    // host context, so its count rises with every tag a leaked adapter keeps.
    long contextUsers = 0;
    int pageWindows = 0;

    bool operator==(const CHostHoldings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CHostHoldings& h) {
    return out << "{parent " << h.parent << ", module " << h.module << ", context users " << h.contextUsers
               << ", page windows " << h.pageWindows << "}";
}

class PageCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ("", module.error);
        ASSERT_EQ("", host.error);
        window = MakeCycleParentWindow();
        ASSERT_NE(nullptr, window);
        parent = MakeHostObject<CHostParent>(host.context);
        cycle = std::make_unique<CPageCycle>(parent, window);
    }
    void TearDown() override {
        cycle.reset();
        parent = nullptr;
        CFaultInjector::Instance().ClearAll();
        if (window)
            DestroyWindow(window);
    }

    CHostHoldings Holdings() const {
        return {References(static_cast<IPVParent*>(parent)),
                References(static_cast<IModule*>(parent->Module())), host.context.use_count(),
                ChildWindowCount(window)};
    }

    CProfileModule module;
    CProfileHost host;
    HWND window = nullptr;
    CComPtr<CHostParent> parent;
    std::unique_ptr<CPageCycle> cycle;
};

TEST_F(PageCycleTest, TheCountsSeeATagTheHostHandsOut) {
    // Without this the leak checks below could not fail: a tag held anywhere shows.
    const CHostHoldings before = Holdings();
    CComPtr<ITag> tag;
    ASSERT_EQ(S_OK, parent->Module()->GetConfigTag(&tag));
    EXPECT_EQ(before.contextUsers + 1, Holdings().contextUsers);
    tag = nullptr;
    EXPECT_EQ(before, Holdings());
}

TEST_F(PageCycleTest, AThousandCyclesLeaveNoPageFactoryAdapterOrWindowBehind) {
    const std::vector<const CPVPageTable*> pages = BuiltPages();
    std::vector<CLSID> classes;
    for (const CPVPageTable* page : pages)
        classes.push_back(PageClassId(*page));
    ASSERT_EQ(S_OK, module.CanUnloadNow());
    const CHostHoldings before = Holdings();
    int failures = 0;
    std::string firstFailure;
    for (size_t i = 0; i < 1000; ++i) {
        const size_t which = i % pages.size();
        const HRESULT hr = cycle->Run(classes[which]);
        if (FAILED(hr) && failures++ == 0)
            firstFailure = PageShortName(*pages[which]) + " cycle " + std::to_string(i) + ": " +
                           cycle->FailedStep() + " failed";
        // The host's call record would otherwise grow with every cycle.
        host.context->Faults().ClearCalls();
    }
    EXPECT_EQ(0, failures) << firstFailure;
    EXPECT_EQ(S_OK, module.CanUnloadNow()) << "a page or a class factory is still alive";
    EXPECT_EQ(before, Holdings());
}

TEST_F(PageCycleTest, EachCycleBindsEveryMemberOfItsPage) {
    // The cycle is a real page life: the page reads each member it binds.
    for (const CPVPageTable* page : UntabbedPages()) {
        host.context->Faults().ClearCalls();
        ASSERT_EQ(S_OK, cycle->Run(PageClassId(*page)))
            << PageShortName(*page) << ": " << cycle->FailedStep();
        std::vector<std::wstring> read;
        for (const CHostCall& call : host.context->Faults().CallsOf(L"GetEnumIndex"))
            read.push_back(call.member);
        EXPECT_EQ(EnumerationMembers(*page, false), read) << PageShortName(*page);
    }
}

TEST_F(PageCycleTest, TheFloorReadsEveryMemberOnceMakesTheBareTemplateAndKeepsOnlyItsTag) {
    const HMODULE resources = LoadLibraryW(
        CDosPath::ToDos(std::string(std::getenv("PV_BIN_DIR")) + "/PVZQTavrin100ENU.dll").c_str());
    ASSERT_NE(nullptr, resources);
    cycle->SetTemplateLibrary(resources);
    const CHostHoldings before = Holdings();
    for (const CPVPageTable* page : BuiltPages()) {
        host.context->Faults().ClearCalls();
        ASSERT_EQ(S_OK, cycle->RunFloor(*page)) << PageShortName(*page) << ": " << cycle->FailedStep();
        for (const wchar_t* operation : {L"GetEnumIndex", L"GetEnumStrings", L"GetValue"}) {
            std::vector<std::wstring> read;
            for (const CHostCall& call : host.context->Faults().CallsOf(operation))
                read.push_back(call.member);
            EXPECT_EQ(CPageCycle::BoundMembers(*page, operation != std::wstring(L"GetValue")), read)
                << PageShortName(*page);
        }
    }
    cycle->ReleaseFloor();
    EXPECT_EQ(before, Holdings()) << "the bare dialogs are gone too";
    // A template the library lacks is named as the floor's failure.
    constexpr CPVPageTable kMissing{L"CMissing", L"Missing Page", L"{00000000-0000-0000-0000-000000000000}", 1};
    EXPECT_EQ(E_FAIL, cycle->RunFloor(kMissing));
    EXPECT_EQ("CreateDialogParamW", cycle->FailedStep());
    cycle->SetTemplateLibrary(nullptr);
    FreeLibrary(resources);
}

struct InnerFault {
    const char* name;
    const CPVPageTable* page;
    const wchar_t* operation;
    const wchar_t* member; // empty: every member
    int count;             // -1: every call
    HRESULT expected;
    const char* failedStep; // empty when the cycle succeeds
};

class PageCycleInnerFaultTest : public PageCycleTest, public ::testing::WithParamInterface<InnerFault> {};

// Host failures inside a page's life. Without its strings a box is just empty; a value
// that cannot be read fails the activation (a control's failure is the broadcast's
// answer), but the host keeps the page and closes it as ever, and it leaves nothing.
TEST_P(PageCycleInnerFaultTest, TheCycleAnswersAsThePageDoesAndLeavesNothingBehind) {
    const InnerFault& c = GetParam();
    const CHostHoldings before = Holdings();
    host.context->Faults().Inject(c.operation, E_FAIL, c.member, 0, c.count);
    EXPECT_EQ(c.expected, cycle->Run(PageClassId(*c.page)));
    EXPECT_EQ(c.failedStep, cycle->FailedStep());
    int failed = 0;
    for (const CHostCall& call : host.context->Faults().CallsOf(c.operation))
        failed += call.result == E_FAIL ? 1 : 0;
    EXPECT_LT(0, failed) << "the fault was never reached";
    EXPECT_EQ(S_OK, module.CanUnloadNow());
    EXPECT_EQ(before, Holdings());
}

INSTANTIATE_TEST_SUITE_P(
    HostFaults, PageCycleInnerFaultTest,
    ::testing::Values(
        InnerFault{"SysUnitStringsOfOneMember", &PVPageCatalogue::kSYSUNIT, L"GetEnumStrings",
                   L"SystemUnitDensity", 1, S_OK, ""},
        InnerFault{"CommStringsOfOneSlot", &PVPageCatalogue::kCOMM, L"GetEnumStrings",
                   L"ConfigurableInputAsm_7", 1, S_OK, ""},
        InnerFault{"CommStringsOfEverySlot", &PVPageCatalogue::kCOMM, L"GetEnumStrings", L"", -1, S_OK, ""},
        InnerFault{"SysUnitLogixMode", &PVPageCatalogue::kSYSUNIT, L"GetLogixMode", L"", -1, S_OK, ""},
        InnerFault{"CommRedundancyState", &PVPageCatalogue::kCOMM, L"GetRedundancyState", L"", -1, S_OK, ""},
        InnerFault{"SysUnitIndexOfOneMember", &PVPageCatalogue::kSYSUNIT, L"GetEnumIndex", L"SystemUnitMass",
                   1, E_FAIL, "OnActivate"},
        InnerFault{"CommIndexOfTheLastSlot", &PVPageCatalogue::kCOMM, L"GetEnumIndex",
                   L"ConfigurableInputAsm_20", 1, E_FAIL, "OnActivate"},
        InnerFault{"SysUnitIndexOfEveryMember", &PVPageCatalogue::kSYSUNIT, L"GetEnumIndex", L"", -1, E_FAIL,
                   "OnActivate"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FatalFault {
    const char* name;
    const wchar_t* hostOperation; // null: a stand-in call fails instead
    const char* platformOperation;
    HRESULT injected;
    const char* failedStep;
    HRESULT expected;
};

class PageCycleFailsTest : public PageCycleTest, public ::testing::WithParamInterface<FatalFault> {};

// Host failures a page cannot open without: the cycle names the step that failed, and
// whatever the page had taken is given back all the same.
TEST_P(PageCycleFailsTest, TheCycleNamesTheFailedStepAndLeavesNothingBehind) {
    const FatalFault& c = GetParam();
    const CHostHoldings before = Holdings();
    if (c.hostOperation)
        host.context->Faults().Inject(c.hostOperation, c.injected);
    else
        CFaultInjector::Instance().Inject(c.platformOperation, c.injected);
    EXPECT_EQ(c.expected, cycle->Run(PageClassId(PVPageCatalogue::kSYSUNIT)));
    EXPECT_EQ(c.failedStep, cycle->FailedStep());
    EXPECT_EQ(S_OK, module.CanUnloadNow());
    EXPECT_EQ(before, Holdings());
    // The next cycle, with nothing failing, works.
    EXPECT_EQ(S_OK, cycle->Run(PageClassId(PVPageCatalogue::kCOMM))) << cycle->FailedStep();
    EXPECT_EQ(before, Holdings());
}

INSTANTIATE_TEST_SUITE_P(
    HostFaults, PageCycleFailsTest,
    ::testing::Values(FatalFault{"NoClass", nullptr, "CoCreateInstance", REGDB_E_CLASSNOTREG,
                                 "CoCreateInstance", REGDB_E_CLASSNOTREG},
                      FatalFault{"NoModule", L"GetModule", nullptr, E_FAIL, "Init", E_FAIL},
                      FatalFault{"NoConfigTag", L"GetConfigTag", nullptr, E_FAIL, "Init", E_FAIL}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
