#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/user/MessagePump.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowDump.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;

class UserHandTest : public UserTest {
protected:
    CUserHand& hand = CUserHand::Instance();
};

// Key state as a window procedure sees it while handling a character.
std::vector<std::pair<wchar_t, int>> g_seen;
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK KeyStateSpy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR || msg == WM_SYSCHAR) {
        const int state = ((GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0) |
                          ((GetKeyState(VK_SHIFT) & 0x8000) ? 2 : 0) |
                          ((GetKeyState(VK_MENU) & 0x8000) ? 4 : 0);
        g_seen.emplace_back(static_cast<wchar_t>(wParam), msg == WM_SYSCHAR ? state | 8 : state);
    }
    return CallWindowProcW(g_editProc, hwnd, msg, wParam, lParam);
}

TEST_F(UserHandTest, ModifiersAreSeenByGetKeyStateWhileTheCharacterIsHandled) {
    HWND edit = Child(WC_EDITW, 0, 1);
    g_editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyStateSpy)));
    g_seen.clear();
    hand.Focus(edit);
    hand.Type(L"aB");
    hand.PressKey('C', CUserHand::kCtrl);
    hand.PressKey('X', CUserHand::kAlt);
    hand.PressKey('Q', CUserHand::kCtrl | CUserHand::kAlt);
    // Alt alone makes system characters; Ctrl+Alt is AltGr, which gives nothing here.
    const std::vector<std::pair<wchar_t, int>> expected = {
        {L'a', 0}, {L'B', 2}, {wchar_t(3), 1}, {L'x', 4 | 8}};
    EXPECT_EQ(expected, g_seen);
    EXPECT_EQ(0, GetKeyState(VK_CONTROL) & 0x8000); // everything released afterwards
    EXPECT_EQ(0, GetKeyState(VK_MENU) & 0x8000);
}

TEST_F(UserHandTest, ThePreTranslateHookSeesInputFirstAndMaySwallowIt) {
    HWND edit = Child(WC_EDITW, 0, 1);
    hand.Focus(edit);
    std::vector<UINT> seen;
    CMessagePump::Instance().SetPreTranslateHook([&](MSG& msg) {
        seen.push_back(msg.message);
        return msg.message == WM_KEYDOWN && msg.wParam == 'B'; // swallow B before it becomes a character
    });
    hand.Type(L"ab");
    wchar_t buffer[8];
    GetWindowTextW(edit, buffer, 8);
    EXPECT_STREQ(L"a", buffer);
    const std::vector<UINT> expected = {WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
    EXPECT_EQ(expected, seen);
}

TEST_F(UserHandTest, PumpingStopsAtQuit) {
    PostMessageW(parent, WM_USER, 0, 0);
    PostQuitMessage(4);
    CMessagePump::Instance().Pump();
    EXPECT_TRUE(CMessagePump::Instance().QuitReceived());
    EXPECT_EQ(4, CMessagePump::Instance().QuitCode());
}

TEST_F(UserHandTest, KeyboardInputGoesToTheFocusWhenItIsTakenOut) {
    HWND a = Child(WC_EDITW, 0, 1);
    HWND b = Child(WC_EDITW, 0, 2);
    hand.Focus(a);
    hand.Type(L"1");
    hand.Focus(b);
    hand.Type(L"2");
    wchar_t buffer[8];
    GetWindowTextW(a, buffer, 8);
    EXPECT_STREQ(L"1", buffer);
    GetWindowTextW(b, buffer, 8);
    EXPECT_STREQ(L"2", buffer);
}

TEST_F(UserHandTest, TheDumpShowsTheTreeWithControlState) {
    SetWindowTextW(parent, L"Units");
    HWND edit = Child(WC_EDITW, ES_READONLY, 1001, L"12.5", RECT{10, 10, 110, 30});
    HWND combo = Child(WC_COMBOBOXW, CBS_DROPDOWNLIST, 1002, L"", RECT{10, 40, 110, 140});
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"m³/h"));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"l/s"));
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    HWND tab = Child(WC_TABCONTROLW, TCS_BUTTONS, 1003, L"", RECT{0, 150, 200, 250});
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"One");
    SendMessageW(tab, TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    EnableWindow(tab, FALSE);
    SendMessageW(edit, EM_SETSEL, 1, 3);
    hand.Focus(edit);
    spy.Clear();

    const nlohmann::json tree = CWindowDump::Json(parent);
    EXPECT_TRUE(spy.Log().empty()); // dumping sends nothing
    EXPECT_EQ("SpyParent", tree["class"]);
    EXPECT_EQ("Units", tree["text"]);
    ASSERT_EQ(3u, tree["children"].size());
    const auto& e = tree["children"][0];
    EXPECT_EQ("Edit", e["class"]);
    EXPECT_EQ(1001, e["id"]);
    EXPECT_EQ("12.5", e["text"]);
    EXPECT_EQ((std::vector<std::string>{"WS_CHILD", "WS_VISIBLE", "ES_READONLY"}),
              e["styles"].get<std::vector<std::string>>());
    EXPECT_EQ((std::vector<int>{1, 3}), e["state"]["selection"].get<std::vector<int>>());
    EXPECT_EQ((std::vector<int>{110, 110, 210, 130}), e["rect"].get<std::vector<int>>());
    EXPECT_TRUE(e["focused"]);
    const auto& c = tree["children"][1];
    EXPECT_EQ("l/s", c["text"]);
    EXPECT_EQ((std::vector<std::string>{"m³/h", "l/s"}), c["state"]["items"].get<std::vector<std::string>>());
    EXPECT_EQ(1, c["state"]["selection"]);
    EXPECT_FALSE(c["state"]["dropped"]);
    const auto& t = tree["children"][2];
    EXPECT_FALSE(t["enabled"]);
    EXPECT_EQ(0, t["state"]["selection"]);

    const std::string text = CWindowDump::Text(parent);
    const std::string expected =
        "SpyParent \"Units\" WS_POPUP WS_VISIBLE (100,100)-(500,400)\n"
        "  Edit #1001 \"12.5\" WS_CHILD WS_VISIBLE ES_READONLY focused (110,110)-(210,130) canUndo=false "
        "limit=32767 readOnly=true selection=[1,3] text=\"12.5\"\n"
        "  ComboBox #1002 \"l/s\" WS_CHILD WS_VISIBLE CBS_DROPDOWNLIST (110,140)-(210,161) dropped=false "
        "items=[\"m³/h\",\"l/s\"] selection=1\n"
        "  SysTabControl32 #1003 \"\" WS_CHILD WS_VISIBLE WS_DISABLED TCS_BUTTONS disabled "
        "(100,250)-(300,350) "
        "items=[\"One\"] selection=0\n";
    EXPECT_EQ(expected, text);
}

TEST_F(UserHandTest, ADumpOfEverythingListsEachTopLevelWindow) {
    HWND other = CreateWindowExW(0, L"SpyParent", L"Second", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(other);
    const nlohmann::json all = CWindowDump::Json();
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ("parent", all[0]["text"]);
    EXPECT_EQ("Second", all[1]["text"]);
    EXPECT_FALSE(all[1]["visible"]);
}

} // namespace
