// The configuration combo box on the sensor page's template: its list from the
// display strings, its value loaded and saved, the user's picks by mouse and keyboard,
// the read-only style, the dropped list's size, and what an invalid binding does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/kernel/Clock.h"
#include "platform/user/Controls.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/resources/ResourceIds.h"
#include "profile/values/PVGetSetValue.h"
#include "tests/profile/controls/ControlPageSupport.h"

namespace {

// An enumeration value whose strings text, index and failures the test sets.
class CStubEnum : public CPVGetSetValue {
public:
    explicit CStubEnum(std::wstring strings, LONG index = 0)
        : CPVGetSetValue(L"StubMember"), strings(std::move(strings)), index(index) {}

    HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE, CPromptInfo*) override {
        if (failStrings)
            return E_FAIL;
        *text = strings.c_str();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetValue(LONG* value, CPromptInfo*) override {
        if (failRead)
            return E_FAIL;
        *value = index;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetValue(LONG value, CPromptInfo*) override {
        ++writes;
        if (failWrite)
            return E_FAIL;
        index = value;
        return S_OK;
    }
    using CPVGetSetValue::GetValue;
    using CPVGetSetValue::SetValue;

    std::wstring strings;
    LONG index;
    bool failStrings = false;
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;

protected:
    ~CStubEnum() override = default;
};

CComPtr<CStubEnum> Stub(const std::wstring& strings, LONG index = 0) {
    CComPtr<CStubEnum> stub;
    stub.Attach(new CStubEnum(strings, index));
    return stub;
}

int Selection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// The sensor page's template with one configuration combo box on item 9127.
struct ComboPage : PageOnHost {
    CPVCtrlConfigComboBox box{IDC_SENSOR_DIRECTION};

    ComboPage() : PageOnHost(IDD_SENSOR) {
        Add(&box);
        Create();
        Subclass(box, IDC_SENSOR_DIRECTION);
    }
    HWND Combo() const { return Item(IDC_SENSOR_DIRECTION); }
};

class ConfigComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClock::Instance().SetVirtual(true);
        CUserHand::Instance().Reset();
    }
};

TEST_F(ConfigComboBoxTest, TheListHoldsEveryPieceALineFeedEnds) {
    const struct {
        const char* name;
        std::wstring strings;
        std::vector<std::wstring> items;
    } cases[] = {
        {"final line feed", L"Forward\nReverse\n", {L"Forward", L"Reverse"}},
        {"no final line feed", L"Forward\nReverse", {L"Forward"}},
        {"empty", L"", {}},
        {"no line feed at all", L"Forward", {}},
        {"empty pieces", L"\n\nThird\n", {L"", L"", L"Third"}},
    };
    for (const auto& c : cases) {
        ComboPage page;
        EXPECT_EQ(S_OK, page.box.Initialize(Stub(L"", 0), Stub(c.strings))) << c.name;
        EXPECT_EQ(c.items, ComboItems(page.Combo())) << c.name;
    }
}

TEST_F(ConfigComboBoxTest, OnlyTheFirstValidInitializeBindsTheBox) {
    ComboPage page;
    CComPtr<CStubEnum> value = Stub(L"", 1);
    ASSERT_EQ(S_OK, page.box.Initialize(value, Stub(L"A\nB\n")));
    EXPECT_EQ(E_FAIL, page.box.Initialize(value, Stub(L"X\nY\nZ\n")));
    EXPECT_EQ((std::vector<std::wstring>{L"A", L"B"}), ComboItems(page.Combo()))
        << "the list was not filled again";
    EXPECT_EQ(S_OK, page.box.LoadValue()) << "the first binding still holds";
    EXPECT_EQ(1, Selection(page.Combo()));
}

