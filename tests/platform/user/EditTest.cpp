#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;
constexpr int kId = 1001;

class EditTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        edit = Child(WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, kId);
        spy.Watch(edit, "edit");
        spy.Clear();
    }
    std::wstring Text() const {
        wchar_t buffer[256];
        GetWindowTextW(edit, buffer, 256);
        return buffer;
    }
    std::pair<DWORD, DWORD> Sel() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void SetSel(int start, int end) { SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), end); }
    void Set(const wchar_t* text, int start, int end) {
        SetWindowTextW(edit, text);
        SetSel(start, end);
        spy.Clear();
    }
    std::vector<UINT> Notifications() const { return spy.Codes(WM_COMMAND); }

    CUserHand& hand = CUserHand::Instance();
    HWND edit = nullptr;
};

TEST_F(EditTest, SelectionIsClampedOrderedAndMinusOneHasMeaning) {
    struct Case {
        int start;
        int end;
        DWORD from;
        DWORD to;
    };
    const Case cases[] = {
        {0, -1, 0, 5}, {2, 4, 2, 4}, {4, 2, 2, 4}, {3, 100, 3, 5}, {0, 0, 0, 0}, {5, 5, 5, 5}, {-1, 0, 5, 5},
    };
    SetWindowTextW(edit, L"Hello");
    for (const Case& c : cases) {
        if (c.start != -1)
            SetSel(0, 0);
        else
            SetSel(1, 5); // deselecting keeps the caret where it was (5)
        SetSel(c.start, c.end);
        EXPECT_EQ(std::make_pair(c.from, c.to), Sel()) << c.start << "," << c.end;
    }
    SetSel(1, 3);
    EXPECT_EQ(MAKELONG(1, 3), static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0)));
}

TEST_F(EditTest, TypedCharactersArriveAsKeyMessagesAndNotifyUpdateThenChange) {
    SetFocus(edit);
    spy.Clear();
    hand.Type(L"ab");
    const Seq expected = {
        {"edit", WM_KEYDOWN, 'A', 0},
        {"edit", WM_CHAR, 'a', 0},
        {"parent", WM_COMMAND, kId, EN_UPDATE},
        {"parent", WM_COMMAND, kId, EN_CHANGE},
        {"edit", WM_KEYUP, 'A', 0},
        {"edit", WM_KEYDOWN, 'B', 0},
        {"edit", WM_CHAR, 'b', 0},
        {"parent", WM_COMMAND, kId, EN_UPDATE},
        {"parent", WM_COMMAND, kId, EN_CHANGE},
        {"edit", WM_KEYUP, 'B', 0},
    };
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(L"ab", Text());
    EXPECT_EQ(std::make_pair(2u, 2u), Sel());
}

TEST_F(EditTest, TypingReplacesTheSelection) {
    Set(L"Hello", 1, 4);
    SetFocus(edit);
    hand.Type(L"A ü");
    EXPECT_EQ(L"HA üo", Text());
    EXPECT_EQ(std::make_pair(4u, 4u), Sel());
}

TEST_F(EditTest, SetTextNotifiesResetsSelectionAndForgetsUndo) {
    SetFocus(edit);
    hand.Type(L"x");
    spy.Clear();
    SetWindowTextW(edit, L"abc");
    EXPECT_EQ((std::vector<UINT>{EN_UPDATE, EN_CHANGE}), Notifications());
    EXPECT_EQ(std::make_pair(0u, 0u), Sel());
    EXPECT_FALSE(SendMessageW(edit, EM_CANUNDO, 0, 0));
}

TEST_F(EditTest, TheLimitRefusesTypingWithMaxTextButNotSetText) {
    EXPECT_EQ(32767, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(0x7FFFFFFE, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    SendMessageW(edit, EM_SETLIMITTEXT, 3, 0);
    EXPECT_EQ(3, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    SetFocus(edit);
    spy.Clear();
    spy.Only({WM_COMMAND});
    hand.Type(L"abcd");
    EXPECT_EQ(L"abc", Text());
    const std::vector<UINT> expected = {EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE,
                                        EN_UPDATE, EN_CHANGE, EN_MAXTEXT};
    EXPECT_EQ(expected, Notifications());
    // Typing over a selection makes room.
    SetSel(0, 1);
    hand.Type(L"z");
    EXPECT_EQ(L"zbc", Text());
    // The limit is for the user; WM_SETTEXT is not held to it.
    SetWindowTextW(edit, L"longer text");
    EXPECT_EQ(L"longer text", Text());
    // EM_REPLACESEL is: what does not fit is cut off, with EN_MAXTEXT first.
    Set(L"ab", 2, 2);
    spy.Only({WM_COMMAND});
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"xyz"));
    EXPECT_EQ(L"abx", Text());
    EXPECT_EQ((std::vector<UINT>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}), Notifications());
}

TEST_F(EditTest, ReplaceSelIsUndoableAndUndoOfUndoRedoes) {
    Set(L"Hello", 1, 4);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"EY"));
    EXPECT_EQ(L"HEYo", Text());
    EXPECT_EQ(std::make_pair(3u, 3u), Sel());
    EXPECT_TRUE(SendMessageW(edit, EM_CANUNDO, 0, 0));
    spy.Clear();
    EXPECT_TRUE(SendMessageW(edit, EM_UNDO, 0, 0));
    EXPECT_EQ(L"Hello", Text());
    EXPECT_EQ((std::vector<UINT>{EN_UPDATE, EN_CHANGE}), Notifications());
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(L"HEYo", Text());
    SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageW(edit, EM_CANUNDO, 0, 0));
    // A replacement that may not be undone leaves no undo behind.
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"!"));
    EXPECT_FALSE(SendMessageW(edit, EM_CANUNDO, 0, 0));
}

