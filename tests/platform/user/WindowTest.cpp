#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/base/Win32Error.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "tests/platform/user/MessageSpy.h"

namespace {

using Seq = std::vector<SpyEntry>;

// A class whose creation answer the test chooses, to reach the failure paths.
LRESULT g_ncCreateAnswer = TRUE;
LRESULT g_createAnswer = 0;
CREATESTRUCTW g_seenCreate{};
std::wstring g_seenName;

LRESULT CALLBACK ChoosyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageSpy::Instance().Record(hwnd, msg, wParam, lParam);
    if (msg == WM_NCCREATE) {
        g_seenCreate = *reinterpret_cast<CREATESTRUCTW*>(lParam);
        g_seenName = g_seenCreate.lpszName ? g_seenCreate.lpszName : L"";
        if (!g_ncCreateAnswer)
            return FALSE;
    }
    if (msg == WM_CREATE)
        return g_createAnswer;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = ChoosyProc;
            wc.lpszClassName = L"Choosy";
            registered = RegisterClassExW(&wc) != 0;
        }
        g_ncCreateAnswer = TRUE;
        g_createAnswer = 0;
    }
    HWND Choosy(HWND owner, DWORD style, int id, RECT r = {5, 6, 55, 36}) {
        return CreateWindowExW(0, L"Choosy", L"name", style, r.left, r.top, r.right - r.left,
                               r.bottom - r.top, owner, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               nullptr, nullptr);
    }
};

TEST_F(WindowTest, CreationSendsTheMessagesWindowsSendsInItsOrder) {
    HWND child = Choosy(parent, WS_CHILD | WS_VISIBLE, 7);
    ASSERT_TRUE(child);
    // The new window is "?" to the spy while it is being created.
    const Seq expected = {{"?", WM_NCCREATE, 0, 0},
                          {"?", WM_CREATE, 0, 0},
                          {"?", WM_SIZE, SIZE_RESTORED, 0},
                          {"?", WM_MOVE, 0, 0},
                          {"parent", WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 7), 0},
                          {"?", WM_SHOWWINDOW, TRUE, 0}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(L"name", g_seenName);
    EXPECT_EQ(parent, g_seenCreate.hwndParent);
    EXPECT_EQ(reinterpret_cast<HMENU>(7), g_seenCreate.hMenu);
    EXPECT_EQ((RECT{5, 6, 55, 36}).left, g_seenCreate.x);
    EXPECT_EQ(6, g_seenCreate.y);
    EXPECT_EQ(50, g_seenCreate.cx);
    EXPECT_EQ(30, g_seenCreate.cy);
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE), g_seenCreate.style);
}

TEST_F(WindowTest, CreatedWindowKeepsItsClassIdTextAndRectangle) {
    HWND child = Choosy(parent, WS_CHILD, 42);
    wchar_t buffer[32];
    EXPECT_EQ(6, GetClassNameW(child, buffer, 32));
    EXPECT_STREQ(L"Choosy", buffer);
    EXPECT_EQ(42, GetDlgCtrlID(child));
    EXPECT_EQ(4, GetWindowTextW(child, buffer, 32));
    EXPECT_STREQ(L"name", buffer);
    EXPECT_EQ(parent, GetParent(child));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(child, &rect));
    // The parent's client area starts at (100,100) on the screen.
    EXPECT_EQ(105, rect.left);
    EXPECT_EQ(106, rect.top);
    EXPECT_EQ(155, rect.right);
    EXPECT_EQ(136, rect.bottom);
    EXPECT_FALSE(IsWindowVisible(child));
    // Class names compare without case, as Windows compares them.
    EXPECT_TRUE(CreateWindowExW(0, L"edit", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr));
}

