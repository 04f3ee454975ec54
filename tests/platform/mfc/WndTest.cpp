#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/user/MessagePump.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/PreTranslatePump.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "tests/platform/mfc/MfcTestSupport.h"

namespace {

std::vector<std::string> g_log;

std::string Name(CWnd* wnd) {
    if (!wnd)
        return "null";
    const int id = wnd->GetDlgCtrlID();
    return id ? "#" + std::to_string(id) : "top";
}

// A parent that records what reaches its own handlers and may take queued input.
class CRecordingParent : public CWnd {
public:
    BOOL OnCmdMsg(UINT id, UINT code) override {
        g_log.push_back("parent command " + std::to_string(id) + " " + std::to_string(code));
        return TRUE;
    }
    BOOL OnNotifyMsg(UINT id, NMHDR* nmhdr, LRESULT* result) override {
        g_log.push_back("parent notify " + std::to_string(id) + " " +
                        std::to_string(static_cast<int>(nmhdr->code)));
        *result = 0;
        return TRUE;
    }
    void OnDrawItem(int id, DRAWITEMSTRUCT* drawItem) override {
        g_log.push_back("parent draw " + std::to_string(id) + " " + std::to_string(drawItem->itemID));
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN)
            g_log.push_back("parent pre keydown " + std::to_string(msg->wParam));
        return swallowKey != 0 && msg->message == WM_KEYDOWN && msg->wParam == swallowKey;
    }
    WPARAM swallowKey = 0;
};

class CRecordingButton : public CButton {
public:
    BOOL OnReflectedCommand(UINT code) override {
        g_log.push_back("button reflected " + std::to_string(code));
        return take;
    }
    BOOL take = TRUE;
};

class CRecordingTab : public CTabCtrl {
public:
    BOOL OnReflectedNotify(NMHDR* nmhdr, LRESULT* result) override {
        g_log.push_back("tab reflected " + std::to_string(static_cast<int>(nmhdr->code)));
        *result = 0;
        return take;
    }
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem) override {
        if (!take)
            return FALSE;
        return CTabCtrl::OnReflectedDrawItem(drawItem);
    }
    void DrawItem(DRAWITEMSTRUCT* drawItem) override {
        g_log.push_back("tab draw " + std::to_string(drawItem->itemID));
    }
    BOOL take = TRUE;
};

// An edit that records every handler it gets and then lets the edit do its own work.
class CRecordingEdit : public CEdit {
public:
    void OnChar(UINT ch, UINT repeat, UINT) override {
        g_log.push_back(Name(this) + " char " + std::string(1, static_cast<char>(ch)) + " x" +
                        std::to_string(repeat));
        if (ch != dropChar)
            CEdit::OnChar(ch, repeat, 0);
    }
    void OnKeyDown(UINT vk, UINT, UINT) override {
        g_log.push_back(Name(this) + " keydown " + std::to_string(vk));
        Default();
    }
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam) override {
        g_log.push_back(Name(this) + " paste");
        return CEdit::OnPaste(wParam, lParam);
    }
    void OnSetFocus(CWnd* oldWnd) override {
        g_log.push_back(Name(this) + " setfocus from " + Name(oldWnd));
        CEdit::OnSetFocus(oldWnd);
    }
    void OnKillFocus(CWnd* newWnd) override {
        g_log.push_back(Name(this) + " killfocus to " + Name(newWnd));
        CEdit::OnKillFocus(newWnd);
    }
    void OnTimer(UINT_PTR id) override { g_log.push_back(Name(this) + " timer " + std::to_string(id)); }
    void OnLButtonDown(UINT flags, POINT point) override {
        g_log.push_back(Name(this) + " lbuttondown " + std::to_string(flags) + " " + std::to_string(point.x) +
                        "," + std::to_string(point.y));
        CEdit::OnLButtonDown(flags, point);
    }
    void OnEnable(BOOL enable) override {
        g_log.push_back(Name(this) + " enable " + std::to_string(enable));
        CEdit::OnEnable(enable);
    }
    void OnDestroy() override {
        g_log.push_back(Name(this) + " destroy");
        CEdit::OnDestroy();
    }
    void PostNcDestroy() override { g_log.push_back("edit postncdestroy"); }
    UINT dropChar = 0;
};

class WndTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        g_log.clear();
        ASSERT_TRUE(parent.SubclassWindow(TopLevel()));
    }
    void TearDown() override {
        MfcTest::TearDown();
        g_log.clear();
    }
    CString TextOf(HWND hwnd) {
        CString text;
        CWnd::FromHandle(hwnd)->GetWindowText(text);
        return text;
    }

    CRecordingParent parent;
};

using Log = std::vector<std::string>;

// The entries that do not start with `prefix`.
Log Except(const std::string& prefix) {
    Log out;
    for (const std::string& entry : g_log)
        if (entry.rfind(prefix, 0) != 0)
            out.push_back(entry);
    return out;
}

// The entries that start with `prefix`.
Log Only(const std::string& prefix) {
    Log out;
    for (const std::string& entry : g_log)
        if (entry.rfind(prefix, 0) == 0)
            out.push_back(entry);
    return out;
}

// ---- Reflection -------------------------------------------------------------------

struct ReflectionCase {
    const char* name;
    bool bind;         // the control has a framework object
    bool controlTakes; // its reflected handler answers TRUE
    Log expected;
};

class ReflectionOfCommands : public WndTest, public ::testing::WithParamInterface<ReflectionCase> {};

TEST_P(ReflectionOfCommands, AClickReachesTheButtonObjectFirstAndTheParentOnlyWhenItDeclines) {
    const ReflectionCase& c = GetParam();
    HWND button = Child(parent.m_hWnd, WC_BUTTONW, BS_PUSHBUTTON, 7);
    CRecordingButton object;
    object.take = c.controlTakes;
    if (c.bind) {
        ASSERT_TRUE(object.SubclassWindow(button));
    }
    ASSERT_TRUE(hand.Click(button));
    EXPECT_EQ(c.expected, g_log);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReflectionOfCommands,
    ::testing::Values(ReflectionCase{"taken", true, true, {"button reflected 0"}},
                      ReflectionCase{"declined", true, false, {"button reflected 0", "parent command 7 0"}},
                      ReflectionCase{"unbound", false, false, {"parent command 7 0"}}),
    [](const auto& info) { return std::string(info.param.name); });

class ReflectionOfNotifications : public WndTest, public ::testing::WithParamInterface<ReflectionCase> {};

