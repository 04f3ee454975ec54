#include <gtest/gtest.h>

#include <string>

#include "platform/commdlg/CommDlg.h"
#include "platform/commdlg/FileDialogRecorder.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/FileDialog.h"
#include "tests/platform/kernel/TempFolder.h"
#include "tests/platform/mfc/MfcTestSupport.h"

namespace {

constexpr DWORD kBrowseFlags = 0x88806;

class FileDialogTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        ASSERT_TRUE(m_folder.Ok());
        CFileDialogRecorder::Instance().Clear();
    }
    void TearDown() override {
        CFileDialogRecorder::Instance().Clear();
        MfcTest::TearDown();
    }

    CTempFolder m_folder;
};

TEST_F(FileDialogTest, ConstructorFillsTheStructure) {
    const struct {
        BOOL open;
        LPCWSTR defExt;
        LPCWSTR fileName;
        DWORD flags;
        LPCWSTR filter;
        DWORD size;
        LPCWSTR preset;
        DWORD structSize;
        DWORD ofnFlags;
    } cases[] = {
        {TRUE, L"pdf", L"C:\\a.pdf", kBrowseFlags, nullptr, 0, L"C:\\a.pdf", sizeof(OPENFILENAMEW),
         kBrowseFlags},
        {FALSE, nullptr, nullptr, OFN_HIDEREADONLY, nullptr, OPENFILENAME_SIZE_VERSION_400W, L"",
         OPENFILENAME_SIZE_VERSION_400W, OFN_HIDEREADONLY | OFN_EXPLORER},
        {TRUE, L"txt", L"", 0, L"Text (*.txt)|*.txt|All|*.*||", 0, L"", sizeof(OPENFILENAMEW), OFN_EXPLORER},
    };
    for (const auto& c : cases) {
        CFileDialog dialog(c.open, c.defExt, c.fileName, c.flags, c.filter, nullptr, c.size);
        EXPECT_EQ(c.structSize, dialog.m_ofn.lStructSize);
        EXPECT_EQ(c.ofnFlags, dialog.m_ofn.Flags);
        EXPECT_EQ(c.defExt, dialog.m_ofn.lpstrDefExt);
        EXPECT_STREQ(c.preset, dialog.m_ofn.lpstrFile);
        EXPECT_EQ(MAX_PATH, dialog.m_ofn.nMaxFile);
        EXPECT_TRUE(dialog.IsVistaStyle());
        if (!c.filter) {
            EXPECT_EQ(nullptr, dialog.m_ofn.lpstrFilter);
            continue;
        }
        // Windows reads the filter as pairs of null-terminated strings, ended by an empty one.
        LPCWSTR part = dialog.m_ofn.lpstrFilter;
        const wchar_t* expected[] = {L"Text (*.txt)", L"*.txt", L"All", L"*.*", L""};
        for (LPCWSTR text : expected) {
            EXPECT_STREQ(text, part);
            part += wcslen(part) + 1;
        }
    }
}

TEST_F(FileDialogTest, LongPresetNameIsCutToTheBuffer) {
    const std::wstring name(MAX_PATH + 20, L'a');
    CFileDialog dialog(TRUE, nullptr, name.c_str());
    EXPECT_EQ(name.substr(0, MAX_PATH - 1), dialog.m_ofn.lpstrFile);
}

