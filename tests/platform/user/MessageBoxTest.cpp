// MessageBoxW as a dialog: its buttons by type, the default button, Enter, Escape and
// Close as Windows documents them, and its layout; acted on through the user's hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageSpy.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/StockIcons.h"
#include "platform/hand/UserHand.h"
#include "platform/user/Controls.h"
#include "platform/user/MessageBoxDialog.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"

namespace {

class MessageBoxTest : public UserTest {
protected:
    void TearDown() override {
        hand.Reset();
        UserTest::TearDown();
    }

    // Opens a box of this type; in it, records its buttons and the focus, then does `act`.
    int Show(UINT type, std::function<void(HWND)> act) {
        hand.WhenNextDialogOpens([this, act](HWND box) {
            seen.clear();
            focused = GetDlgCtrlID(GetFocus());
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (GetDlgCtrlID(child) < CMessageBoxDialog::kIconId)
                    seen.push_back(GetDlgCtrlID(child));
            act(box);
        });
        return MessageBoxW(parent, L"Apply the changes?", L"Profile", type);
    }

    CUserHand& hand = CUserHand::Instance();
    std::vector<int> seen;
    int focused = 0;
};

struct TypeCase {
    UINT type;
    std::vector<int> buttons;
    int enter;  // the default button
    int escape; // 0: Escape and Close do nothing, and nobody else answers
};

TEST_F(MessageBoxTest, ButtonsDefaultEnterEscapeAndCloseFollowTheType) {
    const TypeCase cases[] = {
        {MB_OK, {IDOK}, IDOK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, 0},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDYES, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0}, // past the last: the first
        {MB_RETRYCANCEL | MB_DEFBUTTON2, {IDRETRY, IDCANCEL}, IDCANCEL, IDCANCEL},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON4, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL, IDCANCEL},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type);
        EXPECT_EQ(c.enter, Show(c.type, [this](HWND) { hand.PressKey(VK_RETURN); }));
        EXPECT_EQ(c.buttons, seen);
        EXPECT_EQ(c.enter, focused);
        EXPECT_TRUE(IsWindowEnabled(parent));
        EXPECT_EQ(c.escape, Show(c.type, [this](HWND) { hand.PressKey(VK_ESCAPE); }));
        if (!c.escape) {
            EXPECT_EQ(static_cast<DWORD>(ERROR_TIMEOUT), GetLastError());
        }
        EXPECT_EQ(c.escape, Show(c.type, [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); }));
    }
    EXPECT_EQ(nullptr, GetWindow(parent, GW_HWNDNEXT)) << "no box is left behind";
}

TEST_F(MessageBoxTest, TextIconAndButtonsAreLaidOutAndTheBoxIsRecorded) {
    RECT text{}, icon{}, yes{}, no{}, client{};
    HICON shown = nullptr;
    MoveWindow(parent, 100, 100, 600, 400, FALSE);
    hand.WhenNextDialogOpens([&](HWND box) {
        const auto at = [box](int id, RECT* r) {
            GetWindowRect(GetDlgItem(box, id), r);
            MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(r), 2);
        };
        at(CMessageBoxDialog::kTextId, &text);
        at(CMessageBoxDialog::kIconId, &icon);
        at(IDYES, &yes);
        at(IDNO, &no);
        GetClientRect(box, &client);
        shown = reinterpret_cast<HICON>(SendDlgItemMessageW(box, CMessageBoxDialog::kIconId, STM_GETICON, 0, 0));
        RECT outer{};
        GetWindowRect(box, &outer);
        EXPECT_EQ(800, outer.left + outer.right) << "centred on its owner";
        hand.Click(GetDlgItem(box, IDNO));
    });
    EXPECT_EQ(IDNO, MessageBoxW(parent, L"Save?", nullptr, MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(32515, StockIconId(shown));
    EXPECT_EQ((std::vector<LONG>{11, 11, 43, 43}), (std::vector<LONG>{icon.left, icon.top, icon.right, icon.bottom}));
    EXPECT_EQ(54, text.left);
    EXPECT_EQ(11 + (32 - (text.bottom - text.top)) / 2, text.top) << "one line, centred on the icon";
    EXPECT_EQ((std::vector<LONG>{57, 75, 80}), (std::vector<LONG>{yes.top, yes.right - yes.left, yes.bottom}));
    EXPECT_EQ(yes.right + 6, no.left);
    EXPECT_EQ(client.right - no.right, yes.left) << "the row is centred";
    EXPECT_EQ(91, client.bottom);
    const CUserRecorder::MessageBoxRecord& record = CUserRecorder::Instance().MessageBoxes().back();
    EXPECT_EQ(L"Error", record.caption);
    EXPECT_EQ(IDNO, record.answer);
    EXPECT_TRUE(record.answered);
}

TEST_F(MessageBoxTest, WithNothingArmedTheBoxAnswersZeroAtOnceWithoutAWindow) {
    SetTimer(parent, 1, 100, nullptr); // a pending timer makes no box wait
    SetLastError(0);
    EXPECT_EQ(0, MessageBoxW(parent, L"Nobody is there", L"Profile", MB_OKCANCEL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_TIMEOUT), GetLastError());
    EXPECT_FALSE(CUserRecorder::Instance().MessageBoxes().back().answered);
    // A type without a button set is refused.
    EXPECT_EQ(0, MessageBoxW(parent, L"?", L"Profile", 0x0F));
    EXPECT_EQ(1438u, GetLastError());
    KillTimer(parent, 1);
}

} // namespace
