#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/kernel/Module.h"
#include "platform/mfc/AfxMessageBox.h"
#include "platform/mfc/Button.h"
#include "platform/mfc/ComboBox.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/ModuleState.h"
#include "platform/mfc/TabCtrl.h"
#include "platform/mfc/ToolTipCtrl.h"
#include "platform/mfc/WaitCursor.h"
#include "platform/user/Controls.h"
#include "tests/platform/fixtures/TestDialogIds.h"
#include "tests/platform/mfc/MfcTestSupport.h"

namespace {

std::vector<std::string> g_events;

} // namespace

extern "C" void PvMfcTestRecord(const char* event) {
    g_events.emplace_back(event);
}

namespace {

// PV_BIN_DIR, or else the test program's own folder, where the build puts every binary.
std::string BinDir() {
    if (const char* bin = std::getenv("PV_BIN_DIR"); bin && *bin)
        return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::wstring ZPath(const std::string& unixPath) {
    std::wstring dos = L"Z:" + CTextCodec::FromUtf8(unixPath);
    for (wchar_t& c : dos)
        if (c == L'/')
            c = L'\\';
    return dos;
}

class FrameworkTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        top = TopLevel();
    }
    HWND top = nullptr;
};

// ---- Data exchange ---------------------------------------------------------------------

class CCountingEdit : public CEdit {
public:
    void OnChar(UINT ch, UINT repeat, UINT flags) override {
        ++chars;
        CEdit::OnChar(ch, repeat, flags);
    }
    int chars = 0;
};

TEST_F(FrameworkTest, DdxControlSubclassesOnceAndTheEditKeepsItsOwnProcessing) {
    HWND item = Child(top, WC_EDITW, 0, 21);
    const LONG_PTR editProc = GetWindowLongPtrW(item, GWLP_WNDPROC);
    CWnd dialog;
    ASSERT_TRUE(dialog.Attach(top));
    CCountingEdit edit;
    for (BOOL save : {FALSE, TRUE, FALSE}) {
        CDataExchange dx(&dialog, save);
        DDX_Control(&dx, 21, edit);
        EXPECT_FALSE(dx.Failed());
        EXPECT_EQ(item, edit.m_hWnd);
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc), GetWindowLongPtrW(item, GWLP_WNDPROC));
    }
    hand.Focus(item);
    hand.Type(L"ab");
    // Each character once through the object, once through the edit's own procedure.
    EXPECT_EQ(2, edit.chars);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(L"ab", std::wstring(text));
    edit.UnsubclassWindow();
    EXPECT_EQ(editProc, GetWindowLongPtrW(item, GWLP_WNDPROC));
    dialog.Detach();
}

TEST_F(FrameworkTest, DdxControlFailsTheExchangeForAMissingOrTakenItem) {
    Child(top, WC_EDITW, 0, 21);
    CWnd dialog;
    ASSERT_TRUE(dialog.Attach(top));
    CEdit first;
    CEdit second;
    CEdit third;
    CDataExchange dx(&dialog, FALSE);
    DDX_Control(&dx, 21, first);
    EXPECT_FALSE(dx.Failed());
    DDX_Control(&dx, 99, second);
    EXPECT_TRUE(dx.Failed());
    EXPECT_EQ(99, dx.FailedId());
    EXPECT_EQ(nullptr, second.m_hWnd);
    CDataExchange again(&dialog, FALSE);
    DDX_Control(&again, 21, third); // already the first object's
    EXPECT_TRUE(again.Failed());
    EXPECT_EQ(nullptr, third.m_hWnd);
    dialog.Detach();
}

// ---- The application object of a module -------------------------------------------

TEST_F(FrameworkTest, AModulesApplicationRunsInitInstanceAtLoadAndExitInstanceAtFreeLibrary) {
    g_events.clear();
    const std::wstring path = ZPath(BinDir() + "/PvTestMfcApp.dll");
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, module);
    const std::string help = CTextCodec::ToUtf8(path.substr(0, path.size() - 4)) + ".HLP";
    EXPECT_EQ((std::vector<std::string>{"init " + help + " current"}), g_events);
    EXPECT_EQ(nullptr, AfxGetApp()); // the test program's own state has no application
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ((std::vector<std::string>{"init " + help + " current", "exit current"}), g_events);
}

// ---- Wait cursor and message box ------------------------------------------------------

TEST_F(FrameworkTest, NestedWaitCursorsBringTheEarlierCursorBackOnlyAtTheEnd) {
    HCURSOR beam = LoadCursorW(nullptr, IDC_IBEAM);
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(beam);
    {
        CWaitCursor outer;
        EXPECT_EQ(wait, GetCursor());
        {
            CWaitCursor inner;
            SetCursor(beam);
            inner.Restore();
        }
        EXPECT_EQ(wait, GetCursor());
    }
    EXPECT_EQ(beam, GetCursor());
    EXPECT_EQ((std::vector<HCURSOR>{beam, wait, wait, beam, wait, beam}),
              CUserRecorder::Instance().Cursors());
}