TEST_F(WindowTest, FailedCreationsAnswerNullWithTheReason) {
    struct Case {
        const wchar_t* className;
        DWORD style;
        HWND owner;
        DWORD error;
    };
    const Case cases[] = {
        {L"NoSuchClass", WS_CHILD, parent, ERROR_CANNOT_FIND_WND_CLASS},
        {L"Choosy", WS_CHILD, nullptr, ERROR_TLW_WITH_WSCHILD},
        {L"Choosy", WS_CHILD, reinterpret_cast<HWND>(0x7777000), ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(nullptr, CreateWindowExW(0, c.className, L"", c.style, 0, 0, 1, 1, c.owner, nullptr,
                                           nullptr, nullptr));
        EXPECT_EQ(c.error, GetLastError()) << static_cast<const void*>(c.className);
    }
}

TEST_F(WindowTest, RefusedCreationDestroysTheHalfMadeWindow) {
    spy.Only({WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY});
    g_createAnswer = -1;
    EXPECT_EQ(nullptr, Choosy(parent, WS_CHILD, 1));
    const Seq createRefused = {
        {"?", WM_NCCREATE, 0, 0}, {"?", WM_CREATE, 0, 0}, {"?", WM_DESTROY, 0, 0}, {"?", WM_NCDESTROY, 0, 0}};
    EXPECT_EQ(createRefused, spy.Log());
    spy.Clear();
    g_createAnswer = 0;
    g_ncCreateAnswer = FALSE;
    EXPECT_EQ(nullptr, Choosy(parent, WS_CHILD, 1));
    const Seq ncCreateRefused = {{"?", WM_NCCREATE, 0, 0}, {"?", WM_NCDESTROY, 0, 0}};
    EXPECT_EQ(ncCreateRefused, spy.Log());
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD));
}

TEST_F(WindowTest, DestroyTellsParentsBeforeChildrenAndFreesChildrenFirst) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    HWND a1 = Choosy(a, WS_CHILD, 11);
    HWND b = Choosy(parent, WS_CHILD, 2);
    spy.Name(a, "a");
    spy.Name(a1, "a1");
    spy.Name(b, "b");
    spy.Only({WM_DESTROY, WM_NCDESTROY});
    ASSERT_TRUE(DestroyWindow(parent));
    const Seq expected = {{"parent", WM_DESTROY, 0, 0}, {"a", WM_DESTROY, 0, 0},
                          {"a1", WM_DESTROY, 0, 0},     {"b", WM_DESTROY, 0, 0},
                          {"a1", WM_NCDESTROY, 0, 0},   {"a", WM_NCDESTROY, 0, 0},
                          {"b", WM_NCDESTROY, 0, 0},    {"parent", WM_NCDESTROY, 0, 0}};
    EXPECT_EQ(expected, spy.Log());
    for (HWND gone : {parent, a, a1, b}) {
        EXPECT_FALSE(IsWindow(gone));
        SetLastError(0);
        EXPECT_EQ(0, SendMessageW(gone, WM_GETTEXTLENGTH, 0, 0));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    }
    EXPECT_FALSE(DestroyWindow(a));
}

TEST_F(WindowTest, DestroyingAChildNotifiesItsParentAndUnlinksIt) {
    HWND a = Choosy(parent, WS_CHILD, 3);
    HWND b = Choosy(parent, WS_CHILD, 4);
    spy.Clear();
    spy.Only({WM_PARENTNOTIFY});
    DestroyWindow(a);
    const Seq expected = {{"parent", WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, 3), 0}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(b, GetWindow(parent, GW_CHILD));
    EXPECT_EQ(nullptr, GetDlgItem(parent, 3));
}

