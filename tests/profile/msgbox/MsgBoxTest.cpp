// The profile's message boxes: their layout and template bytes, run through the window
// system and answered by the user's hand, their help, nesting, and what they refuse.
#include <cairo.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

#include "host/HostDlgManager.h"
#include "host/HostServers.h"
#include "host/WindowPicture.h"
#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/hand/UserHand.h"
#include "platform/htmlhelp/HtmlHelp.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/DialogTemplate.h"
#include "platform/user/SystemMenu.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"
#include "profile/msgbox/PVMsgBox.h"
#include "profile/msgbox/PVMsgBoxDlgTemplate.h"

namespace {

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClock::Instance().SetVirtual(true);
        CUserHand::Instance().Reset();
        CUserRecorder::Instance().Clear();
        CHtmlHelp::Instance().ClearRequests();
        // The test program is the module whose instance the boxes run with.
        AfxGetStaticModuleState()->m_hCurrentInstanceHandle = GetModuleHandleW(nullptr);
        ASSERT_EQ(S_OK, servers.Register());
        owner = CreateWindowExW(0, L"Static", L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner);
        CFaultInjector::Instance().ClearAll();
    }
    // The template of a box, parsed back as the window system reads it.
    CDialogTemplate Built(UINT style, const wchar_t* text, std::vector<BYTE>* raw = nullptr) {
        CPVMsgBoxDlgTemplate box;
        EXPECT_TRUE(box.Init(style, text, L"C", owner, 0, nullptr));
        PVByteArray bytes;
        const UINT size = box.BuildTemplate(&bytes);
        CDialogTemplate parsed;
        EXPECT_EQ(S_OK, parsed.Parse(bytes.get(), size));
        if (raw)
            raw->assign(bytes.get(), bytes.get() + size);
        return parsed;
    }

    std::shared_ptr<CHostContext> context = CHostContext::Create();
    CHostServers servers{context};
    CAopLogCapture log;
    HWND owner = nullptr;
};

struct ItemRow {
    DWORD id;
    WORD classOrdinal;
    std::wstring title; // empty: an icon, named by `icon`
    WORD icon;
    DWORD style;
    SHORT x, y, cx, cy;
};

struct LayoutRow {
    const char* name;
    UINT style;
    const wchar_t* text;
    DWORD dialogStyle;
    SHORT cx, cy;
    std::vector<ItemRow> items;
};

// Dialog units of the system font (8 x 16): half the pixels of the layout, which
// measures in the message font (Segoe UI 9 pt: 7 pixels average, lines of 15).
const LayoutRow kLayouts[] = {
    {"OkWithoutIcon",
     MB_TASKMODAL,
     L"Hello",
     0x90C80880,
     51,
     36,
     {{1001, 0x82, L"Hello", 0, 0x50000000, 5, 5, 21, 10}, {1, 0x80, L"OK", 0, 0x50010001, 5, 19, 41, 12}}},
    {"YesNoExclamation",
     MB_YESNO | MB_ICONEXCLAMATION,
     L"Hello",
     0x90C80880,
     95,
     43,
     {{1001, 0x82, L"Hello", 0, 0x50000000, 30, 5, 21, 10},
      {1002, 0x82, L"", 32515, 0x50000003, 5, 5, 17, 17},
      {6, 0x80, L"&Yes", 0, 0x50010001, 5, 26, 41, 12},
      {7, 0x80, L"&No", 0, 0x50010000, 49, 26, 41, 12}}},
    {"ThirdDefaultOfTwoIsTheFirst",
     MB_YESNO | MB_DEFBUTTON3,
     L"Hello",
     0x90C80880,
     95,
     36,
     {{1001, 0x82, L"Hello", 0, 0x50000000, 5, 5, 21, 10},
      {6, 0x80, L"&Yes", 0, 0x50010001, 5, 19, 41, 12},
      {7, 0x80, L"&No", 0, 0x50010000, 49, 19, 41, 12}}},
    {"FourButtonsWithHelp",
     MB_ABORTRETRYIGNORE | MB_DEFBUTTON2 | MB_HELP,
     L"Hello",
     0x90C80880,
     183,
     36,
     {{1001, 0x82, L"Hello", 0, 0x50000000, 5, 5, 21, 10},
      {3, 0x80, L"&Abort", 0, 0x50010000, 5, 19, 41, 12},
      {4, 0x80, L"&Retry", 0, 0x50010001, 49, 19, 41, 12},
      {5, 0x80, L"&Ignore", 0, 0x50010000, 93, 19, 41, 12},
      {9, 0x80, L"&Help", 0, 0x50010000, 137, 19, 41, 12}}},
    {"TwoLinesBesideAnIcon",
     MB_OK | MB_ICONINFORMATION,
     L"Hello\nHello",
     0x90C80880,
     56,
     43,
     {{1001, 0x82, L"Hello\nHello", 0, 0x50000000, 30, 5, 21, 18},
      {1002, 0x82, L"", 32516, 0x50000003, 5, 5, 17, 17},
      {1, 0x80, L"OK", 0, 0x50010001, 8, 27, 41, 12}}},
    {"SystemModalQuestion",
     MB_SYSTEMMODAL | MB_ICONQUESTION | MB_RETRYCANCEL,
     L"Hello",
     0x90C80882,
     95,
     43,
     {{1001, 0x82, L"Hello", 0, 0x50000000, 30, 5, 21, 10},
      {1002, 0x82, L"", 32514, 0x50000003, 5, 5, 17, 17},
      {4, 0x80, L"&Retry", 0, 0x50010001, 5, 26, 41, 12},
      {2, 0x80, L"Cancel", 0, 0x50010000, 49, 26, 41, 12}}},
};