TEST_F(FrameworkTest, AfxMessageBoxWithTextIsAnsweredByTheHand) {
    hand.AnswerNextMessageBox(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(L"Discard the changes?", MB_YESNO | MB_ICONQUESTION));
    const auto& boxes = CUserRecorder::Instance().MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Discard the changes?", boxes[0].text);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, boxes[0].type);
    EXPECT_EQ(nullptr, boxes[0].owner);
}

struct PromptCase {
    const char* library;
    UINT id;
    int answer;
    const wchar_t* text; // null: no box
};

class AfxMessageBoxPrompt : public FrameworkTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(AfxMessageBoxPrompt, TheTextComesFromTheCurrentResourceModule) {
    const PromptCase& c = GetParam();
    HMODULE library = LoadLibraryW(ZPath(BinDir() + "/" + c.library).c_str());
    ASSERT_NE(nullptr, library);
    AFX_MODULE_STATE state;
    state.m_hCurrentInstanceHandle = library;
    state.m_hCurrentResourceHandle = library;
    {
        AFX_MANAGE_STATE(&state);
        hand.AnswerNextMessageBox(IDOK);
        EXPECT_EQ(c.answer, AfxMessageBox(c.id));
    }
    const auto& boxes = CUserRecorder::Instance().MessageBoxes();
    if (c.text) {
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.text, boxes[0].text);
    } else {
        EXPECT_TRUE(boxes.empty());
    }
    FreeLibrary(library);
}

INSTANTIATE_TEST_SUITE_P(Table, AfxMessageBoxPrompt,
                         ::testing::Values(PromptCase{"PvTestDialogsENU.dll", IDS_MONTH_RANGE, IDOK,
                                                      L"The month must be a number from 1 to 12."},
                                           PromptCase{"PvTestDialogsDEU.dll", IDS_MONTH_RANGE, IDOK,
                                                      L"Der Monat muss eine Zahl von 1 bis 12 sein."},
                                           PromptCase{"PvTestDialogsENU.dll", 4711, 0, nullptr}));

// ---- Dialog initialisation data ------------------------------------------------------

struct DlgInitCase {
    const char* name;
    const char* library;
    WORD templateId;
    bool withCombo;
    BOOL result;
    std::vector<std::wstring> items;
};

class DlgInit : public FrameworkTest, public ::testing::WithParamInterface<DlgInitCase> {};

