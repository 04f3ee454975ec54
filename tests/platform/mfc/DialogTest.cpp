#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/kernel/Module.h"
#include "platform/mfc/ComboBox.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/Controls.h"
#include "tests/platform/fixtures/TestDialogIds.h"
#include "tests/platform/mfc/MfcTestSupport.h"

namespace {

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

// The tests' form: binds the AM/PM box and the customer edit, and records what it sees
// while it is being created.
class CSettingsDialog : public CDialog {
public:
    CSettingsDialog() : CDialog(IDD_FORM) {}

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITDIALOG || msg == WM_SETFONT || msg == WM_CREATE)
            messages.push_back(msg);
        return CDialog::WindowProc(msg, wParam, lParam);
    }
    BOOL OnInitDialog() override {
        ++initCalls;
        return CDialog::OnInitDialog();
    }
    void OnCancel() override { cancelled = true; }
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_FORM_AMPM, ampm);
        DDX_Control(dx, IDC_FORM_CUSTOMER, customer);
        if (bindMissingItem)
            DDX_Control(dx, 4711, missing);
        itemsAtExchange = ampm.GetCount();
    }

    CComboBox ampm;
    CEdit customer;
    CEdit missing;
    bool bindMissingItem = false;
    bool cancelled = false;
    int initCalls = 0;
    int itemsAtExchange = -1;
    std::vector<UINT> messages;
};

class DialogTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        english = LoadLibraryW(ZPath(BinDir() + "/PvTestDialogsENU.dll").c_str());
        german = LoadLibraryW(ZPath(BinDir() + "/PvTestDialogsDEU.dll").c_str());
        ASSERT_NE(nullptr, english);
        ASSERT_NE(nullptr, german);
        for (auto [state, library] : {std::pair{&englishState, english}, std::pair{&germanState, german}}) {
            state->m_hCurrentInstanceHandle = library;
            state->m_hCurrentResourceHandle = library;
        }
        host = TopLevel(L"host");
    }
    void TearDown() override {
        MfcTest::TearDown();
        FreeLibrary(english);
        FreeLibrary(german);
    }

    HMODULE english = nullptr;
    HMODULE german = nullptr;
    AFX_MODULE_STATE englishState;
    AFX_MODULE_STATE germanState;
    HWND host = nullptr;
};

struct LanguageCase {
    const char* name;
    bool german;
    const wchar_t* sendTexts;
};

class DialogLanguage : public DialogTest, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(DialogLanguage, CreateTakesTheTemplateFromTheCurrentResourceModule) {
    const LanguageCase& c = GetParam();
    CSettingsDialog dialog;
    // The host's window is wrapped for the call only, as a page does it.
    CWnd parent;
    ASSERT_TRUE(parent.Attach(host));
    {
        AFX_MANAGE_STATE(c.german ? &germanState : &englishState);
        ASSERT_TRUE(dialog.Create(IDD_FORM, &parent));
    }
    parent.Detach();
    EXPECT_EQ(host, ::GetParent(dialog.m_hWnd));
    CString text;
    dialog.GetDlgItem(IDC_FORM_SEND)->GetWindowText(text);
    EXPECT_EQ(std::wstring(c.sendTexts), std::wstring(text));
    EXPECT_EQ(static_cast<UINT>(IDD_FORM), dialog.m_nIDHelp);
}

INSTANTIATE_TEST_SUITE_P(Table, DialogLanguage,
                         ::testing::Values(LanguageCase{"English", false, L"Send texts"},
                                           LanguageCase{"German", true, L"Texte senden"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, InitialisationFillsTheAmPmBoxBeforeTheDataExchangeBindsIt) {
    CSettingsDialog dialog;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(host));
    {
        AFX_MANAGE_STATE(&englishState);
        ASSERT_TRUE(dialog.Create(IDD_FORM, &parent));
    }
    parent.Detach();
    EXPECT_EQ(1, dialog.initCalls);
    EXPECT_EQ(2, dialog.itemsAtExchange);
    ASSERT_EQ(2, dialog.ampm.GetCount());
    CString am;
    CString pm;
    dialog.ampm.GetLBText(0, am);
    dialog.ampm.GetLBText(1, pm);
    EXPECT_EQ(L"AM", std::wstring(am));
    EXPECT_EQ(L"PM", std::wstring(pm));
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, IDC_FORM_AMPM), dialog.ampm.m_hWnd);
    EXPECT_EQ(&dialog.customer, CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_FORM_CUSTOMER)));
    // The object had the window from its creation on: it saw the dialog's first messages
    // and WM_INITDIALOG itself.
    EXPECT_EQ((std::vector<UINT>{WM_CREATE, WM_SETFONT, WM_INITDIALOG}), dialog.messages);
    EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
    // The creation hook is gone: a window made afterwards belongs to nobody.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(TopLevel(L"later")));
}

TEST_F(DialogTest, AFailedDataExchangeEndsTheDialogAndCreateFails) {
    CSettingsDialog dialog;
    dialog.bindMissingItem = true;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(host));
    {
        AFX_MANAGE_STATE(&englishState);
        EXPECT_FALSE(dialog.Create(IDD_FORM, &parent));
    }
    parent.Detach();
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, ::GetWindow(host, GW_CHILD)); // nothing left behind
}

TEST_F(DialogTest, AMissingTemplateFailsCreate) {
    CSettingsDialog dialog;
    AFX_MANAGE_STATE(&englishState);
    EXPECT_FALSE(dialog.Create(4711, CWnd::FromHandle(host)));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(0, dialog.initCalls);
}

TEST_F(DialogTest, CancelCommandsReachOnCancel) {
    CSettingsDialog dialog;
    {
        AFX_MANAGE_STATE(&englishState);
        ASSERT_TRUE(dialog.Create(IDD_FORM, CWnd::FromHandle(host)));
    }
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.cancelled);
}

TEST_F(DialogTest, DestroyingTheDialogLetsGoOfItAndItsControls) {
    CSettingsDialog dialog;
    {
        AFX_MANAGE_STATE(&englishState);
        ASSERT_TRUE(dialog.Create(IDD_FORM, CWnd::FromHandle(host)));
    }
    HWND hwnd = dialog.m_hWnd;
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(nullptr, dialog.ampm.m_hWnd);
    EXPECT_EQ(nullptr, dialog.customer.m_hWnd);
}

} // namespace
