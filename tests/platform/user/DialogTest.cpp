#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "DialogBuilder.h"
#include "MessageSpy.h"
#include "platform/user/MessagePump.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogManager.h"
#include "platform/user/TimerTable.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"

namespace {

constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
constexpr int kEditId = 101;
constexpr int kLabelId = 102;
constexpr int kApplyId = 103;
constexpr int kDisabledId = 104;
constexpr int kComboId = 105;

// What the test dialog procedure saw and how it answers.
struct Probe {
    HWND dialog = nullptr;
    WPARAM initWParam = 0;
    LPARAM initParam = 0;
    INT_PTR initAnswer = TRUE;
    std::vector<int> itemsAtInit; // ids found with GetDlgItem during WM_INITDIALOG
    std::vector<int> idsToFind;
    std::vector<int> commands;
    bool endOnCommand = false;
    std::function<void(HWND)> onInit;
};
Probe g_probe;

INT_PTR CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        g_probe.dialog = hwnd;
        g_probe.initWParam = wParam;
        g_probe.initParam = lParam;
        for (int id : g_probe.idsToFind)
            if (GetDlgItem(hwnd, id))
                g_probe.itemsAtInit.push_back(id);
        if (g_probe.onInit)
            g_probe.onInit(hwnd);
        return g_probe.initAnswer;
    case WM_COMMAND:
        // Clicks and the dialog manager's commands only, not the controls' other notices.
        if (HIWORD(static_cast<DWORD>(wParam)) != BN_CLICKED)
            return FALSE;
        g_probe.commands.push_back(LOWORD(static_cast<DWORD>(wParam)));
        if (g_probe.endOnCommand)
            EndDialog(hwnd, 1000 + LOWORD(static_cast<DWORD>(wParam)));
        return TRUE;
    case WM_USER + 5:
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 42);
        return TRUE;
    default:
        return FALSE;
    }
}

ItemLayout Item(WORD ordinal, DWORD style, int id, SHORT x, SHORT y, SHORT cx, SHORT cy,
              std::u16string title = u"") {
    ItemLayout item;
    item.classOrdinal = ordinal;
    item.style = kControl | style;
    item.id = static_cast<DWORD>(id);
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.title = std::move(title);
    return item;
}

// Edit (tab stop), label, Apply (tab stop), a disabled button (tab stop), a combo box
// (tab stop), OK (default) and Cancel.
DialogLayout FormSpec(DWORD style) {
    DialogLayout layout;
    layout.style = style;
    layout.cx = 200;
    layout.cy = 100;
    layout.items = {
        Item(kEditClassOrdinal, WS_TABSTOP | WS_BORDER, kEditId, 10, 10, 80, 12),
        Item(kStaticClassOrdinal, 0, kLabelId, 10, 30, 80, 8, u"Label"),
        Item(kButtonClassOrdinal, WS_TABSTOP, kApplyId, 10, 45, 50, 14, u"Apply"),
        Item(kButtonClassOrdinal, WS_TABSTOP | WS_DISABLED, kDisabledId, 70, 45, 50, 14, u"Off"),
        Item(kComboBoxClassOrdinal, WS_TABSTOP | CBS_DROPDOWNLIST, kComboId, 10, 65, 80, 60),
        Item(kButtonClassOrdinal, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 100, 80, 40, 14, u"OK"),
        Item(kButtonClassOrdinal, WS_TABSTOP, IDCANCEL, 150, 80, 40, 14, u"Cancel"),
    };
    return layout;
}

class DialogTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        g_probe = Probe{};
    }
    void TearDown() override {
        for (HHOOK hook : m_hooks)
            UnhookWindowsHookEx(hook);
        UserTest::TearDown();
        g_probe = Probe{};
    }

    HWND Modeless(const DialogLayout& layout, bool extended = false, HWND owner = nullptr) {
        m_template = BuildTemplate(layout, extended);
        return CreateDialogIndirectParamW(nullptr, m_template.data(), owner ? owner : parent, &ProbeProc, 7);
    }

    // A dialog whose messages reach it the way an application's loop passes them on.
    void PumpThroughDialog(HWND dialog) {
        CMessagePump::Instance().SetPreTranslateHook(
            [dialog](MSG& msg) { return IsDialogMessageW(dialog, &msg) != FALSE; });
    }

    std::vector<BYTE> m_template;
    std::vector<HHOOK> m_hooks;
};