TEST_F(EditTest, ARunOfTypingIsUndoneAsOne) {
    Set(L"ab", 2, 2);
    SetFocus(edit);
    hand.Type(L"cde");
    hand.PressKey('Z', CUserHand::kCtrl);
    EXPECT_EQ(L"ab", Text());
    hand.Type(L"x");
    hand.PressKey(VK_LEFT);
    hand.Type(L"y");
    hand.PressKey('Z', CUserHand::kCtrl);
    EXPECT_EQ(L"abx", Text()); // moving the caret ended the first run
}

TEST_F(EditTest, BackspaceAndDeleteRemoveAroundTheCaret) {
    Set(L"abcd", 2, 2);
    SetFocus(edit);
    hand.PressKey(VK_BACK);
    EXPECT_EQ(L"acd", Text());
    hand.PressKey(VK_DELETE);
    EXPECT_EQ(L"ad", Text());
    hand.PressKey(VK_HOME);
    hand.PressKey(VK_BACK); // nothing before the caret
    EXPECT_EQ(L"ad", Text());
    hand.PressKey(VK_END, CUserHand::kShift);
    EXPECT_EQ(std::make_pair(0u, 2u), Sel());
    hand.PressKey(VK_BACK);
    EXPECT_EQ(L"", Text());
}

TEST_F(EditTest, PasteInsertsTheFirstLineOfTheClipboardAtTheSelection) {
    Set(L"abcd", 2, 2);
    SetFocus(edit);
    spy.Clear();
    spy.Only({WM_PASTE, WM_COMMAND});
    hand.Paste(L"xy\r\nz");
    const Seq expected = {{"edit", WM_PASTE, 0, 0},
                          {"parent", WM_COMMAND, kId, EN_UPDATE},
                          {"parent", WM_COMMAND, kId, EN_CHANGE}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(L"abxycd", Text());
    EXPECT_EQ(std::make_pair(4u, 4u), Sel());
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(L"abcd", Text());
    // Without text on the clipboard nothing happens.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"abcd", Text());
}

TEST_F(EditTest, CutAndCopyPutTheSelectionOnTheClipboard) {
    Set(L"Hello", 1, 4);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(L"Hello", Text());
    SetSel(0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"ellHello", Text());
    Set(L"Hello", 1, 4);
    SendMessageW(edit, WM_CUT, 0, 0);
    EXPECT_EQ(L"Ho", Text());
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"Hello", Text());
    Set(L"Hello", 0, 2);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(L"llo", Text());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow()); // closed again after each use
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeAUserCanMake) {
    Set(L"Hello", 1, 3);
    EXPECT_TRUE(SendMessageW(edit, EM_SETREADONLY, TRUE, 0));
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    SetFocus(edit);
    CUserHand::PutOnClipboard(L"zz");
    spy.Clear();
    spy.Only({WM_COMMAND});
    struct Action {
        const char* name;
        void (*act)(HWND);
    };
    const Action actions[] = {
        {"type", [](HWND) { CUserHand::Instance().Type(L"q"); }},
        {"backspace", [](HWND) { CUserHand::Instance().PressKey(VK_BACK); }},
        {"ctrl+v", [](HWND) { CUserHand::Instance().PressKey('V', CUserHand::kCtrl); }},
        {"paste", [](HWND h) { SendMessageW(h, WM_PASTE, 0, 0); }},
        {"cut", [](HWND h) { SendMessageW(h, WM_CUT, 0, 0); }},
        {"clear", [](HWND h) { SendMessageW(h, WM_CLEAR, 0, 0); }},
        {"delete", [](HWND) { CUserHand::Instance().PressKey(VK_DELETE); }},
    };
    for (const Action& a : actions) {
        SetSel(1, 3);
        a.act(edit);
        EXPECT_EQ(L"Hello", Text()) << a.name;
    }
    EXPECT_TRUE(spy.Log().empty());
    // Copying is still allowed: the cut above copied "el".
    SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
    EXPECT_FALSE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
    SetSel(0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(L"elHello", Text());
}

TEST_F(EditTest, FocusChangesNotifyKillFocusOfTheOldThenSetFocusOfTheNew) {
    HWND other = Child(WC_EDITW, 0, 1002);
    spy.Watch(other, "other");
    SetFocus(edit);
    spy.Clear();
    spy.Only({WM_COMMAND});
    CUserHand::Instance().Focus(other);
    const Seq expected = {{"parent", WM_COMMAND, kId, EN_KILLFOCUS},
                          {"parent", WM_COMMAND, 1002, EN_SETFOCUS}};
    EXPECT_EQ(expected, spy.Log());
}

TEST_F(EditTest, NumberStyleRefusesOtherCharactersWithABeep) {
    HWND number = Child(WC_EDITW, ES_NUMBER, 1003);
    SetFocus(number);
    CUserHand::Instance().Type(L"1a2");
    wchar_t buffer[8];
    GetWindowTextW(number, buffer, 8);
    EXPECT_STREQ(L"12", buffer);
    EXPECT_EQ(1u, CUserRecorder::Instance().Beeps().size());
}

} // namespace
