#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;
using Pick = CUserHand::Pick;
constexpr int kId = 2001;

class ComboBoxTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        combo = Child(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP, kId, L"", RECT{10, 10, 110, 210});
        for (const wchar_t* item : {L"Litre", L"Gallon", L"Cubic metre"})
            Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        spy.Clear();
        spy.Only({WM_COMMAND});
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(combo, msg, wParam, lParam);
    }
    std::wstring ItemText(int index) {
        wchar_t buffer[64] = L"<none>";
        Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    std::wstring Text() {
        wchar_t buffer[64];
        GetWindowTextW(combo, buffer, 64);
        return buffer;
    }

    CUserHand& hand = CUserHand::Instance();
    HWND combo = nullptr;
};

TEST_F(ComboBoxTest, ItemsAreAddedInsertedAndDeletedByIndex) {
    struct Case {
        UINT msg;
        WPARAM wParam;
        const wchar_t* text;
        LRESULT result;
    };
    const Case cases[] = {
        {CB_ADDSTRING, 0, L"Barrel", 3},
        {CB_INSERTSTRING, 1, L"Pint", 1},
        {CB_INSERTSTRING, static_cast<WPARAM>(-1), L"Quart", 5},
        {CB_INSERTSTRING, 9, L"Far", CB_ERR},
        {CB_GETCOUNT, 0, nullptr, 6},
        {CB_DELETESTRING, 0, nullptr, 5},
        {CB_DELETESTRING, 5, nullptr, CB_ERR},
        {CB_GETLBTEXTLEN, 0, nullptr, 4},
        {CB_GETLBTEXTLEN, 7, nullptr, CB_ERR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, Send(c.msg, c.wParam, reinterpret_cast<LPARAM>(c.text))) << std::hex << c.msg;
    const std::vector<std::wstring> expected = {L"Pint", L"Gallon", L"Cubic metre", L"Barrel", L"Quart"};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], ItemText(static_cast<int>(i)));
    EXPECT_EQ(CB_ERR, Send(CB_GETLBTEXT, 5, 0));
    EXPECT_EQ(CB_OKAY, Send(CB_RESETCONTENT));
    EXPECT_EQ(0, Send(CB_GETCOUNT));
    EXPECT_TRUE(spy.Log().empty()); // none of this is announced
}

TEST_F(ComboBoxTest, SortedBoxesPlaceNewItemsInOrder) {
    HWND sorted = Child(WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_SORT, 2002);
    for (const wchar_t* item : {L"b", L"C", L"a"})
        SendMessageW(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(
        1, SendMessageW(sorted, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"b")));
    EXPECT_EQ(
        2, SendMessageW(sorted, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"c")));
}

TEST_F(ComboBoxTest, FindStringExactSearchesAfterTheStartWithoutCase) {
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"litre"));
    struct Case {
        int start;
        const wchar_t* text;
        LRESULT found;
    };
    const Case cases[] = {
        {-1, L"LITRE", 0}, {0, L"Litre", 3},      {3, L"litre", 0},
        {1, L"gallon", 1}, {-1, L"Litr", CB_ERR}, {99, L"Gallon", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found,
                  Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)))
            << c.start;
}

TEST_F(ComboBoxTest, SelectionFollowsInsertsAndDeletesAndSetsTheText) {
    EXPECT_EQ(-1, Send(CB_GETCURSEL));
    EXPECT_EQ(1, Send(CB_SETCURSEL, 1));
    EXPECT_EQ(L"Gallon", Text());
    EXPECT_EQ(6, GetWindowTextLengthW(combo));
    Send(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"Pint"));
    EXPECT_EQ(2, Send(CB_GETCURSEL));
    Send(CB_DELETESTRING, 0);
    EXPECT_EQ(1, Send(CB_GETCURSEL));
    Send(CB_DELETESTRING, 1);
    EXPECT_EQ(-1, Send(CB_GETCURSEL));
    EXPECT_EQ(L"", Text());
    EXPECT_EQ(1, Send(CB_SETCURSEL, 1));
    EXPECT_EQ(CB_ERR, Send(CB_SETCURSEL, static_cast<WPARAM>(-1)));
    EXPECT_EQ(-1, Send(CB_GETCURSEL));
    EXPECT_EQ(CB_ERR, Send(CB_SETCURSEL, 7));
    EXPECT_TRUE(spy.Log().empty()); // CB_SETCURSEL notifies nobody
}