TEST_P(ReflectionOfNotifications, TabNotificationsAndDrawingReachTheTabObjectFirst) {
    const ReflectionCase& c = GetParam();
    HWND tab = Child(parent.m_hWnd, WC_TABCONTROLW, TCS_OWNERDRAWFIXED, 9, {0, 0, 300, 200});
    CRecordingTab object;
    object.take = c.controlTakes;
    if (c.bind) {
        ASSERT_TRUE(object.SubclassWindow(tab));
    }
    for (const wchar_t* title : {L"One", L"Two"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(title);
        SendMessageW(tab, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
    }
    g_log.clear();
    ASSERT_TRUE(hand.ClickTab(tab, 1));
    SendMessageW(tab, WM_PAINT, 0, 0);
    EXPECT_EQ(c.expected, g_log);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReflectionOfNotifications,
    ::testing::Values(
        ReflectionCase{
            "taken", true, true, {"tab reflected -552", "tab reflected -551", "tab draw 0", "tab draw 1"}},
        ReflectionCase{"declined",
                       true,
                       false,
                       {"tab reflected -552", "parent notify 9 -552", "tab reflected -551",
                        "parent notify 9 -551", "parent draw 9 0", "parent draw 9 1"}},
        ReflectionCase{
            "unbound",
            false,
            false,
            {"parent notify 9 -552", "parent notify 9 -551", "parent draw 9 0", "parent draw 9 1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Handlers through the user's hand ---------------------------------------------

struct HandlerCase {
    const char* name;
    std::function<void(CUserHand&, HWND first, HWND second)> act;
    Log expected;
    const wchar_t* firstText; // the first edit's text afterwards: default processing ran
};

class HandlerDispatch : public WndTest, public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(HandlerDispatch, EachInputReachesItsHandlerAndTheEditStillDoesItsWork) {
    const HandlerCase& c = GetParam();
    CRecordingEdit first;
    CRecordingEdit second;
    ASSERT_TRUE(first.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 1)));
    ASSERT_TRUE(second.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 2, {10, 40, 110, 60})));
    hand.Focus(first.m_hWnd);
    g_log.clear();
    c.act(hand, first.m_hWnd, second.m_hWnd);
    EXPECT_EQ(c.expected, g_log);
    EXPECT_EQ(std::wstring(c.firstText), std::wstring(TextOf(first.m_hWnd)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, HandlerDispatch,
    ::testing::Values(
        HandlerCase{"typing",
                    [](CUserHand& h, HWND, HWND) { h.Type(L"ab"); },
                    // EN_UPDATE and EN_CHANGE are not reflected: they reach the parent.
                    {"#1 keydown 65", "#1 char a x1", "parent command 1 1024", "parent command 1 768",
                     "#1 keydown 66", "#1 char b x1", "parent command 1 1024", "parent command 1 768"},
                    L"ab"},
        HandlerCase{"paste",
                    [](CUserHand& h, HWND, HWND) { h.Paste(L"42"); },
                    // Ctrl, then V: the edit turns Ctrl+V into WM_PASTE itself.
                    {"#1 keydown 17", "#1 keydown 86", "#1 char \x16 x1", "#1 paste", "parent command 1 1024",
                     "parent command 1 768"},
                    L"42"},
        HandlerCase{
            "focus",
            [](CUserHand& h, HWND, HWND second) { h.Focus(second); },
            {"#1 killfocus to #2", "parent command 1 512", "#2 setfocus from #1", "parent command 2 256"},
            L""},
        HandlerCase{"timer",
                    [](CUserHand& h, HWND first, HWND) {
                        CWnd::FromHandle(first)->SetTimer(5, 100, nullptr);
                        h.AdvanceClock(99);
                        g_log.push_back("99 ms");
                        h.AdvanceClock(200);
                        CWnd::FromHandle(first)->KillTimer(5);
                        h.AdvanceClock(500);
                    },
                    {"99 ms", "#1 timer 5", "#1 timer 5"},
                    L""},
        HandlerCase{"click",
                    [](CUserHand& h, HWND first, HWND) {
                        h.ClickAt(first, POINT{7, 3});
                    },
                    {"#1 lbuttondown 1 7,3"},
                    L""},
        HandlerCase{"enable",
                    [](CUserHand&, HWND first, HWND) {
                        EnableWindow(first, FALSE);
                        EnableWindow(first, TRUE);
                    },
                    // Disabling the focus window takes the focus away first.
                    {"#1 killfocus to null", "parent command 1 512", "#1 enable 0", "#1 enable 1"},
                    L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WndTest, AHandlerThatSkipsTheDefaultKeepsTheCharacterOut) {
    CRecordingEdit edit;
    edit.dropChar = 'b';
    ASSERT_TRUE(edit.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 1)));
    hand.Focus(edit.m_hWnd);
    hand.Type(L"abc");
    EXPECT_EQ(L"ac", std::wstring(TextOf(edit.m_hWnd)));
}

TEST_F(WndTest, DestroyingTheWindowRunsOnDestroyThenLetsGoOfTheObject) {
    CRecordingEdit edit;
    HWND hwnd = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    ASSERT_TRUE(edit.SubclassWindow(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ((Log{"#1 destroy", "edit postncdestroy"}), g_log);
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

TEST_F(WndTest, AnObjectGoingAwayDestroysItsWindow) {
    HWND hwnd = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    {
        CEdit edit;
        ASSERT_TRUE(edit.SubclassWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

class CSelfDeletingEdit : public CEdit {
public:
    ~CSelfDeletingEdit() override { g_log.push_back("deleted"); }
    void PostNcDestroy() override { delete this; }
};

TEST_F(WndTest, AnObjectMayDeleteItselfWhenItsWindowIsGone) {
    auto* edit = new CSelfDeletingEdit;
    HWND hwnd = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    ASSERT_TRUE(edit->SubclassWindow(hwnd));
    EXPECT_TRUE(edit->DestroyWindow()); // `edit` is gone when this returns
    EXPECT_EQ((Log{"deleted"}), g_log);
    EXPECT_FALSE(IsWindow(hwnd));
}

class CThrowingEdit : public CEdit {
public:
    void OnChar(UINT ch, UINT, UINT) override {
        if (ch == 'x')
            throw std::runtime_error("refused");
        Default();
    }
};

TEST_F(WndTest, AHandlerThatThrowsDoesNotUnwindThroughTheWindowSystem) {
    CThrowingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 1)));
    hand.Focus(edit.m_hWnd);
    EXPECT_NO_THROW(hand.Type(L"axb"));
    EXPECT_EQ(L"ab", std::wstring(TextOf(edit.m_hWnd)));
}

// ---- Pre-translation ----------------------------------------------------------------

TEST_F(WndTest, ThePumpOffersQueuedKeysToTheParentBeforeTheEditSeesThem) {
    CPreTranslatePump pump;
    CRecordingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 1)));
    hand.Focus(edit.m_hWnd);
    parent.swallowKey = 'B';
    g_log.clear();
    hand.Type(L"ab");
    EXPECT_EQ((Log{"parent pre keydown 65", "#1 keydown 65", "#1 char a x1", "parent pre keydown 66"}),
              Except("parent command"));
    EXPECT_EQ(L"a", std::wstring(TextOf(edit.m_hWnd)));
}

TEST_F(WndTest, ThePumpPassesWhatNobodyTookToTheHookInstalledBefore) {
    std::vector<UINT> earlier;
    CMessagePump::Instance().SetPreTranslateHook([&](MSG& msg) {
        earlier.push_back(msg.message);
        return false;
    });
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    hand.Focus(edit);
    parent.swallowKey = 'B';
    {
        CPreTranslatePump pump;
        hand.PressKey('B');
        hand.PressKey('C');
    }
    // B's key-down was taken by the parent; its key-up and all of C went on.
    EXPECT_EQ((std::vector<UINT>{WM_KEYUP, WM_KEYDOWN, WM_CHAR, WM_KEYUP}), earlier);
    earlier.clear();
    hand.PressKey('B'); // the pump is gone: the earlier hook is back alone
    EXPECT_EQ((std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}), earlier);
}

TEST_F(WndTest, TheWalkStopsAtTheWindowGiven) {
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    MSG msg{};
    msg.hwnd = edit;
    msg.message = WM_KEYDOWN;
    msg.wParam = 'Q';
    parent.swallowKey = 'Q';
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(edit, &msg));
    EXPECT_TRUE(g_log.empty());
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &msg));
    EXPECT_EQ((Log{"parent pre keydown 81"}), g_log);
}

