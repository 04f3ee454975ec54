#include <gtest/gtest.h>

#include <vector>

#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;

class ButtonStaticTest : public UserTest {};

TEST_F(ButtonStaticTest, BmClickPressesAndReleasesThenNotifiesTheParent) {
    HWND button = Child(WC_BUTTONW, BS_PUSHBUTTON, 10, L"Start");
    spy.Watch(button, "button");
    spy.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_COMMAND});
    SendMessageW(button, BM_CLICK, 0, 0);
    const Seq expected = {{"button", WM_LBUTTONDOWN, MK_LBUTTON, 0},
                          {"button", WM_LBUTTONUP, 0, 0},
                          {"parent", WM_COMMAND, 10, BN_CLICKED}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(button, GetFocus());
    EXPECT_EQ(0, SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
}

TEST_F(ButtonStaticTest, WaysOfClickingAndWhenNothingHappens) {
    HWND button = Child(WC_BUTTONW, BS_DEFPUSHBUTTON, 11, L"OK");
    struct Case {
        const char* name;
        bool enabled;
        bool visible;
        void (*act)(HWND);
        size_t clicks;
    };
    const Case cases[] = {
        {"hand", true, true, [](HWND b) { CUserHand::Instance().Click(b); }, 1},
        {"space bar", true, true,
         [](HWND b) {
             CUserHand::Instance().Focus(b);
             CUserHand::Instance().PressKey(VK_SPACE);
         },
         1},
        {"BM_CLICK", true, true, [](HWND b) { SendMessageW(b, BM_CLICK, 0, 0); }, 1},
        {"hand on disabled", false, true, [](HWND b) { CUserHand::Instance().Click(b); }, 0},
        {"BM_CLICK on disabled", false, true, [](HWND b) { SendMessageW(b, BM_CLICK, 0, 0); }, 0},
        {"hand on hidden", true, false, [](HWND b) { CUserHand::Instance().Click(b); }, 0},
    };
    for (const Case& c : cases) {
        EnableWindow(button, c.enabled);
        ShowWindow(button, c.visible ? SW_SHOW : SW_HIDE);
        spy.Clear();
        spy.Only({WM_COMMAND});
        c.act(button);
        EXPECT_EQ(c.clicks, spy.Log().size()) << c.name;
    }
}

TEST_F(ButtonStaticTest, DialogCodesTellDefaultFromOrdinaryButtons) {
    HWND ordinary = Child(WC_BUTTONW, BS_PUSHBUTTON, 1);
    HWND def = Child(WC_BUTTONW, BS_DEFPUSHBUTTON, 2);
    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, SendMessageW(ordinary, WM_GETDLGCODE, 0, 0));
    EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, SendMessageW(def, WM_GETDLGCODE, 0, 0));
    SendMessageW(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, SendMessageW(def, WM_GETDLGCODE, 0, 0));
    EXPECT_TRUE(GetWindowLongW(def, GWL_STYLE) & WS_CHILD);
}

TEST_F(ButtonStaticTest, StaticKeepsTextIconAndStyleBits) {
    HWND label = Child(WC_STATICW, SS_LEFT | SS_ENDELLIPSIS, 20, L"Flow rate");
    HWND icon = Child(WC_STATICW, SS_ICON, 21);
    wchar_t buffer[32];
    GetWindowTextW(label, buffer, 32);
    EXPECT_STREQ(L"Flow rate", buffer);
    EXPECT_TRUE(GetWindowLongW(label, GWL_STYLE) & SS_ENDELLIPSIS);
    const auto first = reinterpret_cast<HICON>(0x1000);
    const auto second = reinterpret_cast<HICON>(0x2000);
    EXPECT_EQ(0, SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(first), 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(first),
              SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(second), 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(second), SendMessageW(icon, STM_GETICON, 0, 0));
    const auto font = reinterpret_cast<HFONT>(0x3000);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), SendMessageW(label, WM_GETFONT, 0, 0));
}

} // namespace
