#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/commdlg/CommDlg.h"
#include "platform/commdlg/FileDialogRecorder.h"
#include "platform/hand/UserHand.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

using Outcome = CFileDialogRecorder::Outcome;

constexpr DWORD kBrowseFlags = 0x88806;
constexpr DWORD kExtensionDifferent = 0x400;

class CommDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        std::filesystem::create_directory(m_folder.Unix("sub"));
        std::ofstream(m_folder.Unix("report.pdf")) << "pdf";
        std::ofstream(m_folder.Unix("locked.pdf")) << "pdf";
        chmod(m_folder.Unix("locked.pdf").c_str(), 0444);
        Reset();
    }
    void TearDown() override { Reset(); }

    static void Reset() {
        CFileDialogRecorder::Instance().Clear();
        CUserRecorder::Instance().Clear();
        CFaultInjector::Instance().ClearAll();
    }

    // "$DIR" stands for the test's folder.
    std::wstring Path(const std::wstring& pattern) const {
        std::wstring path = pattern;
        if (size_t at = path.find(L"$DIR"); at != std::wstring::npos)
            path.replace(at, 4, m_folder.Dos());
        return path;
    }

    OPENFILENAMEW Ofn(DWORD flags, LPCWSTR defExt, const std::wstring& preset) {
        m_buffer.assign(MAX_PATH, L'\0');
        preset.copy(m_buffer.data(), preset.size());
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = m_buffer.data();
        ofn.nMaxFile = MAX_PATH;
        ofn.Flags = flags;
        ofn.lpstrDefExt = defExt;
        return ofn;
    }

    CTempFolder m_folder;
    std::vector<wchar_t> m_buffer;
};

struct DialogCase {
    const char* name;
    bool open;
    DWORD flags;
    LPCWSTR defExt;
    std::vector<LPCWSTR> answers; // nullptr: the user cancels
    std::vector<int> messageBoxAnswers;
    Outcome outcome;
    LPCWSTR path; // chosen path; empty unless Chosen
    LPCWSTR extension;
    size_t refused;
    size_t messageBoxes;
};

void PrintTo(const DialogCase& c, std::ostream* os) {
    *os << c.name;
}

class DialogTable : public CommDlgTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogTable, AnswersAsWindowsDoes) {
    const DialogCase& c = GetParam();
    for (LPCWSTR answer : c.answers) {
        if (answer)
            CUserHand::Instance().AnswerNextFileDialog(Path(answer));
        else
            CUserHand::Instance().CancelNextFileDialog();
    }
    for (int answer : c.messageBoxAnswers)
        CUserHand::Instance().AnswerNextMessageBox(answer);
    const std::wstring preset = Path(L"$DIR\\start.pdf");
    OPENFILENAMEW ofn = Ofn(c.flags, c.defExt, preset);