// ---- Handle maps ----------------------------------------------------------------------

TEST_F(WndTest, FromHandleGivesOneTemporaryObjectPerForeignWindowUntilTheMapIsCleared) {
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    CWnd* temporary = CWnd::FromHandle(edit);
    ASSERT_NE(nullptr, temporary);
    EXPECT_EQ(edit, temporary->m_hWnd);
    EXPECT_EQ(temporary, CWnd::FromHandle(edit));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    EXPECT_EQ(&parent, CWnd::FromHandle(parent.m_hWnd));
    EXPECT_EQ(&parent, temporary->GetParent());
    CWnd::DeleteTempMap();
    EXPECT_TRUE(IsWindow(edit)); // a temporary object never takes its window along
}

TEST_F(WndTest, FromHandleAnswersNullForWhatIsNotAWindow) {
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    ASSERT_NE(nullptr, CWnd::FromHandle(edit));
    ::DestroyWindow(edit);
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    EXPECT_EQ(nullptr, CWnd::FromHandle(edit));
    EXPECT_EQ(nullptr, CWnd::FromHandle(reinterpret_cast<HWND>(0x7FFF0001)));
}

TEST_F(WndTest, AttachMakesTheObjectPermanentWithoutTakingMessagesAndDetachUndoesIt) {
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    const LONG_PTR proc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    CRecordingEdit wrapper;
    ASSERT_TRUE(wrapper.Attach(edit));
    EXPECT_EQ(&wrapper, CWnd::FromHandle(edit));
    EXPECT_EQ(proc, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    hand.Focus(edit);
    hand.Type(L"x");
    EXPECT_TRUE(Only("#1").empty());
    CEdit other;
    EXPECT_FALSE(other.Attach(edit));            // one permanent object per window
    EXPECT_FALSE(wrapper.Attach(parent.m_hWnd)); // one window per object
    EXPECT_EQ(edit, wrapper.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    EXPECT_NE(&wrapper, CWnd::FromHandle(edit));
    EXPECT_TRUE(IsWindow(edit));
}

TEST_F(WndTest, UnsubclassingPutsTheOldProcedureBack) {
    HWND edit = Child(parent.m_hWnd, WC_EDITW, 0, 1);
    const LONG_PTR proc = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    CRecordingEdit object;
    ASSERT_TRUE(object.SubclassWindow(edit));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc), GetWindowLongPtrW(edit, GWLP_WNDPROC));
    EXPECT_EQ(edit, object.UnsubclassWindow());
    EXPECT_EQ(proc, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    hand.Focus(edit);
    hand.Type(L"x");
    EXPECT_TRUE(Only("#1").empty());
    EXPECT_EQ(L"x", std::wstring(TextOf(edit)));
}

// ---- Window operations ---------------------------------------------------------------

TEST_F(WndTest, ModifyStyleAnswersWhetherAnythingChanged) {
    CWnd* edit = CWnd::FromHandle(Child(parent.m_hWnd, WC_EDITW, ES_AUTOHSCROLL, 1));
    struct Row {
        DWORD remove, add;
        BOOL changed;
        DWORD after;
    };
    const DWORD base = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    const Row rows[] = {
        {0, ES_READONLY, TRUE, base | ES_READONLY},
        {0, ES_READONLY, FALSE, base | ES_READONLY},
        {ES_READONLY | ES_AUTOHSCROLL, ES_NUMBER, TRUE, WS_CHILD | WS_VISIBLE | ES_NUMBER},
        {ES_NUMBER, ES_NUMBER, FALSE, WS_CHILD | WS_VISIBLE | ES_NUMBER},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.changed, edit->ModifyStyle(row.remove, row.add)) << row.remove << " " << row.add;
        EXPECT_EQ(row.after, edit->GetStyle() & ~WS_TABSTOP);
    }
    EXPECT_TRUE(edit->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    EXPECT_EQ(WS_EX_CLIENTEDGE, edit->GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST_F(WndTest, WindowTextEnablingVisibilityAndGeometryGoToTheWindow) {
    CWnd* edit = CWnd::FromHandle(Child(parent.m_hWnd, WC_EDITW, 0, 3));
    edit->SetWindowText(L"Gr\u00FC\u00DFe");
    CString text;
    edit->GetWindowText(text);
    EXPECT_EQ(L"Gr\u00FC\u00DFe", std::wstring(text));
    EXPECT_EQ(5, edit->GetWindowTextLength());
    edit->EnableWindow(FALSE);
    EXPECT_FALSE(edit->IsWindowEnabled());
    edit->ShowWindow(SW_HIDE);
    EXPECT_FALSE(edit->IsWindowVisible());
    edit->MoveWindow(20, 30, 50, 12);
    RECT rect{};
    edit->GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ((std::vector<LONG>{20, 30, 70, 42}),
              (std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom}));
    EXPECT_EQ(edit, parent.GetDlgItem(3));
    EXPECT_EQ(nullptr, parent.GetDlgItem(4));
    HFONT font = reinterpret_cast<HFONT>(static_cast<ULONG_PTR>(0x1234));
    edit->SetFont(font, FALSE);
    EXPECT_EQ(font, edit->GetFont());
}

} // namespace