TEST_F(MsgBoxTest, LayoutAndItemsByStyle) {
    for (const LayoutRow& row : kLayouts) {
        SCOPED_TRACE(row.name);
        const CDialogTemplate t = Built(row.style, row.text);
        EXPECT_EQ(row.dialogStyle, t.style);
        EXPECT_FALSE(t.hasFont);
        EXPECT_EQ(L"C", t.title.name);
        EXPECT_EQ(std::make_pair(row.cx, row.cy), std::make_pair(t.cx, t.cy));
        ASSERT_EQ(row.items.size(), t.items.size());
        for (size_t i = 0; i < row.items.size(); ++i) {
            const ItemRow& want = row.items[i];
            const CDialogTemplate::Item& got = t.items[i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(want.id, got.id);
            EXPECT_EQ(want.classOrdinal, got.classOrdinal);
            EXPECT_EQ(want.title, got.title.name);
            EXPECT_EQ(want.icon, got.title.ordinal);
            EXPECT_EQ(want.style, got.style);
            EXPECT_EQ((std::vector<SHORT>{want.x, want.y, want.cx, want.cy}),
                      (std::vector<SHORT>{got.x, got.y, got.cx, got.cy}));
        }
    }
}

TEST_F(MsgBoxTest, TemplateBytesAreUtf16AndAligned) {
    std::vector<BYTE> raw;
    Built(MB_TASKMODAL, L"A\U0001F600", &raw);
    const std::vector<BYTE> expected = {
        0x80, 0x08, 0xC8, 0x90, 0, 0,   0, 0,    2,    0,    0,    0, 0,  0, 51, 0, 36,
        0,    0,    0,    0,    0, 'C', 0, 0,    0,    0,    0, // padding to the first item
        0,    0,    0,    0x50, 0, 0,   0, 0,    5,    0,    5,    0, 14, 0, 10, 0, 0xE9,
        0x03, 0xFF, 0xFF, 0x82, 0, 'A', 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0,  0, 0, // the text as a surrogate
                                                                                // pair; no creation data
        0x01, 0,    0x01, 0x50, 0, 0,   0, 0,    5,    0,    19,   0, 41, 0, 12, 0, 1,
        0,    0xFF, 0xFF, 0x80, 0, 'O', 0, 'K',  0,    0,    0,    0, 0};
    EXPECT_EQ(expected, raw);
}

// How many pixels of the rectangle of a PNG are dark in every channel.
int DarkPixels(const std::string& png, const RECT& r) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(png.c_str());
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    int dark = 0;
    for (int y = r.top; data && y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t p = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
            dark += (p & 0xFF) < 96 && ((p >> 8) & 0xFF) < 96 && ((p >> 16) & 0xFF) < 96;
        }
    cairo_surface_destroy(surface);
    return dark;
}

struct ModalRow {
    const char* name;
    UINT style;
    UINT helpId;
    int focusId;      // the default button, which has the focus
    bool closeGreyed; // no Cancel button
    bool helpButton;
    int press; // a button clicked, or 0: Enter pressed
    INT_PTR expected;
};

const ModalRow kModalRuns[] = {
    {"YesNoCancelSecondDefault", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, 0, IDNO, false, false,
     IDYES, IDYES},
    {"YesNoWithoutCancel", MB_YESNO | MB_ICONEXCLAMATION, 0, IDYES, true, false, IDNO, IDNO},
    {"EnterPressesTheDefault", MB_RETRYCANCEL | MB_DEFBUTTON2, 0, IDCANCEL, false, false, 0, IDCANCEL},
    {"HelpOnlyAboveItsBase", MB_OK | MB_ICONHAND, 0x30000, IDOK, true, false, IDOK, IDOK},
};