TEST_F(ComboBoxTest, ItemDataIsKeptPerItem) {
    EXPECT_TRUE(Send(CB_SETITEMDATA, 2, 0xBEEF));
    EXPECT_EQ(0xBEEF, Send(CB_GETITEMDATA, 2));
    EXPECT_EQ(0, Send(CB_GETITEMDATA, 0));
    EXPECT_EQ(CB_ERR, Send(CB_SETITEMDATA, 3, 1));
    EXPECT_EQ(CB_ERR, Send(CB_GETITEMDATA, 3));
    Send(CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(0xBEEF, Send(CB_GETITEMDATA, 3)); // the data moves with its item
}

// Where these orders come from, as Windows documents the CBN_ notifications of a
// drop-down list: CBN_DROPDOWN is sent when the list is about to be made visible;
// CBN_SELENDOK "is sent immediately before every CBN_SELCHANGE" when the keyboard
// changes the selection of a closed list; with the mouse the open list follows the
// pressed button (CBN_SELCHANGE), the release confirms (CBN_SELENDOK) and the list
// closes (CBN_CLOSEUP, "sent when the list box has been closed"; the documentation
// allows CBN_SELCHANGE on either side of it, we keep the tracking order); a cancelled
// pick (a click beside the list, Escape, the focus leaving) sends CBN_SELENDCANCEL
// before CBN_CLOSEUP.
TEST_F(ComboBoxTest, AMousePickNotifiesInWindowsOrder) {
    ASSERT_TRUE(hand.PickComboItem(combo, 2, Pick::Mouse));
    const std::vector<UINT> expected = {CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP};
    EXPECT_EQ(expected, spy.Codes(WM_COMMAND));
    for (const SpyEntry& e : spy.Log())
        EXPECT_EQ(static_cast<WPARAM>(kId), e.wParam);
    EXPECT_EQ(2, Send(CB_GETCURSEL));
    EXPECT_EQ(L"Cubic metre", Text());
    EXPECT_FALSE(Send(CB_GETDROPPEDSTATE));
    // Picking the selected item again changes nothing, so nothing says it changed.
    spy.Clear();
    hand.PickComboItem(combo, 2, Pick::Mouse);
    EXPECT_EQ((std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}), spy.Codes(WM_COMMAND));
}

TEST_F(ComboBoxTest, ACancelledPickLeavesTheSelection) {
    Send(CB_SETCURSEL, 1);
    SetFocus(combo);
    spy.Clear();
    ASSERT_TRUE(hand.PickComboItem(combo, 0, Pick::Cancel));
    EXPECT_EQ((std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}), spy.Codes(WM_COMMAND));
    EXPECT_EQ(1, Send(CB_GETCURSEL));
    EXPECT_FALSE(Send(CB_GETDROPPEDSTATE));
}

TEST_F(ComboBoxTest, KeyboardStepsOnAClosedListConfirmThenChange) {
    SetFocus(combo);
    spy.Clear();
    ASSERT_TRUE(hand.PickComboItem(combo, 1, Pick::Keyboard));
    const std::vector<UINT> twoSteps = {CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE};
    EXPECT_EQ(twoSteps, spy.Codes(WM_COMMAND));
    spy.Clear();
    hand.PressKey(VK_END);
    EXPECT_EQ(2, Send(CB_GETCURSEL));
    hand.PressKey(VK_DOWN); // already last: no change, no notification
    EXPECT_EQ((std::vector<UINT>{CBN_SELENDOK, CBN_SELCHANGE}), spy.Codes(WM_COMMAND));
}

TEST_F(ComboBoxTest, TheKeyboardOpensPicksAndCancelsTheList) {
    Send(CB_SETCURSEL, 0);
    SetFocus(combo);
    spy.Clear();
    hand.PressKey(VK_F4);
    hand.PressKey(VK_DOWN);
    hand.PressKey(VK_RETURN);
    EXPECT_EQ((std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}),
              spy.Codes(WM_COMMAND));
    EXPECT_EQ(1, Send(CB_GETCURSEL));
    spy.Clear();
    hand.PressKey(VK_DOWN, CUserHand::kAlt);
    EXPECT_TRUE(Send(CB_GETDROPPEDSTATE));
    hand.PressKey(VK_DOWN);
    hand.PressKey(VK_ESCAPE);
    EXPECT_EQ((std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP}),
              spy.Codes(WM_COMMAND));
    EXPECT_EQ(1, Send(CB_GETCURSEL)); // cancelling went back to the selection the list opened with
}

