#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/CommCtrl.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;
constexpr int kId = 3001;

class TabControlTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        tab = Child(WC_TABCONTROLW, 0, kId, L"", RECT{0, 0, 300, 200});
    }
    LRESULT Insert(int index, const wchar_t* text, LPARAM param = 0) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<wchar_t*>(text);
        item.lParam = param;
        return SendMessageW(tab, TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    std::wstring Title(int index) {
        wchar_t buffer[64] = L"<none>";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 64;
        SendMessageW(tab, TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(tab, msg, wParam, lParam);
    }
    HWND tab = nullptr;
};

TEST_F(TabControlTest, ItemsAreInsertedReadChangedAndDeleted) {
    EXPECT_EQ(-1, Send(TCM_GETCURSEL));
    EXPECT_EQ(0, Insert(0, L"Totalizer 1"));
    EXPECT_EQ(0, Send(TCM_GETCURSEL));       // the first tab is selected
    EXPECT_EQ(1, Insert(5, L"Totalizer 3")); // past the end: appended
    EXPECT_EQ(1, Insert(1, L"Totalizer 2", 77));
    EXPECT_EQ(-1, Insert(-1, L"bad"));
    EXPECT_EQ(3, Send(TCM_GETITEMCOUNT));
    EXPECT_EQ(L"Totalizer 2", Title(1));
    EXPECT_EQ(L"Totalizer 3", Title(2));
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(Send(TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(77, item.lParam);
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Totalizer 2*");
    EXPECT_TRUE(Send(TCM_SETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(L"Totalizer 2*", Title(1));
    EXPECT_FALSE(Send(TCM_SETITEM, 3, reinterpret_cast<LPARAM>(&item)));
    // A short buffer gets what fits.
    wchar_t shortBuffer[4];
    item.pszText = shortBuffer;
    item.cchTextMax = 4;
    Send(TCM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(L"Tot", shortBuffer);
    EXPECT_EQ(0, Send(TCM_SETCURSEL, 2));
    EXPECT_TRUE(Send(TCM_DELETEITEM, 0));
    EXPECT_EQ(1, Send(TCM_GETCURSEL)); // follows its item
    EXPECT_TRUE(Send(TCM_DELETEITEM, 1));
    EXPECT_EQ(-1, Send(TCM_GETCURSEL));
    EXPECT_FALSE(Send(TCM_DELETEITEM, 1));
    EXPECT_EQ(-1, Send(TCM_SETCURSEL, 4));
}

TEST_F(TabControlTest, ItemRectanglesFollowTheTextWidthModel) {
    Insert(0, L"ab");
    Insert(1, L"abcd");
    struct Case {
        DWORD style;
        int index;
        RECT rect;
    };
    // 6 pixels a character plus 6 on each side; 18 high; 2 in from the edge; buttons
    // 3 apart; at the bottom of the 200-pixel client area with TCS_BOTTOM.
    const Case cases[] = {
        {0, 0, {2, 2, 26, 20}},
        {0, 1, {26, 2, 62, 20}},
        {TCS_BUTTONS, 1, {29, 2, 65, 20}},
        {TCS_BOTTOM, 0, {2, 180, 26, 198}},
    };
    for (const Case& c : cases) {
        SetWindowLongW(tab, GWL_STYLE, static_cast<LONG>(WS_CHILD | WS_VISIBLE | c.style));
        RECT r{};
        ASSERT_TRUE(Send(TCM_GETITEMRECT, static_cast<WPARAM>(c.index), reinterpret_cast<LPARAM>(&r)));
        EXPECT_EQ(c.rect.left, r.left) << c.style << "/" << c.index;
        EXPECT_EQ(c.rect.top, r.top) << c.style << "/" << c.index;
        EXPECT_EQ(c.rect.right, r.right) << c.style << "/" << c.index;
        EXPECT_EQ(c.rect.bottom, r.bottom) << c.style << "/" << c.index;
    }
    EXPECT_EQ(1, Send(TCM_GETROWCOUNT));
    EXPECT_FALSE(Send(TCM_GETITEMRECT, 2, 0));
}

TEST_F(TabControlTest, HitTestFindsTheItemUnderAPoint) {
    Insert(0, L"ab");
    Insert(1, L"abcd");
    struct Case {
        POINT pt;
        LRESULT item;
        UINT flags;
    };
    const Case cases[] = {{{2, 2}, 0, TCHT_ONITEM},     {{25, 19}, 0, TCHT_ONITEM},
                          {{26, 10}, 1, TCHT_ONITEM},   {{62, 10}, -1, TCHT_NOWHERE},
                          {{10, 20}, -1, TCHT_NOWHERE}, {{0, 0}, -1, TCHT_NOWHERE}};
    for (const Case& c : cases) {
        TCHITTESTINFO info{c.pt, 0};
        EXPECT_EQ(c.item, Send(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(c.flags, info.flags);
    }
}

TEST_F(TabControlTest, AdjustRectGoesBetweenWindowAndDisplayArea) {
    for (DWORD style : {DWORD{0}, TCS_BOTTOM}) {
        SetWindowLongW(tab, GWL_STYLE, static_cast<LONG>(WS_CHILD | style));
        RECT r{0, 0, 300, 200};
        Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(2, r.left);
        EXPECT_EQ(298, r.right);
        EXPECT_EQ(style ? 2 : 22, r.top);
        EXPECT_EQ(style ? 178 : 198, r.bottom);
        Send(TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        EXPECT_EQ(0, r.left);
        EXPECT_EQ(0, r.top);
        EXPECT_EQ(300, r.right);
        EXPECT_EQ(200, r.bottom);
    }
}

TEST_F(TabControlTest, AUserSwitchAsksTheParentThenAnnouncesIt) {
    Insert(0, L"One");
    Insert(1, L"Two");
    spy.Only({WM_NOTIFY});
    ASSERT_TRUE(CUserHand::Instance().ClickTab(tab, 1));
    const Seq expected = {{"parent", WM_NOTIFY, kId, TCN_SELCHANGING},
                          {"parent", WM_NOTIFY, kId, TCN_SELCHANGE}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(1, Send(TCM_GETCURSEL));
    // Clicking the selected tab changes nothing.
    spy.Clear();
    CUserHand::Instance().ClickTab(tab, 1);
    EXPECT_TRUE(spy.Log().empty());
    // A parent that refuses keeps the tab where it is.
    spy.RefuseTabSwitch(true);
    CUserHand::Instance().ClickTab(tab, 0);
    EXPECT_EQ((std::vector<UINT>{TCN_SELCHANGING}), spy.Codes(WM_NOTIFY));
    EXPECT_EQ(1, Send(TCM_GETCURSEL));
    spy.RefuseTabSwitch(false);
    // Arrow keys switch too; TCM_SETCURSEL says nothing.
    CUserHand::Instance().Focus(tab);
    spy.Clear();
    CUserHand::Instance().PressKey(VK_LEFT);
    EXPECT_EQ(0, Send(TCM_GETCURSEL));
    EXPECT_EQ(2u, spy.Log().size());
    spy.Clear();
    Send(TCM_SETCURSEL, 1);
    EXPECT_TRUE(spy.Log().empty());
}

TEST_F(TabControlTest, FocusOnButtonDownTakesTheFocusWithTheClick) {
    Insert(0, L"One");
    CUserHand::Instance().ClickTab(tab, 0);
    EXPECT_NE(tab, GetFocus());
    SetWindowLongW(tab, GWL_STYLE, static_cast<LONG>(WS_CHILD | WS_VISIBLE | TCS_FOCUSONBUTTONDOWN));
    CUserHand::Instance().ClickTab(tab, 0);
    EXPECT_EQ(tab, GetFocus());
}

TEST_F(TabControlTest, OwnerDrawnTabsAreDrawnByTheParentItemByItem) {
    SetWindowLongW(tab, GWL_STYLE, static_cast<LONG>(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED));
    Insert(0, L"One", 5);
    Insert(1, L"Two", 6);
    spy.Only({WM_DRAWITEM});
    UpdateWindow(tab);
    const Seq expected = {{"parent", WM_DRAWITEM, kId, 0}, {"parent", WM_DRAWITEM, kId, 0}};
    EXPECT_EQ(expected, spy.Log());
    spy.Clear();
    UpdateWindow(tab); // nothing changed since
    EXPECT_TRUE(spy.Log().empty());
}

class ToolTipTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, parent,
                              nullptr, nullptr, nullptr);
    }
    TTTOOLINFOW Tool(UINT_PTR id, const wchar_t* text) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = parent;
        info.uId = id;
        info.lpszText = const_cast<wchar_t*>(text);
        return info;
    }
    std::wstring TextOf(UINT_PTR id) {
        wchar_t buffer[80] = L"<none>";
        TTTOOLINFOW info = Tool(id, buffer);
        SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
        return buffer;
    }
    HWND tip = nullptr;
};

TEST_F(ToolTipTest, ToolsAreAddedUpdatedAndDeletedByWindowAndId) {
    ASSERT_TRUE(tip);
    EXPECT_EQ(parent, GetParent(tip)); // a popup answers its owner
    TTTOOLINFOW a = Tool(1, const_cast<wchar_t*>(L"Forced value"));
    TTTOOLINFOW b = Tool(2, LPSTR_TEXTCALLBACKW);
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&a)));
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&b)));
    EXPECT_FALSE(SendMessageW(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&a))); // already there
    EXPECT_EQ(2, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(L"Forced value", TextOf(1));
    a.lpszText = const_cast<wchar_t*>(L"Not forced");
    SendMessageW(tip, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(L"Not forced", TextOf(1));
    SendMessageW(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(L"", TextOf(1));
}

TEST_F(ToolTipTest, SettingsAnswerTheirPreviousValues) {
    EXPECT_EQ(-1, SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 300));
    EXPECT_EQ(300, SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 200));
    EXPECT_EQ(200, SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0));
    struct Case {
        WPARAM which;
        int value;
        int initial;
        int autoPop;
        int reshow;
    };
    const Case cases[] = {
        {TTDT_AUTOPOP, 30000, 500, 30000, 100},
        {TTDT_INITIAL, 50, 50, 30000, 100},
        {TTDT_AUTOMATIC, 200, 200, 2000, 40},
        {TTDT_AUTOMATIC, -1, 500, 5000, 100},
    };
    for (const Case& c : cases) {
        SendMessageW(tip, TTM_SETDELAYTIME, c.which, MAKELPARAM(static_cast<WORD>(c.value), 0));
        EXPECT_EQ(c.initial, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0))
            << c.which << " " << c.value;
        EXPECT_EQ(c.autoPop, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
        EXPECT_EQ(c.reshow, SendMessageW(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0));
    }
}

TEST_F(ToolTipTest, DestroyingTheOwnerTakesTheTipAlong) {
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(tip));
}

} // namespace