RECT ClientRectIn(HWND hwnd, HWND ancestor) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, ancestor, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// --- Sizes: the template's dialog units through the dialog font's base units. -------------

struct SizeCase {
    const char* name;
    bool extended;
    DWORD style;
    std::u16string face;
    WORD points;
    LONG baseX, baseY; // the base units the font must give
};
void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.name;
}

class DialogSizeTest : public DialogTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(DialogSizeTest, ClientAndControlsFollowTheBaseUnits) {
    const SizeCase& c = GetParam();
    DialogLayout layout;
    layout.style = c.style;
    layout.face = c.face;
    layout.points = c.points;
    layout.x = 8;
    layout.y = 4;
    layout.cx = 100;
    layout.cy = 50;
    layout.items = {Item(kButtonClassOrdinal, WS_TABSTOP, 7, 10, 20, 41, 13, u"Go")};
    HWND dialog = Modeless(layout, c.extended);
    ASSERT_NE(nullptr, dialog);

    RECT client{};
    GetClientRect(dialog, &client);
    // MapDialogRect's formula: x * baseX / 4 and y * baseY / 8, rounded.
    EXPECT_EQ(MulDiv(100, c.baseX, 4), client.right);
    EXPECT_EQ(MulDiv(50, c.baseY, 8), client.bottom);
    RECT mapped{10, 20, 10 + 41, 20 + 13};
    ASSERT_TRUE(MapDialogRect(dialog, &mapped));
    EXPECT_EQ(MulDiv(10, c.baseX, 4), mapped.left);
    EXPECT_EQ(MulDiv(20, c.baseY, 8), mapped.top);
    EXPECT_EQ(MulDiv(51, c.baseX, 4), mapped.right);
    EXPECT_EQ(MulDiv(33, c.baseY, 8), mapped.bottom);
    const RECT button = ClientRectIn(GetDlgItem(dialog, 7), dialog);
    EXPECT_EQ(mapped.left, button.left);
    EXPECT_EQ(mapped.top, button.top);
    EXPECT_EQ(MulDiv(41, c.baseX, 4), button.right - button.left);
    EXPECT_EQ(MulDiv(13, c.baseY, 8), button.bottom - button.top);
    // A child dialog sits at its template position in the parent's client area.
    RECT place = ClientRectIn(dialog, parent);
    EXPECT_EQ(MulDiv(8, c.baseX, 4), place.left);
    EXPECT_EQ(MulDiv(4, c.baseY, 8), place.top);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DialogSizeTest,
    ::testing::Values(
        // "MS Shell Dlg" 8 measures 6 x 13: a 100 x 50 template is 150 x 81 pixels.
        SizeCase{"ClassicShellDlg8", false, WS_CHILD | DS_CONTROL | DS_SETFONT, u"MS Shell Dlg", 8, 6, 13},
        SizeCase{"ExtendedShellDlg8", true, WS_CHILD | DS_CONTROL | DS_SHELLFONT, u"MS Shell Dlg", 8, 6, 13},
        // Without DS_SETFONT the system font's units: 8 x 16.
        SizeCase{"ClassicSystemFont", false, WS_CHILD | DS_CONTROL, u"", 0, 8, 16},
        SizeCase{"ExtendedSystemFont", true, WS_CHILD | DS_CONTROL, u"", 0, 8, 16}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ShellDlg8IsOneHundredFiftyByEightyOne) {
    DialogLayout layout;
    layout.style = WS_CHILD | DS_SETFONT;
    HWND dialog = Modeless(layout);
    ASSERT_NE(nullptr, dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(150, client.right);
    EXPECT_EQ(81, client.bottom);
}

TEST_F(DialogTest, BaseUnitsOfTheFontFollowTheLetterAverage) {
    HFONT font = CreateFontW(-11, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0, L"MS Shell Dlg");
    ASSERT_NE(nullptr, font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE letters{};
    ASSERT_TRUE(
        GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters));
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const SIZE units = CDialogManager::BaseUnitsOf(font);
    EXPECT_EQ((letters.cx + 26) / 52, units.cx);
    EXPECT_EQ(metrics.tmHeight, units.cy);
    DeleteObject(font);
    const SIZE system = CDialogManager::BaseUnitsOf(nullptr);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(GetDialogBaseUnits())), system.cx);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(GetDialogBaseUnits())), system.cy);
}