TEST_F(FileDialogTest, DoModalAnswers) {
    const std::wstring folder = m_folder.Dos();
    const struct {
        BOOL open;
        DWORD size;
        LPCWSTR answer; // null: cancel
        INT_PTR result;
        std::wstring path;
        LPCWSTR name;
        LPCWSTR ext;
        DWORD error;
    } cases[] = {
        {TRUE, 0, L"out", IDOK, folder + L"\\out.pdf", L"out.pdf", L"pdf", 0},
        {FALSE, 0, L"out.PDF", IDOK, folder + L"\\out.PDF", L"out.PDF", L"PDF", 0},
        {TRUE, 0, L"out.", IDOK, folder + L"\\out.", L"out.", L"", 0},
        {TRUE, 0, nullptr, IDCANCEL, folder + L"\\old.pdf", L"", L"", 0},
        {TRUE, 7, L"out", IDCANCEL, folder + L"\\old.pdf", L"", L"", CDERR_STRUCTSIZE},
    };
    for (const auto& c : cases) {
        CFileDialogRecorder::Instance().Clear();
        if (c.answer)
            hand.AnswerNextFileDialog(c.answer);
        else
            hand.CancelNextFileDialog();
        const std::wstring preset = folder + L"\\old.pdf";
        CFileDialog dialog(c.open, L"pdf", preset.c_str(), kBrowseFlags, nullptr, nullptr, c.size);
        EXPECT_EQ(c.result, dialog.DoModal()) << (c.answer ? c.answer : L"cancel");
        EXPECT_EQ(c.error, CommDlgExtendedError());
        EXPECT_EQ(c.path, dialog.GetPathName().GetString());
        EXPECT_STREQ(c.name, dialog.GetFileName().GetString());
        EXPECT_STREQ(c.ext, dialog.GetFileExt().GetString());
        if (c.error == 0) {
            ASSERT_EQ(1u, CFileDialogRecorder::Instance().Dialogs().size());
            EXPECT_EQ(c.open != FALSE, CFileDialogRecorder::Instance().Dialogs()[0].open);
        }
    }
}

// The browse button's use: open mode, Vista style, "pdf", no filter, 0x88806, preset
// with the edit field's text, owned by the page; the chosen path goes back into the field.
TEST_F(FileDialogTest, BrowseForAReportThroughTheHand) {
    const HWND page = TopLevel(L"page");
    CWnd pageWnd;
    ASSERT_TRUE(pageWnd.Attach(page));
    CEdit field;
    ASSERT_TRUE(field.SubclassWindow(Child(page, L"Edit", 0, 9265)));
    const std::wstring old = m_folder.Dos(L"old.pdf");
    field.SetWindowText(old.c_str());
    const std::wstring chosenFolder = m_folder.Dos(L"reports");
    ASSERT_TRUE(std::filesystem::create_directory(m_folder.Unix("reports")));

    const struct {
        std::wstring typed; // empty: the user cancels
        std::wstring field;
        CFileDialogRecorder::Outcome outcome;
    } cases[] = {
        {chosenFolder + L"\\week", chosenFolder + L"\\week.pdf", CFileDialogRecorder::Outcome::Chosen},
        {L"", chosenFolder + L"\\week.pdf", CFileDialogRecorder::Outcome::Cancelled},
        {L"month", chosenFolder + L"\\month.pdf", CFileDialogRecorder::Outcome::Chosen},
        {m_folder.Dos(L"nowhere\\year"), chosenFolder + L"\\month.pdf",
         CFileDialogRecorder::Outcome::Unanswered},
    };
    for (const auto& c : cases) {
        CFileDialogRecorder::Instance().Clear();
        if (c.typed.empty())
            hand.CancelNextFileDialog();
        else
            hand.AnswerNextFileDialog(c.typed);
        CString text;
        field.GetWindowText(text);

        CFileDialog dialog(TRUE, L"pdf", text.GetString(), kBrowseFlags, nullptr, &pageWnd, 0, TRUE);
        if (dialog.DoModal() == IDOK)
            field.SetWindowText(dialog.GetPathName().GetString());

        CString after;
        field.GetWindowText(after);
        EXPECT_EQ(c.field, after.GetString()) << c.typed;
        ASSERT_EQ(1u, CFileDialogRecorder::Instance().Dialogs().size());
        const auto& record = CFileDialogRecorder::Instance().Dialogs()[0];
        EXPECT_EQ(c.outcome, record.outcome) << c.typed;
        EXPECT_EQ(page, record.owner);
        EXPECT_TRUE(record.open);
        EXPECT_EQ(kBrowseFlags, record.flags);
        EXPECT_EQ(L"pdf", record.defaultExtension);
        EXPECT_EQ(text.GetString(), record.initialFile);
    }
    field.UnsubclassWindow();
    pageWnd.Detach();
}

} // namespace
