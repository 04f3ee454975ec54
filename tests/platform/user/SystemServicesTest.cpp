#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/GlobalMemory.h"
#include "platform/hand/UserHand.h"
#include "platform/user/SystemMenu.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

class SystemServicesTest : public UserTest {
protected:
    HGLOBAL Text(const wchar_t* text) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (std::wcslen(text) + 1) * sizeof(wchar_t));
        std::wmemcpy(static_cast<wchar_t*>(GlobalLock(mem)), text, std::wcslen(text) + 1);
        GlobalUnlock(mem);
        return mem;
    }
    std::wstring ClipboardText() {
        if (!OpenClipboard(nullptr))
            return L"<cannot open>";
        std::wstring text = L"<none>";
        if (HANDLE mem = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(mem));
            GlobalUnlock(mem);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(SystemServicesTest, ClipboardCallsNeedItOpen) {
    struct Case {
        const char* call;
        bool ok;
    };
    SetLastError(0);
    const Case closed[] = {
        {"EmptyClipboard", EmptyClipboard() != FALSE},
        {"SetClipboardData", SetClipboardData(CF_UNICODETEXT, nullptr) != nullptr},
        {"GetClipboardData", GetClipboardData(CF_UNICODETEXT) != nullptr},
        {"CloseClipboard", CloseClipboard() != FALSE},
    };
    for (const Case& c : closed) {
        EXPECT_FALSE(c.ok) << c.call;
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN), GetLastError());
}

TEST_F(SystemServicesTest, OneWindowHoldsTheClipboardOpenAtATime) {
    HWND other =
        CreateWindowExW(0, L"SpyParent", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(parent));
    EXPECT_EQ(parent, GetOpenClipboardWindow());
    EXPECT_TRUE(OpenClipboard(parent)); // the same window may open it again
    EXPECT_FALSE(OpenClipboard(other));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    EXPECT_TRUE(OpenClipboard(other));
    EXPECT_TRUE(CloseClipboard());
}

TEST_F(SystemServicesTest, TextPutOnTheClipboardComesBackUntilEmptied) {
    ASSERT_TRUE(OpenClipboard(parent));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL mem = Text(L"Grüße");
    EXPECT_EQ(mem, SetClipboardData(CF_UNICODETEXT, mem));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)); // needs no open clipboard
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(L"Grüße", ClipboardText());
    // Emptying frees what the clipboard owned.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(0u, GlobalSize(mem));
}

TEST_F(SystemServicesTest, OpenClipboardCanBeMadeToFail) {
    CFaultInjector::Instance().Inject("OpenClipboard", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(OpenClipboard(parent));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(OpenClipboard(parent));
    CloseClipboard();
    CFaultInjector::Instance().ClearAll();
}

TEST_F(SystemServicesTest, GlobalMemoryLocksMoveableBlocksAndCountsLocks) {
    HGLOBAL moveable = GlobalAlloc(GHND, 10);
    ASSERT_TRUE(moveable);
    EXPECT_EQ(10u, GlobalSize(moveable));
    auto* bytes = static_cast<BYTE*>(GlobalLock(moveable));
    ASSERT_TRUE(bytes);
    EXPECT_NE(static_cast<void*>(bytes), moveable); // a moveable handle is not an address
    EXPECT_EQ(0, bytes[9]);                         // zero-initialised
    EXPECT_EQ(bytes, GlobalLock(moveable));
    EXPECT_TRUE(GlobalUnlock(moveable)); // still locked once
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_LOCKED), GetLastError());
    EXPECT_EQ(nullptr, GlobalFree(moveable));
    EXPECT_EQ(nullptr, GlobalLock(moveable));
    EXPECT_EQ(moveable, GlobalFree(moveable)); // a second free fails and answers the handle

    HGLOBAL fixed = GlobalAlloc(GPTR, 4);
    EXPECT_EQ(fixed, GlobalLock(fixed));
    GlobalFree(fixed);
}

TEST_F(SystemServicesTest, MessageBoxesTakePreparedAnswersInOrderAndNeverWait) {
    CUserHand::Instance().AnswerNextMessageBox(IDYES);
    CUserHand::Instance().AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(IDYES, MessageBoxW(parent, L"Save?", L"Profile", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDCANCEL, MessageBoxW(nullptr, L"Really?", nullptr, MB_OKCANCEL));
    EXPECT_EQ(0, MessageBoxW(parent, L"Nobody answers", L"Profile", MB_OK));
    const auto& boxes = CUserRecorder::Instance().MessageBoxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(L"Save?", boxes[0].text);
    EXPECT_EQ(L"Profile", boxes[0].caption);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, boxes[0].type);
    EXPECT_EQ(parent, boxes[0].owner);
    EXPECT_TRUE(boxes[0].answered);
    EXPECT_EQ(L"Error", boxes[1].caption); // Windows' caption when none is given
    EXPECT_FALSE(boxes[2].answered);
    EXPECT_EQ(0, boxes[2].answer);
}

TEST_F(SystemServicesTest, BeepsAndCursorsAreRecorded) {
    MessageBeep(0);
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ((std::vector<UINT>{0, MB_ICONEXCLAMATION}), CUserRecorder::Instance().Beeps());
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    ASSERT_TRUE(wait);
    EXPECT_NE(wait, arrow);
    EXPECT_EQ(wait, LoadCursorW(nullptr, IDC_WAIT)); // shared: the same handle each time
    EXPECT_EQ(nullptr, LoadCursorW(nullptr, MAKEINTRESOURCEW(1)));
    EXPECT_EQ(nullptr, SetCursor(wait));
    EXPECT_EQ(wait, SetCursor(arrow));
    EXPECT_EQ(arrow, GetCursor());
    EXPECT_EQ((std::vector<HCURSOR>{wait, arrow}), CUserRecorder::Instance().Cursors());
}

} // namespace

namespace {

TEST_F(SystemServicesTest, WindowMenuKeepsWhatWasGreyed) {
    HWND framed = CreateWindowExW(0, L"Static", L"F", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 50, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExW(0, L"Static", L"P", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(nullptr, GetSystemMenu(plain, FALSE));
    HMENU menu = GetSystemMenu(framed, FALSE);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(menu, GetSystemMenu(framed, FALSE));
    EXPECT_EQ(MF_ENABLED, static_cast<UINT>(EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED)));
    EXPECT_EQ(MF_GRAYED, static_cast<UINT>(EnableMenuItem(menu, 5, MF_BYPOSITION | MF_DISABLED)));
    EXPECT_EQ(MF_DISABLED, GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ(MF_ENABLED, GetMenuState(menu, SC_MOVE, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, 0x1234, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<UINT>(-1), static_cast<UINT>(EnableMenuItem(menu, 6, MF_BYPOSITION)));
    // Reverting throws the copy away: the next one is the standard menu again.
    EXPECT_EQ(nullptr, GetSystemMenu(framed, TRUE));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
    HMENU fresh = GetSystemMenu(framed, FALSE);
    EXPECT_EQ(MF_ENABLED, GetMenuState(fresh, SC_CLOSE, MF_BYCOMMAND));
    DestroyWindow(framed);
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(fresh, SC_CLOSE, MF_BYCOMMAND));
    DestroyWindow(plain);
}

} // namespace