TEST_F(ComboBoxTest, LosingTheFocusClosesAnOpenListFirst) {
    HWND other = Child(WC_EDITW, 0, 2003);
    SetFocus(combo);
    Send(CB_SHOWDROPDOWN, TRUE);
    spy.Clear();
    SetFocus(other);
    const std::vector<UINT> expected = {CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS, EN_SETFOCUS};
    EXPECT_EQ(expected, spy.Codes(WM_COMMAND));
}

WNDPROC g_parentProc = nullptr;
LRESULT CALLBACK DestroyOnSelEndOk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(g_parentProc, hwnd, msg, wParam, lParam);
    if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELENDOK)
        DestroyWindow(reinterpret_cast<HWND>(lParam));
    return result;
}

TEST_F(ComboBoxTest, AParentMayDestroyTheBoxWhileItNotifies) {
    g_parentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyOnSelEndOk)));
    hand.PickComboItem(combo, 1, Pick::Mouse);
    EXPECT_FALSE(IsWindow(combo));
    // Nothing is said by a box that is gone.
    EXPECT_EQ((std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK}),
              spy.Codes(WM_COMMAND));
    EXPECT_EQ(nullptr, GetFocus());
}

TEST_F(ComboBoxTest, ShowDropDownOpensAndClosesTheList) {
    EXPECT_TRUE(Send(CB_SHOWDROPDOWN, TRUE));
    EXPECT_TRUE(Send(CB_GETDROPPEDSTATE));
    Send(CB_SHOWDROPDOWN, TRUE); // already open: nothing more
    Send(CB_SHOWDROPDOWN, FALSE);
    EXPECT_FALSE(Send(CB_GETDROPPEDSTATE));
    EXPECT_EQ((std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}), spy.Codes(WM_COMMAND));
}

TEST_F(ComboBoxTest, TheClosedBoxIsAsHighAsItsFieldAndTheListKeepsTheRest) {
    RECT rect{};
    GetWindowRect(combo, &rect);
    EXPECT_EQ(21, rect.bottom - rect.top);
    EXPECT_EQ(100, rect.right - rect.left);
    RECT dropped{};
    ASSERT_TRUE(Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)));
    EXPECT_EQ(rect.left, dropped.left);
    EXPECT_EQ(rect.top, dropped.top);
    EXPECT_EQ(rect.top + 200, dropped.bottom);
    // Resizing sets the list's height; the box stays as high as its field.
    MoveWindow(combo, 10, 10, 120, 150, TRUE);
    GetWindowRect(combo, &rect);
    EXPECT_EQ(21, rect.bottom - rect.top);
    Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(rect.top + 150, dropped.bottom);
}

TEST_F(ComboBoxTest, ItemHeightsAndDroppedWidth) {
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    };
    const Case cases[] = {
        {CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0, 15},
        {CB_GETITEMHEIGHT, 0, 0, 13},
        {CB_SETITEMHEIGHT, 0, 20, CB_OKAY},
        {CB_GETITEMHEIGHT, 0, 0, 20},
        {CB_SETITEMHEIGHT, 0, 0, CB_ERR},
        {CB_SETITEMHEIGHT, 0, 256, CB_ERR},
        {CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 18, CB_OKAY},
        {CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0, 18},
        {CB_GETDROPPEDWIDTH, 0, 0, 100},
        {CB_SETDROPPEDWIDTH, 50, 0, 100},
        {CB_SETDROPPEDWIDTH, 150, 0, 150},
        {CB_GETDROPPEDWIDTH, 0, 0, 150},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, Send(c.msg, c.wParam, c.lParam)) << std::hex << c.msg << " " << c.lParam;
    RECT rect{};
    GetWindowRect(combo, &rect);
    EXPECT_EQ(24, rect.bottom - rect.top); // the field grew
}

} // namespace