    const BOOL ok = c.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);

    EXPECT_EQ(c.outcome == Outcome::Chosen, ok != FALSE);
    EXPECT_EQ(0u, CommDlgExtendedError());
    ASSERT_EQ(1u, CFileDialogRecorder::Instance().Dialogs().size());
    const CFileDialogRecorder::Record& record = CFileDialogRecorder::Instance().Dialogs()[0];
    EXPECT_EQ(c.outcome, record.outcome);
    EXPECT_EQ(c.refused, record.refused.size());
    EXPECT_EQ(c.messageBoxes, CUserRecorder::Instance().MessageBoxes().size());
    if (c.outcome != Outcome::Chosen) {
        EXPECT_EQ(preset, ofn.lpstrFile) << "a dialog that chose nothing leaves the buffer alone";
        EXPECT_TRUE(record.path.empty());
        return;
    }
    const std::wstring expected = Path(c.path);
    EXPECT_EQ(expected, ofn.lpstrFile);
    EXPECT_EQ(expected, record.path);
    EXPECT_EQ(expected.substr(expected.find_last_of(L'\\') + 1), ofn.lpstrFile + ofn.nFileOffset);
    if (*c.extension)
        EXPECT_STREQ(c.extension, ofn.lpstrFile + ofn.nFileExtension);
    else if (expected.back() == L'.')
        EXPECT_EQ(0, ofn.nFileExtension);
    else
        EXPECT_EQ(expected.size(), ofn.nFileExtension);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DialogTable,
    ::testing::Values(
        DialogCase{"NoExtensionGetsDefault",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"UpperCaseExtensionKept",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\out.PDF"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.PDF",
                   L"PDF",
                   0,
                   0},
        DialogCase{"OtherExtensionKept",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\out.txt"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.txt",
                   L"txt",
                   0,
                   0},
        DialogCase{"DotInFolderIsNoExtension",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\sub\\..\\out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\sub\\..\\out.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"OnlyThreeCharactersAppended",
                   true,
                   0,
                   L"html",
                   {L"$DIR\\out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.htm",
                   L"htm",
                   0,
                   0},
        DialogCase{"NoDefaultNothingAppended",
                   true,
                   0,
                   nullptr,
                   {L"$DIR\\out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out",
                   L"",
                   0,
                   0},
        DialogCase{"TrailingDotHasNoExtension",
                   true,
                   0,
                   L"pdf",
                   {L"$DIR\\out."},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.",
                   L"",
                   0,
                   0},
        DialogCase{"RelativeNameInPresetFolder",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\out.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"SlashesBecomeBackslashes",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR/sub/out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\sub\\out.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"MissingFolderRefusedNextTaken",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\missing\\out", L"$DIR\\sub\\x"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\sub\\x.pdf",
                   L"pdf",
                   1,
                   0},
        DialogCase{"MissingFolderRefusedNoneLeft",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\missing\\out"},
                   {},
                   Outcome::Unanswered,
                   L"",
                   L"",
                   1,
                   0},
        DialogCase{"MissingFolderAllowedWithoutFlag",
                   true,
                   0,
                   L"pdf",
                   {L"$DIR\\missing\\out"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\missing\\out.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"ReadOnlyRefusedThenCancel",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\locked.pdf", nullptr},
                   {},
                   Outcome::Cancelled,
                   L"",
                   L"",
                   1,
                   0},
        DialogCase{"ReadOnlyAllowedWithoutFlag",
                   true,
                   OFN_PATHMUSTEXIST,
                   L"pdf",
                   {L"$DIR\\locked"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\locked.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{
            "FolderIsNoFile", true, 0, nullptr, {L"$DIR\\sub"}, {}, Outcome::Unanswered, L"", L"", 1, 0},
        DialogCase{"FileMustExist",
                   true,
                   OFN_FILEMUSTEXIST,
                   L"pdf",
                   {L"$DIR\\none", L"$DIR\\report"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\report.pdf",
                   L"pdf",
                   1,
                   0},
        DialogCase{"Cancel",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {nullptr, L"$DIR\\out"},
                   {},
                   Outcome::Cancelled,
                   L"",
                   L"",
                   0,
                   0},
        DialogCase{"NoAnswer", true, kBrowseFlags, L"pdf", {}, {}, Outcome::Unanswered, L"", L"", 0, 0},
        DialogCase{"OpenNeverAsksToOverwrite",
                   true,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\report"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\report.pdf",
                   L"pdf",
                   0,
                   0},
        DialogCase{"SaveOverwriteDeclined",
                   false,
                   kBrowseFlags,
                   L"pdf",
                   {L"$DIR\\report", L"$DIR\\new"},
                   {IDNO},
                   Outcome::Chosen,
                   L"$DIR\\new.pdf",
                   L"pdf",
                   1,
                   1},
        DialogCase{"SaveOverwriteUnanswered",
                   false,
                   OFN_OVERWRITEPROMPT,
                   L"pdf",
                   {L"$DIR\\report"},
                   {},
                   Outcome::Unanswered,
                   L"",
                   L"",
                   1,
                   1},
        DialogCase{"SaveOverwriteConfirmed",
                   false,
                   OFN_OVERWRITEPROMPT,
                   L"pdf",
                   {L"$DIR\\report"},
                   {IDYES},
                   Outcome::Chosen,
                   L"$DIR\\report.pdf",
                   L"pdf",
                   0,
                   1},
        DialogCase{"SaveWithoutPromptOverwrites",
                   false,
                   0,
                   L"pdf",
                   {L"$DIR\\report"},
                   {},
                   Outcome::Chosen,
                   L"$DIR\\report.pdf",
                   L"pdf",
                   0,
                   0}),
    [](const ::testing::TestParamInfo<DialogCase>& info) { return info.param.name; });

TEST_F(CommDlgTest, OverwriteQuestionNamesTheFile) {
    CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\report.pdf"));
    CUserHand::Instance().AnswerNextMessageBox(IDYES);
    OPENFILENAMEW ofn = Ofn(OFN_OVERWRITEPROMPT, nullptr, L"");
    ofn.lpstrTitle = L"Export";
    ASSERT_TRUE(GetSaveFileNameW(&ofn));
    ASSERT_EQ(1u, CUserRecorder::Instance().MessageBoxes().size());
    const auto& box = CUserRecorder::Instance().MessageBoxes()[0];
    EXPECT_EQ(L"report.pdf already exists.\nDo you want to replace it?", box.text);
    EXPECT_EQ(L"Export", box.caption);
    EXPECT_EQ(MB_YESNO | MB_ICONWARNING, box.type);
}

TEST_F(CommDlgTest, ExtensionDifferentFlagFollowsTheChoice) {
    const struct {
        LPCWSTR answer;
        bool different;
    } cases[] = {{L"$DIR\\a", false},
                 {L"$DIR\\a.PDF", false},
                 {L"$DIR\\a.txt", true},
                 {L"$DIR\\a.", true},
                 {L"$DIR\\a.pdfx", true}};
    for (const auto& c : cases) {
        CUserHand::Instance().AnswerNextFileDialog(Path(c.answer));
        OPENFILENAMEW ofn = Ofn(kBrowseFlags | kExtensionDifferent, L"pdf", L"");
        ASSERT_TRUE(GetOpenFileNameW(&ofn)) << c.answer;
        EXPECT_EQ(c.different, (ofn.Flags & kExtensionDifferent) != 0) << c.answer;
        EXPECT_EQ(kBrowseFlags, ofn.Flags & ~kExtensionDifferent) << c.answer;
    }
}

TEST_F(CommDlgTest, RelativeAnswersFollowTheDialogFolder) {
    const struct {
        LPCWSTR preset;
        LPCWSTR initialDir;
        LPCWSTR answer;
        LPCWSTR path;
    } cases[] = {
        {L"$DIR\\sub\\start.pdf", L"$DIR", L"out.pdf", L"$DIR\\sub\\out.pdf"},
        {L"start.pdf", L"$DIR\\sub", L"out.pdf", L"$DIR\\sub\\out.pdf"},
        {L"", L"$DIR\\sub\\", L"out.pdf", L"$DIR\\sub\\out.pdf"},
        {L"C:\\", nullptr, L"out.pdf", L"C:\\out.pdf"},
        {L"$DIR\\start.pdf", nullptr, L"Z:\\tmp\\out.pdf", L"Z:\\tmp\\out.pdf"},
        {L"Z:\\tmp\\start.pdf", nullptr, L"\\var\\out.pdf", L"Z:\\var\\out.pdf"},
    };
    for (const auto& c : cases) {
        CUserHand::Instance().AnswerNextFileDialog(c.answer);
        OPENFILENAMEW ofn = Ofn(0, nullptr, Path(c.preset));
        const std::wstring initialDir = c.initialDir ? Path(c.initialDir) : L"";
        ofn.lpstrInitialDir = c.initialDir ? initialDir.c_str() : nullptr;
        ASSERT_TRUE(GetOpenFileNameW(&ofn)) << c.preset;
        EXPECT_EQ(Path(c.path), ofn.lpstrFile) << c.preset << L" " << c.answer;
    }
}

TEST_F(CommDlgTest, StructSizeIsChecked) {
    const struct {
        DWORD size;
        bool accepted;
    } cases[] = {
        {0, false},
        {sizeof(OPENFILENAMEW) - 1, false},
        {sizeof(OPENFILENAMEW) + 4, false},
        {OPENFILENAME_SIZE_VERSION_400W + 4, OPENFILENAME_SIZE_VERSION_400W + 4 == sizeof(OPENFILENAMEW)},
        {OPENFILENAME_SIZE_VERSION_400W, true},
        {sizeof(OPENFILENAMEW), true}};
    for (const auto& c : cases) {
        Reset();
        CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\out.pdf"));
        OPENFILENAMEW ofn = Ofn(0, nullptr, L"");
        ofn.lStructSize = c.size;
        EXPECT_EQ(c.accepted, GetOpenFileNameW(&ofn) != FALSE) << c.size;
        EXPECT_EQ(c.accepted ? 0u : CDERR_STRUCTSIZE, CommDlgExtendedError()) << c.size;
        // A refused structure shows no dialog: the answer stays for the next one.
        EXPECT_EQ(c.accepted ? 1u : 0u, CFileDialogRecorder::Instance().Dialogs().size()) << c.size;
        EXPECT_EQ(c.accepted ? 0u : 1u, CFileDialogRecorder::Instance().PendingAnswers()) << c.size;
    }
    EXPECT_FALSE(GetOpenFileNameW(nullptr));
    EXPECT_EQ(CDERR_INITIALIZATION, CommDlgExtendedError());
}

TEST_F(CommDlgTest, BufferTooSmallReportsTheSizeNeeded) {
    const std::wstring path = Path(L"$DIR\\out.pdf");
    const DWORD needed = static_cast<DWORD>(path.size() + 1);
    const struct {
        DWORD maxFile;
        bool fits;
    } cases[] = {{needed - 1, false}, {needed, true}, {1, false}, {MAX_PATH, true}};
    for (const auto& c : cases) {
        CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\out"));
        OPENFILENAMEW ofn = Ofn(kBrowseFlags, L"pdf", L"start.pdf");
        ofn.nMaxFile = c.maxFile;
        EXPECT_EQ(c.fits, GetOpenFileNameW(&ofn) != FALSE) << c.maxFile;
        if (c.fits) {
            EXPECT_EQ(0u, CommDlgExtendedError());
            EXPECT_EQ(path, ofn.lpstrFile);
        } else {
            EXPECT_EQ(FNERR_BUFFERTOOSMALL, CommDlgExtendedError()) << c.maxFile;
            EXPECT_EQ(needed, static_cast<DWORD>(ofn.lpstrFile[0])) << c.maxFile;
            EXPECT_EQ(0, wcsncmp(m_buffer.data() + 1, L"tart.pdf", 8)) << "nothing past the size is touched";
        }
    }
    // The next cancelled dialog clears the error.
    CUserHand::Instance().CancelNextFileDialog();
    OPENFILENAMEW ofn = Ofn(0, nullptr, L"");
    EXPECT_FALSE(GetOpenFileNameW(&ofn));
    EXPECT_EQ(0u, CommDlgExtendedError());
}

TEST_F(CommDlgTest, FileTitleIsTheNameCutToItsBuffer) {
    const struct {
        DWORD maxTitle;
        LPCWSTR title;
    } cases[] = {{64, L"report.pdf"}, {11, L"report.pdf"}, {7, L"report"}, {1, L""}};
    for (const auto& c : cases) {
        CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\report"));
        OPENFILENAMEW ofn = Ofn(0, L"pdf", L"");
        wchar_t title[64];
        std::fill(std::begin(title), std::end(title), L'#');
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = c.maxTitle;
        ASSERT_TRUE(GetOpenFileNameW(&ofn));
        EXPECT_STREQ(c.title, title) << c.maxTitle;
    }
}

TEST_F(CommDlgTest, RecordsWhatEachDialogShowed) {
    HWND owner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\missing\\x"));
    CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\x"));
    OPENFILENAMEW open = Ofn(kBrowseFlags, L"pdf", Path(L"$DIR\\start"));
    open.hwndOwner = owner;
    ASSERT_TRUE(GetOpenFileNameW(&open));
    OPENFILENAMEW save = Ofn(0, nullptr, L"");
    save.lpstrTitle = L"Keep as";
    save.lpstrInitialDir = L"C:\\Users";
    EXPECT_FALSE(GetSaveFileNameW(&save));

    const auto& dialogs = CFileDialogRecorder::Instance().Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ(owner, dialogs[0].owner);
    EXPECT_TRUE(dialogs[0].open);
    EXPECT_EQ(L"Open", dialogs[0].caption);
    EXPECT_EQ(Path(L"$DIR\\start"), dialogs[0].initialFile);
    EXPECT_EQ(L"", dialogs[0].initialDir);
    EXPECT_EQ(kBrowseFlags, dialogs[0].flags);
    EXPECT_EQ(L"pdf", dialogs[0].defaultExtension);
    EXPECT_EQ(std::vector<std::wstring>{Path(L"$DIR\\missing\\x")}, dialogs[0].refused);
    EXPECT_EQ(Outcome::Chosen, dialogs[0].outcome);
    EXPECT_EQ(Path(L"$DIR\\x.pdf"), dialogs[0].path);

    EXPECT_FALSE(dialogs[1].open);
    EXPECT_EQ(L"Keep as", dialogs[1].caption);
    EXPECT_EQ(L"C:\\Users", dialogs[1].initialDir);
    EXPECT_EQ(L"", dialogs[1].defaultExtension);
    EXPECT_EQ(Outcome::Unanswered, dialogs[1].outcome);
}

TEST_F(CommDlgTest, DefaultCaptions) {
    OPENFILENAMEW ofn = Ofn(0, nullptr, L"");
    GetOpenFileNameW(&ofn);
    GetSaveFileNameW(&ofn);
    const auto& dialogs = CFileDialogRecorder::Instance().Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ(L"Open", dialogs[0].caption);
    EXPECT_EQ(L"Save As", dialogs[1].caption);
}

TEST_F(CommDlgTest, InjectedFailureShowsNoDialog) {
    const struct {
        const char* api;
        bool open;
    } cases[] = {{"GetOpenFileNameW", true}, {"GetSaveFileNameW", false}};
    for (const auto& c : cases) {
        Reset();
        CFaultInjector::Instance().Inject(c.api, static_cast<LONG>(CDERR_DIALOGFAILURE));
        CUserHand::Instance().AnswerNextFileDialog(Path(L"$DIR\\out.pdf"));
        OPENFILENAMEW ofn = Ofn(0, nullptr, L"");
        EXPECT_FALSE(c.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn)) << c.api;
        EXPECT_EQ(CDERR_DIALOGFAILURE, CommDlgExtendedError()) << c.api;
        EXPECT_TRUE(CFileDialogRecorder::Instance().Dialogs().empty()) << c.api;
        EXPECT_EQ(1u, CFileDialogRecorder::Instance().PendingAnswers()) << c.api;
    }
}

} // namespace