// --- Creation order, fonts, the dialog procedure. -------------------------------------

TEST_F(DialogTest, ControlsExistWithTheirFontBeforeWmInitDialog) {
    // The creation hook watches every window from its first message on.
    static std::vector<std::string>* names = nullptr;
    std::vector<std::string> order = {"dialog", "edit", "label", "apply", "off", "combo", "ok", "cancel"};
    names = &order;
    static size_t next = 0;
    next = 0;
    m_hooks.push_back(SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND && next < names->size())
                CMessageSpy::Instance().Watch(reinterpret_cast<HWND>(wParam), (*names)[next++]);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, 0));
    spy.Only({WM_CREATE, WM_SETFONT, WM_INITDIALOG});
    g_probe.idsToFind = {kEditId, kLabelId, kApplyId, kDisabledId, kComboId, IDOK, IDCANCEL};
    HWND dialog = Modeless(FormSpec(WS_CHILD | DS_SETFONT | WS_VISIBLE), true);
    ASSERT_NE(nullptr, dialog);

    std::vector<SpyEntry> expected{{"dialog", WM_CREATE, 0, 0}};
    const WPARAM font = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    ASSERT_NE(0u, font);
    expected.push_back({"dialog", WM_SETFONT, font, 0});
    for (size_t i = 1; i < order.size(); ++i) {
        expected.push_back({order[i], WM_CREATE, 0, 0});
        expected.push_back({order[i], WM_SETFONT, font, 0});
    }
    expected.push_back({"dialog", WM_INITDIALOG, g_probe.initWParam, 0});
    EXPECT_EQ(expected, spy.Log());
    EXPECT_TRUE(IsWindowVisible(dialog)); // shown after WM_INITDIALOG
    EXPECT_EQ(g_probe.idsToFind, g_probe.itemsAtInit);
    EXPECT_EQ(7, g_probe.initParam);
    // wParam of WM_INITDIALOG names the control that gets the focus.
    EXPECT_EQ(reinterpret_cast<WPARAM>(GetDlgItem(dialog, kEditId)), g_probe.initWParam);
    for (int id : g_probe.idsToFind)
        EXPECT_EQ(font, static_cast<WPARAM>(SendDlgItemMessageW(dialog, id, WM_GETFONT, 0, 0))) << id;
}

TEST_F(DialogTest, WithoutDsSetFontNoFontIsSent) {
    spy.Only({WM_SETFONT});
    HWND dialog = Modeless(FormSpec(WS_CHILD));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(0, SendMessageW(dialog, WM_GETFONT, 0, 0));
    EXPECT_EQ(0, SendDlgItemMessageW(dialog, kEditId, WM_GETFONT, 0, 0));
}

struct FocusCase {
    const char* name;
    INT_PTR answer;    // what the procedure answers to WM_INITDIALOG
    int focusedByProc; // the control the procedure focuses itself (0: none)
    int disableFirst;  // disables the edit before the dialog looks for a tab stop
    int expectedFocus; // 0: nothing in the dialog has the focus
};
void PrintTo(const FocusCase& c, std::ostream* out) {
    *out << c.name;
}

class DialogFocusTest : public DialogTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(DialogFocusTest, InitDialogAnswerDecidesTheFocus) {
    const FocusCase& c = GetParam();
    DialogLayout layout = FormSpec(WS_CHILD | WS_VISIBLE | DS_SETFONT);
    if (c.disableFirst)
        layout.items[0].style |= WS_DISABLED;
    g_probe.initAnswer = c.answer;
    if (c.focusedByProc)
        g_probe.onInit = [id = c.focusedByProc](HWND dialog) { SetFocus(GetDlgItem(dialog, id)); };
    HWND dialog = Modeless(layout);
    ASSERT_NE(nullptr, dialog);
    const HWND expected = c.expectedFocus ? GetDlgItem(dialog, c.expectedFocus) : nullptr;
    EXPECT_EQ(expected, GetFocus());
}