TEST_F(MsgBoxTest, RunsModallyUntilAButtonAnswers) {
    for (const ModalRow& row : kModalRuns) {
        SCOPED_TRACE(row.name);
        CUserHand::Instance().WhenNextDialogOpens([&](HWND dialog) {
            EXPECT_EQ(GetDlgItem(dialog, row.focusId), GetFocus());
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_EQ(row.closeGreyed ? MF_GRAYED : MF_ENABLED,
                      GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND));
            EXPECT_EQ(row.helpButton, GetDlgItem(dialog, 9) != nullptr);
            // The text speaks in the message font.
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(dialog, 1001), WM_GETFONT, 0, 0)),
                       sizeof(font), &font);
            EXPECT_EQ(std::wstring(L"Segoe UI"), font.lfFaceName);
            if (row.press)
                CUserHand::Instance().Click(GetDlgItem(dialog, row.press));
            else
                CUserHand::Instance().PressKey(VK_RETURN);
        });
        EXPECT_EQ(row.expected,
                  PVMsgBox(owner, L"Keep the changes?", L"Flow", row.style, row.helpId, nullptr));
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_TRUE(log.Messages().empty());
    }
}

TEST_F(MsgBoxTest, AppearsInAPicture) {
    const std::string png =
        (std::filesystem::temp_directory_path() / ("msgbox-" + std::to_string(getpid()) + ".png"));
    RECT textInPicture{};
    CUserHand::Instance().WhenNextDialogOpens([&](HWND dialog) {
        std::string error;
        ASSERT_TRUE(CWindowPicture::WritePng(dialog, png, &error)) << error;
        RECT box{}, text{};
        GetWindowRect(dialog, &box);
        GetWindowRect(GetDlgItem(dialog, 1001), &text);
        const LONG caption = GetSystemMetrics(SM_CYCAPTION);
        textInPicture = {text.left - box.left, text.top - box.top + caption, text.right - box.left,
                         text.bottom - box.top + caption};
        CUserHand::Instance().Click(GetDlgItem(dialog, IDOK));
    });
    ASSERT_EQ(IDOK, PVMsgBox(owner, L"Written to the device.", L"Flow", MB_OK | MB_ICONASTERISK, 0, nullptr));
    EXPECT_GT(DarkPixels(png, textInPicture), 20);
    std::filesystem::remove(png);
}

struct HelpRow {
    const char* name;
    const wchar_t* stored; // in the temporary folder
    const wchar_t* opened;
    bool shown;
};

const HelpRow kHelp[] = {
    {"OldHelpNameOpensItsChm", L"Flow.HLP", L"Flow.chm", true},
    {"MissingFileIsReported", L"Missing.chm", L"Missing.chm", false},
};

TEST_F(MsgBoxTest, HelpOpensTheTopicAndKeepsTheBoxOpen) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("msgbox-help-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Flow.chm") << "help";
    const std::wstring dos = CDosPath::ToDos(folder.string()) + L"\\";
    for (const HelpRow& row : kHelp) {
        SCOPED_TRACE(row.name);
        CHtmlHelp::Instance().ClearRequests();
        CUserRecorder::Instance().Clear();
        log.Clear();
        CUserHand::Instance().WhenNextDialogOpens([&](HWND dialog) {
            CUserHand::Instance().Click(GetDlgItem(dialog, 9));
            EXPECT_TRUE(IsWindow(dialog));
            CUserHand::Instance().Click(GetDlgItem(dialog, IDOK));
        });
        EXPECT_EQ(IDOK, PVMsgBox(owner, L"Time not set.", L"Flow", MB_ICONEXCLAMATION, 0x30001,
                                 (dos + row.stored).c_str()));
        ASSERT_EQ(1u, CHtmlHelp::Instance().Requests().size());
        const CHtmlHelp::Request& request = CHtmlHelp::Instance().Requests()[0];
        EXPECT_EQ(dos + row.opened, request.file);
        EXPECT_EQ(std::make_tuple(owner, HH_HELP_CONTEXT, DWORD_PTR{0x30001}),
                  std::make_tuple(request.caller, request.command, request.data));
        const auto& boxes = CUserRecorder::Instance().MessageBoxes();
        if (row.shown) {
            EXPECT_TRUE(boxes.empty());
            EXPECT_TRUE(log.Messages().empty());
        } else {
            ASSERT_EQ(1u, boxes.size());
            EXPECT_EQ(L"Help could not be opened.", boxes[0].text);
            EXPECT_EQ(std::vector<std::wstring>{L"Error: Failed to display help - HtmlHelp: HelpFile = " +
                                                dos +
                                                L"Missing.chm, HH_HELP_CONTEXT: = $f, HelpID: = 196609."},
                      log.Messages());
        }
    }
    std::filesystem::remove_all(folder);
}

