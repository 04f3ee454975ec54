// The first device pages of the shipped module inside the host's properties dialog:
// created by class, bound to the embedded project in their list order, edited with the
// user's hand, saved, cancelled, refreshed, reverted and greyed by the controller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logger/AopLogCapture.h"
#include "platform/user/Controls.h"
#include "tests/profile/pages/PagesTestSupport.h"

namespace {

using Members = std::vector<std::wstring>;
using PVPageCatalogue::kCOMM;
using PVPageCatalogue::kSENSOR;
using PVPageCatalogue::kSYSUNIT;

std::wstring ItemText(HWND combo, int index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int Selection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

bool Pick(HWND combo, int index) {
    return CUserHand::Instance().PickComboItem(combo, index, CUserHand::Pick::Mouse);
}

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ("", module.error); }

    CProfileModule module;
};

class PageBindingTest : public PagesTest, public ::testing::WithParamInterface<const CPVPageTable*> {};

TEST_P(PageBindingTest, BindsEveryMemberInItsOrderAndShowsItsStringsAndValue) {
    const CPVPageTable& page = *GetParam();
    CProfileHost host;
    ASSERT_EQ("", host.error);
    ASSERT_EQ(S_OK, host.Open({&page}));
    const CHostFaults& faults = host.context->Faults();
    // Strings are read as the page binds, values as the controls hear OnActivate, in
    // the order the page built its controls.
    EXPECT_EQ(EnumerationMembers(page, true), MembersOf(faults, L"GetEnumStrings"));
    EXPECT_EQ(EnumerationMembers(page, false), MembersOf(faults, L"GetEnumIndex"));
    for (const std::wstring& name : EnumerationMembers(page, false)) {
        const HWND combo = host.Control(0, name);
        ASSERT_NE(nullptr, combo) << "no window shows " << name;
        const CTagMember* member = host.Member(name);
        ASSERT_NE(nullptr, member);
        const auto& entries = member->Enumeration();
        ASSERT_EQ(static_cast<LRESULT>(entries.size()), SendMessageW(combo, CB_GETCOUNT, 0, 0)) << name;
        EXPECT_EQ(entries.front().text, ItemText(combo, 0));
        EXPECT_EQ(entries.back().text, ItemText(combo, static_cast<int>(entries.size()) - 1));
        EXPECT_EQ(member->EnumIndexOf(static_cast<LONG>(host.Value(name))), Selection(combo)) << name;
        EXPECT_TRUE(IsWindowEnabled(combo)) << "offline, the configuration can be edited";
    }
    EXPECT_EQ(host.Item(0, static_cast<int>(page.rows[page.focusRow].item)), GetFocus())
        << "the page gives the focus to its focus control";
}

INSTANTIATE_TEST_SUITE_P(Pages, PageBindingTest, ::testing::ValuesIn(UntabbedPages()),
                         [](const auto& info) { return PageShortName(*info.param); });

TEST_F(PagesTest, SlotTenIsItem9042AndItsPickReachesOnlyItsMember) {
    EXPECT_EQ(9042u, kCOMM.rows[9].item);
    EXPECT_EQ(std::wstring(L"ConfigurableInputAsm_10"), kCOMM.rows[9].member);
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kCOMM}));
    const Members slots = EnumerationMembers(kCOMM, false);
    std::vector<LONGLONG> before;
    for (const std::wstring& member : slots)
        before.push_back(host.Value(member));
    ASSERT_TRUE(Pick(host.Item(0, 9042), 5));
    ASSERT_EQ(S_OK, host.dialog->Apply());
    for (size_t i = 0; i < slots.size(); ++i)
        EXPECT_EQ(i == 9 ? host.CodeAt(L"ConfigurableInputAsm_10", 5) : before[i], host.Stored(slots[i]))
            << i + 1;
}

