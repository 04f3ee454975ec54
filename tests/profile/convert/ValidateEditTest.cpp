// The validated edit box through the user's hand: what a derived control's hooks let
// in by typing and by pasting, and when it hears that the text changed.
#include <gtest/gtest.h>

#include "platform/user/Controls.h"
#include "profile/convert/CnvTextToInteger.h"
#include "profile/convert/ValidateEdit.h"
#include "tests/platform/mfc/MfcTestSupport.h"

namespace {

// An integer box: digits and signs one by one, and whole texts by the converter's check.
class CIntegerEdit : public CValidateEdit {
public:
    HRESULT ValidateText(const CString& newText, const CString& inserted) override {
        texts.push_back({newText, inserted});
        return CCnvTextToInteger::GetInstance()->ValidateText(newText);
    }
    HRESULT ValidateChar(UINT ch) override {
        return CCnvTextToInteger::GetInstance()->ValidateChar(static_cast<wchar_t>(ch));
    }
    void ProcessChar(UINT ch, UINT repeat, UINT flags) override { CEdit::OnChar(ch, repeat, flags); }
    void OnTextChanged() override { ++changes; }

    std::vector<std::pair<CString, CString>> texts;
    int changes = 0;
};

class ValidateEditTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        ASSERT_TRUE(parent.SubclassWindow(TopLevel()));
        ASSERT_TRUE(edit.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, ES_AUTOHSCROLL, 100)));
        ASSERT_TRUE(hand.Focus(edit.m_hWnd));
    }
    void TearDown() override {
        edit.UnsubclassWindow();
        parent.UnsubclassWindow();
        MfcTest::TearDown();
    }
    CString Text() const {
        CString text;
        edit.GetWindowText(text);
        return text;
    }

    CWnd parent;
    CIntegerEdit edit;
};

TEST_F(ValidateEditTest, TypedCharactersPassTheHookOrAreDroppedSilently) {
    struct {
        const wchar_t* typed;
        const wchar_t* text;
    } const cases[] = {
        {L"12", L"12"}, {L"1a2", L"12"}, {L"-7", L"-7"}, {L"4 2", L"42"}, {L"1.5", L"15"}, {L"x", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed " << CString(c.typed).GetString());
        edit.SetWindowText(L"");
        hand.Type(c.typed);
        EXPECT_EQ(CString(c.text), Text());
    }
    EXPECT_TRUE(CUserRecorder::Instance().Beeps().empty()) << "refused keys make no sound";
}

TEST_F(ValidateEditTest, CtrlASelectsEverythingAndAltGoesToTheDefault) {
    hand.Type(L"123");
    hand.PressKey('A', CUserHand::kCtrl);
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(3, end);
    hand.Type(L"9"); // replaces the selection
    EXPECT_EQ(CString(L"9"), Text());
}

TEST_F(ValidateEditTest, PasteBuildsTheWouldBeTextAroundTheSelection) {
    hand.Type(L"1234");
    edit.SetSel(1, 3);
    hand.Paste(L"56");
    EXPECT_EQ(CString(L"1564"), Text());
    ASSERT_EQ(1u, edit.texts.size());
    EXPECT_EQ(CString(L"1564"), edit.texts[0].first);
    EXPECT_EQ(CString(L"56"), edit.texts[0].second);
    EXPECT_TRUE(edit.CanUndo()) << "an accepted paste is undoable";
}

TEST_F(ValidateEditTest, RefusedPasteBeepsAndChangesNothing) {
    hand.Type(L"7");
    hand.Paste(L"1 2");
    EXPECT_EQ(CString(L"7"), Text());
    ASSERT_EQ(1u, CUserRecorder::Instance().Beeps().size());
    EXPECT_EQ(0u, CUserRecorder::Instance().Beeps()[0]);
}

TEST_F(ValidateEditTest, ReadOnlyOrDisabledBoxesTakeNoPaste) {
    edit.SetReadOnly(TRUE);
    hand.Paste(L"5");
    EXPECT_EQ(CString(), Text());
    edit.SetReadOnly(FALSE);
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(CString(L"5"), Text()) << "the clipboard still holds the text";
    edit.EnableWindow(FALSE);
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(CString(L"5"), Text());
    EXPECT_TRUE(edit.texts.size() == 1u) << "a disabled box does not even ask";
}

TEST_F(ValidateEditTest, AClipboardAlreadyOpenIsReadAndLeftOpen) {
    ASSERT_TRUE(CUserHand::PutOnClipboard(L"8"));
    ASSERT_TRUE(OpenClipboard(parent.m_hWnd));
    edit.SendMessage(WM_PASTE);
    EXPECT_EQ(CString(L"8"), Text());
    EXPECT_EQ(parent.m_hWnd, GetOpenClipboardWindow());
    CloseClipboard();
}

TEST_F(ValidateEditTest, TextChangesAreReportedOncePerDifferentText) {
    hand.Type(L"12");
    EXPECT_EQ(2, edit.changes);
    edit.SetWindowText(L"12"); // the same text again
    EXPECT_EQ(2, edit.changes);
    edit.SetWindowText(L"3");
    EXPECT_EQ(3, edit.changes);
}

TEST_F(ValidateEditTest, ReadOnlyFocusLeavesACaretWithoutSelection) {
    hand.Type(L"123");
    edit.SetReadOnly(TRUE);
    edit.SetSel(0, -1);
    CWnd other;
    ASSERT_TRUE(other.SubclassWindow(Child(parent.m_hWnd, WC_EDITW, 0, 101, {10, 40, 110, 60})));
    ASSERT_TRUE(hand.Focus(other.m_hWnd));
    ASSERT_TRUE(hand.Focus(edit.m_hWnd));
    int start = -1;
    int end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);
    other.UnsubclassWindow();
}

} // namespace