INSTANTIATE_TEST_SUITE_P(Answers, DialogFocusTest,
                         ::testing::Values(FocusCase{"TrueFocusesTheFirstTabStop", TRUE, 0, 0, kEditId},
                                           FocusCase{"TrueSkipsADisabledFirstControl", TRUE, 0, 1, kApplyId},
                                           FocusCase{"TrueOverridesTheProcedure", TRUE, kComboId, 0, kEditId},
                                           FocusCase{"FalseKeepsTheProceduresChoice", FALSE, kComboId, 0,
                                                     kComboId},
                                           FocusCase{"FalseWithoutChoiceFocusesNothing", FALSE, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, TheFirstEditGetsItsTextSelected) {
    DialogLayout layout = FormSpec(WS_CHILD | WS_VISIBLE);
    layout.items[0].title = u"preset";
    HWND dialog = Modeless(layout);
    ASSERT_NE(nullptr, dialog);
    DWORD start = 99, end = 99;
    SendDlgItemMessageW(dialog, kEditId, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(6u, end);
}

TEST_F(DialogTest, DefDlgProcKeepsTheProcedureAndItsAnswers) {
    HWND dialog = Modeless(FormSpec(WS_CHILD));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ProbeProc), GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    // A handled message answers what the procedure put in DWLP_MSGRESULT.
    EXPECT_EQ(42, SendMessageW(dialog, WM_USER + 5, 0, 0));
    EXPECT_EQ(42, GetWindowLongPtrW(dialog, DWLP_MSGRESULT));
    // An unhandled one gets the default processing (and a fresh result).
    EXPECT_EQ(0, SendMessageW(dialog, WM_USER + 6, 0, 0));
    EXPECT_EQ(0, GetWindowLongPtrW(dialog, DWLP_MSGRESULT));
    EXPECT_EQ(0, SetWindowLongPtrW(dialog, DWLP_USER, 0x1234));
    EXPECT_EQ(0x1234, GetWindowLongPtrW(dialog, DWLP_USER));
    wchar_t name[16] = {};
    GetClassNameW(dialog, name, 16);
    EXPECT_STREQ(L"#32770", name);
    // WM_COMMAND from a control reaches the procedure.
    SendMessageW(GetDlgItem(dialog, kApplyId), BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<int>{kApplyId}, g_probe.commands);
}

TEST_F(DialogTest, ChildDialogIsAControlParentInsideItsParent) {
    HWND dialog = Modeless(FormSpec(WS_CHILD | DS_CONTROL | DS_SETFONT));
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(parent, GetParent(dialog));
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(IsWindowVisible(dialog)); // the template has no WS_VISIBLE
    // Its controls get WS_EX_NOPARENTNOTIFY, as dialog controls do.
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, kEditId), GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
    // Shown, a child dialog is not activated: the focus stays where it was (on the tab
    // strip that shows the page). Given the focus, it hands it to its first tab stop,
    // and after being hidden and shown again, to the control that had it.
    SetFocus(parent);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(parent, GetFocus());
    SetFocus(dialog);
    EXPECT_EQ(GetDlgItem(dialog, kEditId), GetFocus());
    SetFocus(GetDlgItem(dialog, kComboId));
    ShowWindow(dialog, SW_HIDE);
    SetFocus(parent);
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(parent, GetFocus());
    SetFocus(dialog);
    EXPECT_EQ(GetDlgItem(dialog, kComboId), GetFocus());
}

TEST_F(DialogTest, ClassNamesAreFoundWhateverTheirCase) {
    DialogLayout layout;
    layout.style = WS_CHILD | DS_SETFONT;
    const std::vector<std::pair<std::u16string, std::wstring>> names = {
        {u"SYSTABCONTROL32", L"SysTabControl32"},
        {u"button", L"Button"},
        {u"EDIT", L"Edit"},
        {u"ComboBox", L"ComboBox"},
        {u"static", L"Static"}};
    for (size_t i = 0; i < names.size(); ++i) {
        ItemLayout item = Item(0, 0, static_cast<int>(10 + i), 0, 0, 20, 10);
        item.className = names[i].first;
        layout.items.push_back(item);
    }
    for (bool extended : {false, true}) {
        HWND dialog = Modeless(layout, extended);
        ASSERT_NE(nullptr, dialog) << extended;
        for (size_t i = 0; i < names.size(); ++i) {
            wchar_t name[64] = {};
            GetClassNameW(GetDlgItem(dialog, static_cast<int>(10 + i)), name, 64);
            EXPECT_EQ(names[i].second, std::wstring(name)) << extended;
        }
        DestroyWindow(dialog);
    }
}

// --- Refused templates. --------------------------------------------------------------

TEST_F(DialogTest, EveryPrefixOfATemplateIsRefusedWithoutOverread) {
    for (bool extended : {false, true}) {
        const std::vector<BYTE> whole = BuildTemplate(FormSpec(WS_CHILD | DS_SETFONT), extended);
        for (size_t size = 0; size < whole.size(); ++size) {
            // An exact-size copy: AddressSanitizer reports any read past it.
            std::unique_ptr<BYTE[]> copy(new BYTE[size == 0 ? 1 : size]);
            std::copy_n(whole.begin(), size, copy.get());
            SetLastError(0);
            HWND dialog =
                CDialogManager::Instance().Create(copy.get(), size, nullptr, parent, &ProbeProc, 0, false);
            EXPECT_EQ(nullptr, dialog) << "extended " << extended << " size " << size;
            if (dialog)
                DestroyWindow(dialog);
            else
                EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError()) << size;
        }
        HWND dialog = CDialogManager::Instance().Create(whole.data(), whole.size(), nullptr, parent,
                                                        &ProbeProc, 0, false);
        EXPECT_NE(nullptr, dialog) << extended;
        DestroyWindow(dialog);
    }
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD)); // nothing was left behind
}