TEST_F(WindowTest, HandlesAreNeverReused) {
    std::set<HWND> seen{parent};
    for (int i = 0; i < 50; ++i) {
        HWND hwnd = Choosy(parent, WS_CHILD, i);
        ASSERT_TRUE(hwnd);
        EXPECT_TRUE(seen.insert(hwnd).second) << i;
        DestroyWindow(hwnd);
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

TEST_F(WindowTest, DestroyingTheOwnerDestroysOwnedPopupsFirst) {
    HWND popup = Choosy(parent, WS_POPUP, 0);
    spy.Name(popup, "popup");
    spy.Only({WM_DESTROY});
    EXPECT_EQ(parent, GetParent(popup)); // a popup's parent is its owner
    EXPECT_EQ(parent, GetWindow(popup, GW_OWNER));
    DestroyWindow(parent);
    const Seq expected = {{"popup", WM_DESTROY, 0, 0}, {"parent", WM_DESTROY, 0, 0}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowTest, GetWindowWalksChildrenInCreationOrder) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    HWND b = Choosy(parent, WS_CHILD, 2);
    HWND c = Choosy(parent, WS_CHILD, 3);
    HWND grandchild = Choosy(b, WS_CHILD, 4);
    struct Case {
        HWND from;
        UINT relation;
        HWND expected;
    };
    const Case cases[] = {
        {parent, GW_CHILD, a},     {a, GW_HWNDNEXT, b},       {b, GW_HWNDNEXT, c},  {c, GW_HWNDNEXT, nullptr},
        {c, GW_HWNDPREV, b},       {a, GW_HWNDPREV, nullptr}, {b, GW_HWNDFIRST, a}, {a, GW_HWNDLAST, c},
        {b, GW_CHILD, grandchild}, {c, GW_CHILD, nullptr},
    };
    for (const Case& k : cases)
        EXPECT_EQ(k.expected, GetWindow(k.from, k.relation)) << k.relation;
    EXPECT_EQ(b, GetDlgItem(parent, 2));
    EXPECT_EQ(nullptr, GetDlgItem(parent, 4)); // grandchildren are not items
    EXPECT_TRUE(IsChild(parent, grandchild));
    EXPECT_FALSE(IsChild(a, b));
    EXPECT_FALSE(IsChild(grandchild, parent));
    // Bringing c to the top makes it the first child.
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(c, GetWindow(parent, GW_CHILD));
    EXPECT_EQ(a, GetWindow(c, GW_HWNDNEXT));
}

TEST_F(WindowTest, SetParentMovesAChildAndRefusesCycles) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    HWND b = Choosy(parent, WS_CHILD, 2);
    EXPECT_EQ(parent, SetParent(b, a));
    EXPECT_EQ(a, GetParent(b));
    EXPECT_EQ(b, GetWindow(a, GW_CHILD));
    EXPECT_EQ(nullptr, GetWindow(a, GW_HWNDNEXT));
    EXPECT_EQ(nullptr, SetParent(a, b)); // a cannot go under its own child
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(parent, GetParent(a));
}

TEST_F(WindowTest, GetTextCopiesWhatFitsWithATerminator) {
    HWND child = Choosy(parent, WS_CHILD, 1);
    SetWindowTextW(child, L"Hello");
    EXPECT_EQ(5, GetWindowTextLengthW(child));
    struct Case {
        int capacity;
        int copied;
        const wchar_t* text;
    };
    const Case cases[] = {{1, 0, L""}, {3, 2, L"He"}, {6, 5, L"Hello"}, {20, 5, L"Hello"}};
    for (const Case& c : cases) {
        wchar_t buffer[32];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(c.copied, GetWindowTextW(child, buffer, c.capacity)) << c.capacity;
        EXPECT_STREQ(c.text, buffer) << c.capacity;
    }
    wchar_t untouched[2] = {L'#', L'#'};
    EXPECT_EQ(0, GetWindowTextW(child, untouched, 0));
    EXPECT_EQ(L'#', untouched[0]);
}

TEST_F(WindowTest, DefWindowProcKeepsNoFont) {
    // Only controls and dialogs keep a font; a plain window forgets it.
    HWND child = Choosy(parent, WS_CHILD, 1);
    SendMessageW(child, WM_SETFONT, 0x1234, 0);
    EXPECT_EQ(0, SendMessageW(child, WM_GETFONT, 0, 0));
    HWND edit = Child(WC_EDITW, 0, 2);
    SendMessageW(edit, WM_SETFONT, 0x1234, 0);
    EXPECT_EQ(0x1234, SendMessageW(edit, WM_GETFONT, 0, 0));
}

// Two subclassing layers: each passes on to the procedure it replaced.
std::vector<std::string> g_chain;
WNDPROC g_inner = nullptr;
WNDPROC g_outer = nullptr;
LRESULT CALLBACK InnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT)
        g_chain.push_back("inner");
    return CallWindowProcW(g_inner, hwnd, msg, wParam, lParam);
}
LRESULT CALLBACK OuterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETTEXT)
        g_chain.push_back("outer");
    if (msg == WM_GETTEXTLENGTH)
        return 99; // answered here, never reaching the class
    return CallWindowProcW(g_outer, hwnd, msg, wParam, lParam);
}