TEST_P(DlgInit, TheRecordsOfTheCurrentResourceModuleFillTheItems) {
    const DlgInitCase& c = GetParam();
    HMODULE library = LoadLibraryW(ZPath(BinDir() + "/" + c.library).c_str());
    ASSERT_NE(nullptr, library);
    CWnd dialog;
    ASSERT_TRUE(dialog.Attach(top));
    CComboBox ampm;
    if (c.withCombo) {
        ASSERT_TRUE(ampm.Attach(Child(top, WC_COMBOBOXW, CBS_DROPDOWNLIST, IDC_FORM_AMPM)));
    }
    AFX_MODULE_STATE state;
    state.m_hCurrentInstanceHandle = library;
    state.m_hCurrentResourceHandle = library;
    {
        AFX_MANAGE_STATE(&state);
        EXPECT_EQ(c.result, dialog.ExecuteDlgInit(MAKEINTRESOURCEW(c.templateId)));
    }
    std::vector<std::wstring> items;
    for (int i = 0; c.withCombo && i < ampm.GetCount(); ++i) {
        CString text;
        ampm.GetLBText(i, text);
        items.emplace_back(text);
    }
    EXPECT_EQ(c.items, items);
    ampm.Detach();
    dialog.Detach();
    FreeLibrary(library);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DlgInit,
    ::testing::Values(
        DlgInitCase{"English", "PvTestDialogsENU.dll", IDD_FORM, true, TRUE, {L"AM", L"PM"}},
        DlgInitCase{"German", "PvTestDialogsDEU.dll", IDD_FORM, true, TRUE, {L"AM", L"PM"}},
        DlgInitCase{"NoDataForTemplate", "PvTestDialogsENU.dll", IDD_PLAIN, true, TRUE, {}},
        DlgInitCase{"ItemMissing", "PvTestDialogsENU.dll", IDD_FORM, false, FALSE, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameworkTest, MalformedInitDataFailsWithoutSendingAnything) {
    CWnd dialog;
    ASSERT_TRUE(dialog.Attach(top));
    CComboBox combo;
    ASSERT_TRUE(combo.Attach(Child(top, WC_COMBOBOXW, CBS_DROPDOWNLIST, 4)));
    // One good record, then a record whose byte count runs past the end.
    const BYTE data[] = {4, 0, 0x03, 0x04, 3, 0, 0, 0, 'A', 'M', 0, 4, 0, 0x03, 0x04, 9, 0, 0, 0, 'P'};
    EXPECT_FALSE(dialog.ExecuteDlgInit(data, sizeof data));
    EXPECT_EQ(0, combo.GetCount());
    combo.Detach();
    dialog.Detach();
}

// ---- Control wrappers: what they pack into and read out of the messages ---------------

TEST_F(FrameworkTest, ComboBoxWrapperReadsItemsAndSelection) {
    CComboBox combo;
    ASSERT_TRUE(combo.Attach(Child(top, WC_COMBOBOXW, CBS_DROPDOWNLIST, 5, {0, 0, 100, 20})));
    EXPECT_EQ(0, combo.AddString(L"kg/l"));
    EXPECT_EQ(1, combo.AddString(L"g/cm3"));
    EXPECT_EQ(1, combo.InsertString(1, L"lb/ft3"));
    EXPECT_EQ(3, combo.GetCount());
    CString text;
    EXPECT_EQ(5, combo.GetLBText(2, text));
    EXPECT_EQ(L"g/cm3", std::wstring(text));
    EXPECT_EQ(CB_ERR, combo.GetLBText(3, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(1, combo.FindStringExact(-1, L"lb/ft3"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, L"lb"));
    EXPECT_EQ(2, combo.SetCurSel(2));
    EXPECT_EQ(2, combo.GetCurSel());
    combo.SetItemData(2, 12040);
    EXPECT_EQ(12040u, combo.GetItemData(2));
    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

TEST_F(FrameworkTest, EditWrapperSelectsReplacesAndLimits) {
    CEdit edit;
    ASSERT_TRUE(edit.Attach(Child(top, WC_EDITW, 0, 6)));
    edit.SetWindowText(L"12.5");
    edit.SetSel(0, -1);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(4, end);
    edit.SetSel(2, 4);
    edit.ReplaceSel(L"75", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(L"1275", std::wstring(text));
    EXPECT_TRUE(edit.CanUndo());
    edit.SetLimitText(8);
    EXPECT_EQ(8u, edit.GetLimitText());
    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_EQ(static_cast<DWORD>(ES_READONLY), edit.GetStyle() & ES_READONLY);
}

TEST_F(FrameworkTest, TabAndToolTipWrappers) {
    CTabCtrl tab;
    ASSERT_TRUE(tab.Attach(Child(top, WC_TABCONTROLW, 0, 7, {0, 0, 300, 200})));
    EXPECT_EQ(0, tab.InsertItem(0, L"Totalizer 1"));
    EXPECT_EQ(1, tab.InsertItem(1, L"Totalizer 2"));
    EXPECT_EQ(2, tab.GetItemCount());
    EXPECT_EQ(0, tab.SetCurSel(1)); // answers the previous selection
    EXPECT_EQ(1, tab.GetCurSel());
    wchar_t buffer[32] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 32;
    ASSERT_TRUE(tab.GetItem(1, &item));
    EXPECT_EQ(std::wstring(L"Totalizer 2"), buffer);
    RECT rect{};
    ASSERT_TRUE(tab.GetItemRect(1, &rect));
    TCHITTESTINFO hit{{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, 0};
    EXPECT_EQ(1, tab.HitTest(&hit));
    EXPECT_EQ(1, tab.GetRowCount());

    CWnd parent;
    ASSERT_TRUE(parent.Attach(top));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent, TTS_ALWAYSTIP));
    EXPECT_EQ(top, GetWindow(tip.m_hWnd, GW_OWNER));
    tip.SetDelayTime(TTDT_AUTOPOP, 32767);
    tip.SetDelayTime(TTDT_INITIAL, 0);
    EXPECT_EQ(32767, tip.SendMessage(TTM_GETDELAYTIME, TTDT_AUTOPOP));
    EXPECT_EQ(0, tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
    const RECT area{10, 10, 60, 30};
    EXPECT_TRUE(tip.AddTool(&parent, L"Full text", &area, 9023));
    EXPECT_FALSE(tip.AddTool(&parent, L"Again", &area, 9023)); // one tool per id
    EXPECT_EQ(1, tip.GetToolCount());
    tip.UpdateTipText(L"Shorter", &parent, 9023);
    wchar_t tipText[32] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = top;
    info.uId = 9023;
    info.lpszText = tipText;
    tip.SendMessage(TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::wstring(L"Shorter"), tipText);
    tip.DelTool(&parent, 9023);
    EXPECT_EQ(0, tip.GetToolCount());
    tip.DestroyWindow();
    EXPECT_EQ(nullptr, tip.m_hWnd);
    tab.Detach();
    parent.Detach();
}

} // namespace