TEST_F(DialogTest, UnknownControlClassDestroysTheDialog) {
    DialogLayout layout = FormSpec(WS_CHILD);
    ItemLayout odd = Item(0, 0, 300, 0, 0, 10, 10);
    odd.className = u"NoSuchClass32";
    layout.items.push_back(odd);
    SetLastError(0);
    EXPECT_EQ(nullptr, Modeless(layout));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD));
    EXPECT_EQ(nullptr, g_probe.dialog); // WM_INITDIALOG never came
    // DS_NOFAILCREATE keeps the dialog without the control.
    layout.style |= DS_NOFAILCREATE;
    HWND dialog = Modeless(layout);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, GetDlgItem(dialog, 300));
    EXPECT_NE(nullptr, GetDlgItem(dialog, IDCANCEL));
}

TEST_F(DialogTest, CallsOnWindowsThatAreNoDialogsFail) {
    HWND plain = Child(L"Static", 0, 5);
    RECT r{1, 1, 2, 2};
    EXPECT_FALSE(MapDialogRect(plain, &r));
    EXPECT_FALSE(EndDialog(plain, 1));
    EXPECT_FALSE(EndDialog(reinterpret_cast<HWND>(0x7777), 1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    EXPECT_EQ(nullptr, CreateDialogIndirectParamW(nullptr, nullptr, parent, &ProbeProc, 0));
    EXPECT_EQ(-1, DialogBoxIndirectParamW(nullptr, nullptr, parent, &ProbeProc, 0));
    EXPECT_EQ(nullptr, CreateDialogParamW(nullptr, MAKEINTRESOURCEW(4242), parent, &ProbeProc, 0));
}

// --- Keyboard: Tab, Enter, Escape, arrows. ------------------------------------------

TEST_F(DialogTest, TabWalksTheTabStopsInBothDirections) {
    HWND dialog = Modeless(FormSpec(WS_CHILD | WS_VISIBLE | DS_SETFONT));
    ASSERT_NE(nullptr, dialog);
    PumpThroughDialog(dialog);
    struct Step {
        UINT modifiers;
        int expected;
    };
    // The label has no tab stop and the disabled button is skipped; the walk wraps.
    const std::vector<Step> steps = {
        {CUserHand::kNone, kApplyId}, {CUserHand::kNone, kComboId},  {CUserHand::kNone, IDOK},
        {CUserHand::kNone, IDCANCEL}, {CUserHand::kNone, kEditId},   {CUserHand::kShift, IDCANCEL},
        {CUserHand::kShift, IDOK},    {CUserHand::kShift, kComboId}, {CUserHand::kShift, kApplyId},
    };
    ASSERT_EQ(GetDlgItem(dialog, kEditId), GetFocus());
    for (size_t i = 0; i < steps.size(); ++i) {
        CUserHand::Instance().PressKey(VK_TAB, steps[i].modifiers);
        EXPECT_EQ(GetDlgItem(dialog, steps[i].expected), GetFocus()) << "step " << i;
    }
    EXPECT_TRUE(g_probe.commands.empty());
}

TEST_F(DialogTest, NextTabItemEntersNestedChildDialogs) {
    HWND outer = Modeless(FormSpec(WS_CHILD | WS_VISIBLE));
    ASSERT_NE(nullptr, outer);
    DialogLayout inner;
    inner.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    inner.items = {Item(kEditClassOrdinal, WS_TABSTOP, 501, 0, 0, 20, 10),
                   Item(kEditClassOrdinal, WS_TABSTOP, 502, 0, 12, 20, 10)};
    std::vector<BYTE> bytes = BuildTemplate(inner, false);
    HWND page = CreateDialogIndirectParamW(nullptr, bytes.data(), outer, &ProbeProc, 0);
    ASSERT_NE(nullptr, page);
    // The page was created last, so its controls come after Cancel.
    EXPECT_EQ(GetDlgItem(page, 501), GetNextDlgTabItem(outer, GetDlgItem(outer, IDCANCEL), FALSE));
    EXPECT_EQ(GetDlgItem(page, 502), GetNextDlgTabItem(outer, GetDlgItem(page, 501), FALSE));
    EXPECT_EQ(GetDlgItem(outer, kEditId), GetNextDlgTabItem(outer, GetDlgItem(page, 502), FALSE));
    EXPECT_EQ(GetDlgItem(page, 502), GetNextDlgTabItem(outer, GetDlgItem(outer, kEditId), TRUE));
    // From a control without a tab stop, the next one after it.
    EXPECT_EQ(GetDlgItem(outer, kApplyId), GetNextDlgTabItem(outer, GetDlgItem(outer, kLabelId), FALSE));
    EXPECT_EQ(GetDlgItem(outer, kEditId), GetNextDlgTabItem(outer, nullptr, FALSE));
}

struct KeyCase {
    const char* name;
    int focus; // the control with the focus when the key is pressed
    int key;
    bool defaultOk; // OK keeps BS_DEFPUSHBUTTON (else it is a plain push button)
    int command;    // the WM_COMMAND id the dialog procedure gets (0: none)
};
void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class DialogKeyTest : public DialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, EnterAndEscapeBecomeCommands) {
    const KeyCase& c = GetParam();
    DialogLayout layout = FormSpec(WS_CHILD | WS_VISIBLE);
    if (!c.defaultOk) {
        layout.items[5].style &= ~BS_DEFPUSHBUTTON;
        layout.items[5].id = 120; // no IDOK at all
    }
    HWND dialog = Modeless(layout);
    ASSERT_NE(nullptr, dialog);
    PumpThroughDialog(dialog);
    SetFocus(GetDlgItem(dialog, c.focus));
    CUserHand::Instance().PressKey(c.key);
    const std::vector<int> expected = c.command ? std::vector<int>{c.command} : std::vector<int>{};
    EXPECT_EQ(expected, g_probe.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeyTest,
    ::testing::Values(KeyCase{"EnterInEditPressesTheDefault", kEditId, VK_RETURN, true, IDOK},
                      KeyCase{"EnterWithoutDefaultSendsIdOk", kEditId, VK_RETURN, false, IDOK},
                      KeyCase{"EnterOnAPushButtonPressesIt", kApplyId, VK_RETURN, true, kApplyId},
                      KeyCase{"EscapeSendsIdCancel", kEditId, VK_ESCAPE, true, IDCANCEL},
                      KeyCase{"EscapeFromTheComboSendsIdCancel", kComboId, VK_ESCAPE, true, IDCANCEL}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ControlsKeepTheKeysTheyAskFor) {
    HWND dialog = Modeless(FormSpec(WS_CHILD | WS_VISIBLE));
    ASSERT_NE(nullptr, dialog);
    PumpThroughDialog(dialog);
    HWND combo = GetDlgItem(dialog, kComboId);
    for (const wchar_t* text : {L"one", L"two", L"three"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    // The edit wants characters: typing reaches it.
    ASSERT_EQ(GetDlgItem(dialog, kEditId), GetFocus());
    CUserHand::Instance().Type(L"ab");
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, kEditId, text, 16);
    EXPECT_STREQ(L"ab", text);
    // The combo box wants arrows: Down changes its selection and keeps the focus.
    SetFocus(combo);
    CUserHand::Instance().PressKey(VK_DOWN);
    EXPECT_EQ(combo, GetFocus());
    EXPECT_EQ(1, SendMessageW(combo, CB_GETCURSEL, 0, 0));
    // A button does not: Right moves on within its group (all one group here).
    SetFocus(GetDlgItem(dialog, IDOK));
    CUserHand::Instance().PressKey(VK_RIGHT);
    EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), GetFocus());
}

TEST_F(DialogTest, DisabledDefaultButtonOnlyBeeps) {
    HWND dialog = Modeless(FormSpec(WS_CHILD | WS_VISIBLE));
    ASSERT_NE(nullptr, dialog);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    PumpThroughDialog(dialog);
    CUserHand::Instance().PressKey(VK_RETURN);
    EXPECT_TRUE(g_probe.commands.empty());
    // DM_SETDEFID moves the default: Enter now presses Apply.
    SendMessageW(dialog, DM_SETDEFID, kApplyId, 0);
    EXPECT_EQ(MAKELONG(kApplyId, DC_HASDEFID), SendMessageW(dialog, DM_GETDEFID, 0, 0));
    CUserHand::Instance().PressKey(VK_RETURN);
    EXPECT_EQ(std::vector<int>{kApplyId}, g_probe.commands);
}

// --- Modal dialogs. -------------------------------------------------------------------

enum class Act { ClickApply, PressEnter, PressEscape, Nothing, EndInInit };

struct ModalCase {
    const char* name;
    Act act;
    INT_PTR expected;
};
void PrintTo(const ModalCase& c, std::ostream* out) {
    *out << c.name;
}

class DialogModalTest : public DialogTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(DialogModalTest, RunsUntilEndDialogAndReturnsItsValue) {
    const ModalCase& c = GetParam();
    bool ownerDisabledWhileRunning = false;
    g_probe.endOnCommand = true;
    if (c.act == Act::EndInInit)
        g_probe.onInit = [](HWND dialog) { EndDialog(dialog, 5); };
    CUserHand& hand = CUserHand::Instance();
    hand.WhenNextDialogOpens([&](HWND dialog) {
        ownerDisabledWhileRunning = !IsWindowEnabled(parent);
        if (c.act == Act::ClickApply)
            hand.Click(GetDlgItem(dialog, kApplyId));
        else if (c.act == Act::PressEnter)
            hand.PressKey(VK_RETURN);
        else if (c.act == Act::PressEscape)
            hand.PressKey(VK_ESCAPE);
    });
    int hookCalls = 0;
    CMessagePump::Instance().SetPreTranslateHook([&hookCalls](MSG& msg) {
        hookCalls += msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN;
        return false;
    });
    std::vector<BYTE> bytes =
        BuildTemplate(FormSpec(WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT), true);
    SetLastError(0);
    const INT_PTR result = DialogBoxIndirectParamW(nullptr, bytes.data(), parent, &ProbeProc, 0);
    EXPECT_EQ(c.expected, result);
    EXPECT_TRUE(IsWindowEnabled(parent));
    EXPECT_FALSE(IsWindow(g_probe.dialog));
    if (c.act == Act::Nothing) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_TIMEOUT), GetLastError());
    }
    if (c.act != Act::EndInInit) {
        // The hand acted once the dialog was shown, with its owner disabled.
        EXPECT_TRUE(ownerDisabledWhileRunning);
        EXPECT_EQ(0u, hand.ArmedActions());
    } else {
        EXPECT_EQ(1u, hand.ArmedActions()) << "a dialog that never ran its loop takes no action";
    }
    if (c.act != Act::Nothing && c.act != Act::EndInInit) {
        // The outer pre-translate hook saw the input before the dialog did.
        EXPECT_GE(hookCalls, 1);
    }
    hand.Reset();
}