TEST_F(ConfigComboBoxTest, AnInvalidBindingLeavesTheWindowAlone) {
    const struct {
        const char* name;
        bool value;
        bool strings;
    } cases[] = {{"no value", false, true}, {"no strings", true, false}, {"neither", false, false}};
    for (const auto& c : cases) {
        ComboPage page;
        SendMessageW(page.Combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Kept"));
        SendMessageW(page.Combo(), CB_SETCURSEL, 0, 0);
        CComPtr<CStubEnum> value = Stub(L"", 0);
        EXPECT_EQ(E_FAIL,
                  page.box.Initialize(c.value ? value.p() : nullptr, c.strings ? Stub(L"A\n").p() : nullptr))
            << c.name;
        EXPECT_EQ(E_FAIL, page.box.LoadValue()) << c.name;
        EXPECT_EQ(E_FAIL, page.box.SaveValue()) << c.name;
        EXPECT_EQ((std::vector<std::wstring>{L"Kept"}), ComboItems(page.Combo())) << c.name;
        EXPECT_EQ(0, Selection(page.Combo())) << c.name;
        EXPECT_EQ(0, value->writes) << c.name;
        EXPECT_EQ(E_FAIL, page.box.ValidationErrorHandler(0, nullptr, nullptr))
            << "an unbound box claims nothing";
    }
}

TEST_F(ConfigComboBoxTest, LoadingSelectsTheValueWithoutDirtyingAndAFailedReadKeepsTheSelection) {
    ComboPage page;
    CComPtr<CStubEnum> value = Stub(L"", 2);
    ASSERT_EQ(S_OK, page.box.Initialize(value, Stub(L"A\nB\nC\n")));
    EXPECT_EQ(S_OK, page.box.OnActivate());
    EXPECT_EQ(2, Selection(page.Combo()));
    EXPECT_FALSE(page.box.IsDirty());
    EXPECT_FALSE(page.parent->ProfileDirty());
    value->failRead = true;
    value->index = 0;
    EXPECT_EQ(E_FAIL, page.box.Refresh());
    EXPECT_EQ(2, Selection(page.Combo()));
}

TEST_F(ConfigComboBoxTest, AConfirmedNewPickDirtiesAndIsSavedOnceAndAFailedWriteStaysDirty) {
    ComboPage page;
    CComPtr<CStubEnum> value = Stub(L"", 0);
    ASSERT_EQ(S_OK, page.box.Initialize(value, Stub(L"A\nB\nC\n")));
    ASSERT_EQ(S_OK, page.box.OnActivate());
    CUserHand& hand = CUserHand::Instance();

    // Picking the shown item and a cancelled pick change nothing.
    ASSERT_TRUE(hand.PickComboItem(page.Combo(), 0, CUserHand::Pick::Mouse));
    EXPECT_TRUE(hand.PickComboItem(page.Combo(), 2, CUserHand::Pick::Cancel));
    EXPECT_EQ(0, Selection(page.Combo()));
    EXPECT_FALSE(page.box.IsDirty());
    EXPECT_EQ(S_OK, page.box.Save());
    EXPECT_EQ(0, value->writes);

    ASSERT_TRUE(hand.PickComboItem(page.Combo(), 2, CUserHand::Pick::Mouse));
    EXPECT_TRUE(page.box.IsDirty());
    EXPECT_TRUE(page.parent->ProfileDirty()) << "the page told the host";
    EXPECT_EQ(S_OK, page.box.Refresh()) << "a dirty box keeps the user's pick";
    EXPECT_EQ(2, Selection(page.Combo()));

    value->failWrite = true;
    EXPECT_EQ(E_FAIL, page.box.Save());
    EXPECT_TRUE(page.box.IsDirty());
    value->failWrite = false;
    EXPECT_EQ(S_OK, page.box.Flush());
    EXPECT_EQ(2, value->index);
    EXPECT_FALSE(page.box.IsDirty());
    EXPECT_EQ(S_OK, page.box.OnDeactivate());
    EXPECT_EQ(2, value->writes) << "a clean box writes nothing";
}

TEST_F(ConfigComboBoxTest, TheKeyboardOpensTheListAndTheSideArrowsDoNothing) {
    ComboPage page;
    CComPtr<CStubEnum> value = Stub(L"", 1);
    ASSERT_EQ(S_OK, page.box.Initialize(value, Stub(L"A\nB\nC\n")));
    ASSERT_EQ(S_OK, page.box.OnActivate());
    CUserHand& hand = CUserHand::Instance();
    ASSERT_TRUE(hand.Focus(page.Combo()));
    for (int vk : {VK_LEFT, VK_RIGHT}) {
        hand.PressKey(vk);
        EXPECT_EQ(1, Selection(page.Combo())) << vk;
        EXPECT_EQ(FALSE, SendMessageW(page.Combo(), CB_GETDROPPEDSTATE, 0, 0)) << vk;
    }
    // A step down first opens the list; the pick counts when Enter confirms it.
    hand.PressKey(VK_DOWN);
    EXPECT_EQ(TRUE, SendMessageW(page.Combo(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(2, Selection(page.Combo()));
    EXPECT_FALSE(page.box.IsDirty());
    hand.PressKey(VK_RETURN);
    EXPECT_EQ(FALSE, SendMessageW(page.Combo(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(2, Selection(page.Combo()));
    EXPECT_TRUE(page.box.IsDirty());
    // Escape puts the confirmed item back.
    hand.PressKey(VK_UP);
    EXPECT_EQ(1, Selection(page.Combo()));
    hand.PressKey(VK_ESCAPE);
    EXPECT_EQ(2, Selection(page.Combo()));
}

TEST_F(ConfigComboBoxTest, AReadOnlyBoxPutsEveryPickBack) {
    ComboPage page;
    CComPtr<CStubEnum> value = Stub(L"", 0);
    ASSERT_EQ(S_OK, page.box.Initialize(value, Stub(L"A\nB\nC\n")));
    ASSERT_EQ(S_OK, page.box.OnActivate());
    page.box.ModifyStyle(0, CPVCtrlConfigComboBox::kReadOnlyStyle);
    for (CUserHand::Pick how : {CUserHand::Pick::Mouse, CUserHand::Pick::Keyboard}) {
        CUserHand::Instance().PickComboItem(page.Combo(), 2, how);
        EXPECT_EQ(0, Selection(page.Combo()));
        EXPECT_FALSE(page.box.IsDirty());
    }
}

TEST_F(ConfigComboBoxTest, TheDroppedListFitsSixItemsAndTheWidestText) {
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const struct {
        const char* name;
        std::wstring strings;
        int shown;
    } cases[] = {
        {"two items", L"A\nB\n", 2},
        {"six items", L"1\n2\n3\n4\n5\n6\n", 6},
        {"ten items, one very long",
         L"1\n2\n3\n4\n5\n6\n7\n8\n9\nA process value with a name much wider than the box is\n", 6},
    };
    for (const auto& c : cases) {
        ComboPage page;
        ASSERT_EQ(S_OK, page.box.Initialize(Stub(L"", 0), Stub(c.strings)));
        RECT closed{};
        GetWindowRect(page.Combo(), &closed);
        RECT client{};
        GetClientRect(page.Combo(), &client);
        ASSERT_TRUE(CUserHand::Instance().PickComboItem(page.Combo(), 0, CUserHand::Pick::Cancel));
        const int itemHeight = static_cast<int>(SendMessageW(page.Combo(), CB_GETITEMHEIGHT, 0, 0));
        RECT dropped{};
        SendMessageW(page.Combo(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        EXPECT_EQ(2 * edgeY + 2 + itemHeight * c.shown,
                  (dropped.bottom - dropped.top) - (closed.bottom - closed.top))
            << c.name;
        // The widest text in the box's font, plus the list's frame.
        HDC dc = GetDC(page.Combo());
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(page.Combo(), WM_GETFONT, 0, 0)));
        int widest = 0;
        for (const std::wstring& item : ComboItems(page.Combo())) {
            SIZE size{};
            GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
            widest = std::max<int>(widest, size.cx);
        }
        SelectObject(dc, old);
        ReleaseDC(page.Combo(), dc);
        // The template gives the box a vertical scroll bar, which the list makes room for.
        const LONG_PTR style = GetWindowLongPtrW(page.Combo(), GWL_STYLE);
        ASSERT_TRUE(style & WS_VSCROLL);
        EXPECT_EQ(std::max<int>(widest + 2 * (edgeX + 1), client.right - client.left) +
                      GetSystemMetrics(SM_CXVSCROLL),
                  SendMessageW(page.Combo(), CB_GETDROPPEDWIDTH, 0, 0))
            << c.name;
    }
}

} // namespace