TEST_F(PagesTest, ApplyKeepsThePicksOfEveryPageAndCancelDropsThem) {
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kSYSUNIT, &kCOMM, &kSENSOR}));
    ASSERT_TRUE(Pick(host.Control(0, L"SystemUnitVolumeFlow"), 0));
    ASSERT_EQ(S_OK, host.dialog->SelectPage(1));
    ASSERT_TRUE(Pick(host.Control(1, L"ConfigurableInputAsm_20"), 4));
    ASSERT_EQ(S_OK, host.dialog->SelectPage(2));
    ASSERT_TRUE(Pick(host.Control(2, L"SensorInstalledDirection"), 1));
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(host.CodeAt(L"SystemUnitVolumeFlow", 0), host.Stored(L"SystemUnitVolumeFlow"));
    EXPECT_EQ(host.CodeAt(L"ConfigurableInputAsm_20", 4), host.Stored(L"ConfigurableInputAsm_20"));
    EXPECT_EQ(host.CodeAt(L"SensorInstalledDirection", 1), host.Stored(L"SensorInstalledDirection"));

    // A pick after Apply is written when the page is left, and Cancel takes it back.
    ASSERT_TRUE(Pick(host.Control(2, L"SensorInstalledDirection"), 0));
    ASSERT_EQ(S_OK, host.dialog->SelectPage(0));
    EXPECT_EQ(host.CodeAt(L"SensorInstalledDirection", 0), host.Value(L"SensorInstalledDirection"));
    ASSERT_EQ(S_OK, host.dialog->Cancel());
    EXPECT_EQ(host.CodeAt(L"SensorInstalledDirection", 1), host.Value(L"SensorInstalledDirection"));
}

TEST_F(PagesTest, PickingTheShownItemAgainChangesNothing) {
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kSENSOR}));
    const HWND combo = host.Control(0, L"SensorInstalledDirection");
    ASSERT_TRUE(Pick(combo, Selection(combo)));
    EXPECT_FALSE(host.dialog->Parent()->ProfileDirty());
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_TRUE(host.context->Faults().CallsOf(L"SetEnumIndex").empty()) << "nothing to write";
    // Another item dirties the profile and is written.
    ASSERT_TRUE(Pick(combo, 1 - Selection(combo)));
    EXPECT_TRUE(host.dialog->Parent()->ProfileDirty());
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(1u, host.context->Faults().CallsOf(L"SetEnumIndex").size());
}

TEST_F(PagesTest, RefreshReloadsCleanBoxesAndRevertDropsTheUsersPick) {
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kSYSUNIT}));
    const HWND mass = host.Control(0, L"SystemUnitMass");
    const HWND volume = host.Control(0, L"SystemUnitVolume");
    const int storedVolume = Selection(volume);
    // The project changes behind the page: a refresh shows it.
    host.Member(L"SystemUnitMass")->Load(CTagValue{host.CodeAt(L"SystemUnitMass", 2)});
    ASSERT_EQ(S_OK, host.dialog->Refresh());
    EXPECT_EQ(2, Selection(mass));
    // A box the user changed keeps the user's pick on refresh...
    ASSERT_TRUE(Pick(volume, storedVolume == 0 ? 1 : 0));
    const int picked = Selection(volume);
    ASSERT_EQ(S_OK, host.dialog->Refresh());
    EXPECT_EQ(picked, Selection(volume));
    // ...until the project is reverted: then it shows the stored value again and is clean.
    ASSERT_EQ(S_OK, host.dialog->Revert());
    EXPECT_EQ(storedVolume, Selection(volume));
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_TRUE(host.context->Faults().CallsOf(L"SetEnumIndex").empty());
}

TEST_F(PagesTest, GoingOnlineGreysEveryBoxAndGoingOfflineEnablesThem) {
    CProfileHost host;
    ASSERT_EQ(S_OK, host.Open({&kSYSUNIT, &kSENSOR}));
    ASSERT_EQ(S_OK, host.dialog->SelectPage(1));
    const std::vector<HWND> boxes = {host.Control(0, L"SystemUnitMassFlow"),
                                     host.Control(0, L"SystemUnitTemperature"),
                                     host.Control(1, L"SensorInstalledDirection")};
    for (const bool online : {true, false}) {
        ASSERT_EQ(S_OK, host.dialog->SetOnline(online));
        for (HWND box : boxes)
            EXPECT_EQ(online ? FALSE : TRUE, IsWindowEnabled(box)) << (online ? "online" : "offline");
    }
    ASSERT_EQ(S_OK, host.dialog->SetOnline(true));
    EXPECT_FALSE(Pick(boxes[2], 1)) << "a greyed box takes no pick";
}