TEST_F(WindowTest, SubclassingChainsProceduresOutsideIn) {
    HWND edit = Child(WC_EDITW, 0, 1);
    const auto classProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC));
    g_chain.clear();
    g_inner = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InnerProc)));
    g_outer = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterProc)));
    EXPECT_EQ(classProc, g_inner);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(InnerProc), g_outer);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(OuterProc), GetWindowLongPtrW(edit, GWLP_WNDPROC));
    SetWindowTextW(edit, L"abc");
    EXPECT_EQ((std::vector<std::string>{"outer", "inner"}), g_chain);
    wchar_t buffer[8];
    EXPECT_EQ(3, GetWindowTextW(edit, buffer, 8)); // the edit itself stored it
    EXPECT_EQ(99, GetWindowTextLengthW(edit));
    // Unhooking the outer layer restores the inner one.
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_outer));
    EXPECT_EQ(3, GetWindowTextLengthW(edit));
}

TEST_F(WindowTest, WindowLongsReadAndWriteTheirFields) {
    HWND child = Choosy(parent, WS_CHILD, 5);
    spy.Only({WM_STYLECHANGING, WM_STYLECHANGED});
    EXPECT_EQ(static_cast<LONG>(WS_CHILD),
              SetWindowLongW(child, GWL_STYLE, static_cast<LONG>(WS_CHILD | WS_TABSTOP)));
    const Seq styleMessages = {
        {"?", WM_STYLECHANGING, static_cast<WPARAM>(static_cast<INT_PTR>(GWL_STYLE)), 0},
        {"?", WM_STYLECHANGED, static_cast<WPARAM>(static_cast<INT_PTR>(GWL_STYLE)), 0}};
    EXPECT_EQ(styleMessages, spy.Log());
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_TABSTOP), GetWindowLongW(child, GWL_STYLE));
    EXPECT_EQ(0, SetWindowLongPtrW(child, GWLP_USERDATA, 0x12345678ABCDLL));
    EXPECT_EQ(0x12345678ABCDLL, GetWindowLongPtrW(child, GWLP_USERDATA));
    EXPECT_EQ(5, SetWindowLongPtrW(child, GWLP_ID, 9));
    EXPECT_EQ(9, GetDlgCtrlID(child));
    EXPECT_EQ(9, GetWindowLongW(child, GWL_ID));
    EXPECT_EQ(0, SetWindowLongW(child, GWL_EXSTYLE, static_cast<LONG>(WS_EX_CONTROLPARENT)));
    EXPECT_EQ(static_cast<LONG>(WS_EX_CONTROLPARENT), GetWindowLongW(child, GWL_EXSTYLE));
    // The window's extra bytes (the logging class reserves 16).
    EXPECT_EQ(0, SetWindowLongPtrW(parent, 8, 77));
    EXPECT_EQ(77, GetWindowLongPtrW(parent, 8));
    SetLastError(0);
    EXPECT_EQ(0, GetWindowLongPtrW(parent, 16));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
}

TEST_F(WindowTest, FocusMovesWithKillFocusToTheOldBeforeSetFocusToTheNew) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    HWND b = Choosy(parent, WS_CHILD, 2);
    SetFocus(a);
    spy.Name(a, "a");
    spy.Name(b, "b");
    spy.Only({WM_SETFOCUS, WM_KILLFOCUS});
    EXPECT_EQ(a, SetFocus(b));
    const Seq expected = {{"a", WM_KILLFOCUS, reinterpret_cast<WPARAM>(b), 0},
                          {"b", WM_SETFOCUS, reinterpret_cast<WPARAM>(a), 0}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(b, GetFocus());
    spy.Clear();
    EXPECT_EQ(b, SetFocus(b)); // already there: nothing is sent
    EXPECT_TRUE(spy.Log().empty());
}