INSTANTIATE_TEST_SUITE_P(Endings, DialogModalTest,
                         ::testing::Values(ModalCase{"ClickOnAButton", Act::ClickApply, 1000 + kApplyId},
                                           ModalCase{"EnterPressesOk", Act::PressEnter, 1000 + IDOK},
                                           ModalCase{"EscapeCancels", Act::PressEscape, 1000 + IDCANCEL},
                                           ModalCase{"EndedDuringInit", Act::EndInInit, 5},
                                           ModalCase{"NoOneCanEndIt", Act::Nothing, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, ModalDialogIsPlacedOverItsOwnersClientArea) {
    MoveWindow(parent, 100, 200, 400, 300, FALSE);
    g_probe.onInit = [](HWND dialog) {
        RECT r{};
        GetWindowRect(dialog, &r);
        g_probe.commands = {static_cast<int>(r.left), static_cast<int>(r.top)};
        EndDialog(dialog, 3);
    };
    DialogLayout layout = FormSpec(WS_POPUP | DS_SETFONT);
    layout.x = 20;
    layout.y = 16;
    std::vector<BYTE> bytes = BuildTemplate(layout, false);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    EXPECT_EQ(3, DialogBoxIndirectParamW(nullptr, bytes.data(), parent, &ProbeProc, 0));
    EXPECT_EQ((std::vector<int>{origin.x + 30, origin.y + 26}), g_probe.commands);
}

// --- The creation hook. -----------------------------------------------------------------

std::vector<std::string> g_hookLog;

LRESULT CALLBACK RecordingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        g_hookLog.push_back("WM_NCCREATE");
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(DialogTest, CbtHookSeesTheWindowBeforeWmNcCreate) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecordingWndProc;
    wc.lpszClassName = L"HookProbe";
    ASSERT_NE(0, RegisterClassW(&wc));
    g_hookLog.clear();
    static bool refuse = false;
    refuse = false;
    HHOOK first = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            g_hookLog.push_back("first");
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, 0);
    HHOOK second = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            g_hookLog.push_back(code == HCBT_CREATEWND && IsWindow(reinterpret_cast<HWND>(wParam)) &&
                                        create->lpcs->cx == 33
                                    ? "second"
                                    : "second?");
            if (refuse)
                return 1;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, 0);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    // Each hook passes the call on with CallNextHookEx; the newest runs first.
    m_hooks = {second, first};
    HWND hwnd =
        CreateWindowExW(0, L"HookProbe", L"", WS_CHILD, 0, 0, 33, 10, parent, nullptr, nullptr, nullptr);
    EXPECT_NE(nullptr, hwnd);
    EXPECT_EQ((std::vector<std::string>{"second", "first", "WM_NCCREATE"}), g_hookLog);
    // A hook that answers non-zero refuses the window: no message reaches it.
    g_hookLog.clear();
    refuse = true;
    EXPECT_EQ(nullptr, CreateWindowExW(0, L"HookProbe", L"", WS_CHILD, 0, 0, 33, 10, parent, nullptr, nullptr,
                                       nullptr));
    EXPECT_EQ(std::vector<std::string>{"second"}, g_hookLog);
    DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD));
    // Unhooked twice: the second time fails.
    EXPECT_TRUE(UnhookWindowsHookEx(second));
    EXPECT_FALSE(UnhookWindowsHookEx(second));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE), GetLastError());
    EXPECT_TRUE(UnhookWindowsHookEx(first));
    m_hooks.clear();
    EXPECT_EQ(nullptr,
              SetWindowsHookExW(
                  2 /* WH_KEYBOARD */, [](int, WPARAM, LPARAM) -> LRESULT { return 0; }, nullptr, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HOOK_FILTER), GetLastError());
    UnregisterClassW(L"HookProbe", nullptr);
}

} // namespace