TEST_F(PagesTest, MembersTheTagLacksLeaveTheirBoxesEmptyAndTheOthersWork) {
    CProfileHost host(ProjectWithout({L"SystemUnitDensity", L"ConfigurableInputAsm_3"}));
    ASSERT_EQ("", host.error);
    CAopLogCapture log;
    ASSERT_EQ(S_OK, host.Open({&kSYSUNIT, &kCOMM}));
    ASSERT_EQ(S_OK, host.dialog->SelectPage(1));
    for (HWND empty : {host.Control(0, L"SystemUnitDensity"), host.Control(1, L"ConfigurableInputAsm_3")}) {
        EXPECT_EQ(0, SendMessageW(empty, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(CB_ERR, Selection(empty));
    }
    EXPECT_EQ(host.Member(L"SystemUnitMass")->EnumIndexOf(static_cast<LONG>(host.Value(L"SystemUnitMass"))),
              Selection(host.Control(0, L"SystemUnitMass")));
    ASSERT_TRUE(Pick(host.Control(1, L"ConfigurableInputAsm_4"), 2));
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(host.CodeAt(L"ConfigurableInputAsm_4", 2), host.Stored(L"ConfigurableInputAsm_4"));
}

TEST_F(PagesTest, AFailedReadLeavesItsBoxAndAFailedWriteKeepsThePickForTheNextSave) {
    CProfileHost host;
    host.context->Faults().Inject(L"GetEnumIndex", E_FAIL, L"SystemUnitMass");
    CAopLogCapture log;
    ASSERT_EQ(S_OK, host.Open({&kSYSUNIT}));
    EXPECT_EQ(CB_ERR, Selection(host.Control(0, L"SystemUnitMass"))) << "nothing was read";
    EXPECT_NE(CB_ERR, Selection(host.Control(0, L"SystemUnitVolume")));
    bool logged = false;
    for (const auto& record : log.Records())
        logged = logged || record.message.find(L"SystemUnitMass") != std::wstring::npos;
    EXPECT_TRUE(logged) << "the failed read names its member";

    const HWND volume = host.Control(0, L"SystemUnitVolume");
    const HWND temperature = host.Control(0, L"SystemUnitTemperature");
    ASSERT_TRUE(Pick(volume, 2));
    ASSERT_TRUE(Pick(temperature, 1));
    host.context->Faults().Inject(L"SetEnumIndex", E_FAIL, L"SystemUnitVolume");
    host.dialog->Apply();
    EXPECT_EQ(host.CodeAt(L"SystemUnitTemperature", 1), host.Value(L"SystemUnitTemperature"))
        << "the other box is written";
    EXPECT_NE(host.CodeAt(L"SystemUnitVolume", 2), host.Value(L"SystemUnitVolume"));
    // The failed box stayed dirty: the next save writes it.
    ASSERT_EQ(S_OK, host.dialog->Apply());
    EXPECT_EQ(host.CodeAt(L"SystemUnitVolume", 2), host.Stored(L"SystemUnitVolume"));
}

TEST_F(PagesTest, EveryPageAndFactoryIsGoneWhenTheDialogCloses) {
    {
        CProfileHost host;
        ASSERT_EQ(S_OK, host.Open({&kSYSUNIT, &kCOMM, &kSENSOR}));
        ASSERT_EQ(S_OK, host.dialog->SelectPage(1));
        ASSERT_EQ(S_OK, host.dialog->SelectPage(2));
        EXPECT_EQ(S_FALSE, module.CanUnloadNow()) << "live pages lock the module";
        ASSERT_EQ(S_OK, host.dialog->Ok());
    }
    EXPECT_EQ(S_OK, module.CanUnloadNow());
}

} // namespace