TEST_F(MsgBoxTest, NestedBoxesEachRegisteredWhileShown) {
    CComPtr<CHostDlgManager> manager = MakeHostObject<CHostDlgManager>(context);
    CUserHand::Instance().WhenNextDialogOpens([&](HWND outer) {
        CUserHand::Instance().WhenNextDialogOpens([&](HWND inner) {
            EXPECT_NE(outer, inner);
            EXPECT_EQ(2u, manager->RegisteredCount());
            CUserHand::Instance().Click(GetDlgItem(inner, IDCANCEL));
        });
        EXPECT_EQ(IDCANCEL, PVMsgBox(manager, outer, L"Really?", L"Inner", MB_OKCANCEL, 0, nullptr));
        EXPECT_TRUE(manager->IsRegistered(outer));
        // The outer box answers its own buttons again.
        CUserHand::Instance().Click(GetDlgItem(outer, IDNO));
    });
    EXPECT_EQ(IDNO, PVMsgBox(manager, owner, L"Start?", L"Outer", MB_YESNO, 0, nullptr));
    EXPECT_TRUE(manager->IsBalanced());
}

TEST_F(MsgBoxTest, SystemModalHandIsTheWindowsMessageBox) {
    CUserHand::Instance().AnswerNextMessageBox(IDRETRY);
    const UINT style = MB_SYSTEMMODAL | MB_ICONHAND | MB_RETRYCANCEL;
    EXPECT_EQ(IDRETRY, PVMsgBox(owner, L"Device lost.", L"Flow", style, 0, nullptr));
    ASSERT_EQ(1u, CUserRecorder::Instance().MessageBoxes().size());
    EXPECT_EQ(style, CUserRecorder::Instance().MessageBoxes()[0].type);
}

struct RefusalRow {
    const char* name;
    UINT style;
    const wchar_t* text;
    bool withOwner;
    const char* fault; // a stand-in call made to fail
    bool labelsFail;
    std::vector<std::wstring> logged;
};

const RefusalRow kRefusals[] = {
    {"NoStyle", 0, L"Hello", true, nullptr, false, {L"Error: Invalid argument initialization"}},
    {"EmptyText",
     MB_OK | MB_ICONHAND,
     L"",
     true,
     nullptr,
     false,
     {L"Error: Invalid argument initialization"}},
    {"NoOwner",
     MB_OK | MB_ICONHAND,
     L"Hello",
     false,
     nullptr,
     false,
     {L"Error: Invalid argument initialization"}},
    {"UnknownButtonSet",
     0x37,
     L"Hello",
     true,
     nullptr,
     false,
     {L"Error: Invalid dialog button type specified", L"Error: Invalid MFC button ID specified",
      L"Error: Creating items for dialog"}},
    {"NoMessageFont",
     MB_OK | MB_ICONHAND,
     L"Hello",
     true,
     "CreateFontIndirectW",
     false,
     {L"Error: Initializing font for dialog"}},
    {"NoLabel",
     MB_YESNO,
     L"Hello",
     true,
     nullptr,
     true,
     {L"Error: No text for button returned from string server", L"Error: Adding button to the dialog",
      L"Error: Creating items for dialog"}},
};

TEST_F(MsgBoxTest, RefusedBoxesAreLoggedAndNeverShown) {
    for (const RefusalRow& row : kRefusals) {
        SCOPED_TRACE(row.name);
        log.Clear();
        if (row.fault)
            CFaultInjector::Instance().Inject(row.fault, 0);
        if (row.labelsFail)
            context->Faults().Inject(L"GetString", E_FAIL);
        EXPECT_EQ(-1, PVMsgBox(row.withOwner ? owner : nullptr, row.text, L"Flow", row.style, 0, nullptr));
        EXPECT_EQ(row.logged, log.Messages());
        EXPECT_TRUE(IsWindowEnabled(owner));
        context->Faults().ClearFaults();
    }
}

TEST_F(MsgBoxTest, VeryLongTextGrowsTheTemplateAndStillAnswers) {
    std::wstring text;
    while (text.size() < 3000)
        text += L"verification ";
    CPVMsgBoxDlgTemplate box;
    ASSERT_TRUE(box.Init(MB_OK | MB_ICONASTERISK, text.c_str(), L"Flow", owner, 0, nullptr));
    PVByteArray bytes;
    EXPECT_GT(box.BuildTemplate(&bytes), 2048u);
    CUserHand::Instance().WhenNextDialogOpens(
        [](HWND dialog) { CUserHand::Instance().Click(GetDlgItem(dialog, IDOK)); });
    EXPECT_EQ(IDOK, box.DoModal());
}

} // namespace