TEST_F(WindowTest, DisabledWindowsCannotTakeOrKeepTheFocus) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    HWND b = Choosy(parent, WS_CHILD | WS_DISABLED, 2);
    SetFocus(a);
    EXPECT_EQ(nullptr, SetFocus(b));
    EXPECT_EQ(a, GetFocus());
    spy.Name(a, "a");
    spy.Only({WM_KILLFOCUS, WM_ENABLE});
    EXPECT_FALSE(EnableWindow(a, FALSE)); // was enabled
    const Seq expected = {{"a", WM_KILLFOCUS, 0, 0}, {"a", WM_ENABLE, FALSE, 0}};
    EXPECT_EQ(expected, spy.Log());
    EXPECT_EQ(nullptr, GetFocus());
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_TRUE(EnableWindow(a, FALSE)); // was disabled; nothing more is sent
    EXPECT_EQ(2u, spy.Log().size());
    EXPECT_TRUE(EnableWindow(a, TRUE));
    EXPECT_TRUE(IsWindowEnabled(a));
    // A window inside a disabled parent cannot take the focus either.
    EnableWindow(parent, FALSE);
    EXPECT_EQ(nullptr, SetFocus(a));
}

TEST_F(WindowTest, DestroyingTheFocusWindowLeavesNoFocus) {
    HWND a = Choosy(parent, WS_CHILD, 1);
    SetFocus(a);
    DestroyWindow(a);
    EXPECT_EQ(nullptr, GetFocus());
}

TEST_F(WindowTest, VisibilityNeedsEveryAncestorShown) {
    HWND child = Choosy(parent, WS_CHILD | WS_VISIBLE, 1);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE)); // was visible
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    SetFocus(child);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(parent, GetFocus()); // the focus goes to the parent of a hidden child
}

TEST_F(WindowTest, SetWindowPosSendsMoveAndSizeOnlyForWhatChanged) {
    HWND child = Choosy(parent, WS_CHILD, 1, RECT{0, 0, 50, 20});
    spy.Only({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
    struct Case {
        RECT to;
        std::vector<UINT> messages;
    };
    const std::vector<Case> cases = {
        {{10, 10, 60, 30}, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
        {{10, 10, 80, 40}, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}},
        {{0, 0, 10, 10}, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}},
        {{0, 0, 10, 10}, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
    };
    for (const Case& c : cases) {
        spy.Clear();
        MoveWindow(child, c.to.left, c.to.top, c.to.right - c.to.left, c.to.bottom - c.to.top, TRUE);
        std::vector<UINT> got;
        for (const SpyEntry& e : spy.Log())
            got.push_back(e.msg);
        EXPECT_EQ(c.messages, got) << c.to.left << "," << c.to.right;
    }
    spy.Clear();
    MoveWindow(child, 3, 4, 30, 20, TRUE);
    const Seq sized = {{"?", WM_WINDOWPOSCHANGING, 0, 0},
                       {"?", WM_WINDOWPOSCHANGED, 0, 0},
                       {"?", WM_MOVE, 0, 0},
                       {"?", WM_SIZE, SIZE_RESTORED, 0}};
    EXPECT_EQ(sized, spy.Log());
}

TEST_F(WindowTest, CoordinatesMapBetweenScreenAndClients) {
    HWND child = CreateWindowExW(WS_EX_CLIENTEDGE, L"Choosy", L"", WS_CHILD, 20, 30, 100, 50, parent, nullptr,
                                 nullptr, nullptr);
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ((RECT{0, 0, 96, 46}).right, client.right); // two-pixel client edge on each side
    EXPECT_EQ(46, client.bottom);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(122, p.x);
    EXPECT_EQ(132, p.y);
    ScreenToClient(child, &p);
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(0, p.y);
    POINT points[2] = {{0, 0}, {5, 5}};
    MapWindowPoints(child, parent, points, 2);
    EXPECT_EQ(22, points[0].x);
    EXPECT_EQ(37, points[1].y);
}

TEST_F(WindowTest, InvalidateAndUpdateAreRecordedAndPaintOnce) {
    HWND child = Choosy(parent, WS_CHILD, 1);
    spy.Only({WM_PAINT});
    UpdateWindow(child);
    EXPECT_TRUE(spy.Log().empty());
    InvalidateRect(child, nullptr, TRUE);
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    UpdateWindow(child);
    EXPECT_EQ(1u, spy.Log().size());
}

} // namespace
