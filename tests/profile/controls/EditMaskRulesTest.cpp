// The edit masks' keystroke and paste rules, typed and pasted by the user's hand into
// the integer and the float box of a page: the mask's code for the edit's text and
// selection, what the box holds afterwards, and the beep of a refusal.
#include <gtest/gtest.h>

#include "profile/convert/CnvErrors.h"
#include "profile/convert/EditFloatMask.h"
#include "profile/convert/EditIntegerMask.h"
#include "tests/profile/controls/ConfigEditSupport.h"

namespace {

using EditMaskRulesTest = EditBoxTest;

struct Rule {
    char box;          // 'I' integer, 'F' float
    UINT flags;        // sign flags: 1 '+', 2 '-'
    const wchar_t* text;
    int start, end;    // the selection before the input
    bool paste;        // else typed: one character
    const wchar_t* input;
    HRESULT code;
    const wchar_t* after;
};

const HRESULT kOk = S_OK;

TEST_F(EditMaskRulesTest, EachKeystrokeAndPasteIsJudgedByTheTextAndTheSelection) {
    const Rule rules[] = {
        // Characters a number cannot hold.
        {'I', 3, L"12", 2, 2, false, L"a", CNV_E_CHARNOTALLOWED, L"12"},
        {'I', 3, L"12", 2, 2, false, L" ", CNV_E_CHARNOTALLOWED, L"12"},
        {'I', 3, L"12", 2, 2, false, L".", CNV_E_CHARNOTALLOWED, L"12"},
        {'F', 3, L"12", 2, 2, false, L",", CNV_E_CHARNOTALLOWED, L"12"},
        {'I', 3, L"12", 2, 2, false, L"3", kOk, L"123"},
        // Signs: only in front, replacing the sign there, and only when allowed.
        {'I', 2, L"12", 0, 0, false, L"-", kOk, L"-12"},
        {'I', 2, L"12", 2, 2, false, L"-", CNV_E_SIGNNOTFIRST, L"12"},
        {'I', 1, L"12", 0, 0, false, L"-", CNV_E_MINUSNOTALLOWED, L"12"},
        {'I', 2, L"12", 0, 0, false, L"+", CNV_E_PLUSNOTALLOWED, L"12"},
        {'I', 3, L"-12", 0, 0, false, L"+", CNV_E_SIGNNOTFIRST, L"-12"},
        {'I', 3, L"-12", 0, 1, false, L"+", kOk, L"+12"},
        {'I', 3, L"-12", 1, 1, false, L"-", CNV_E_SIGNNOTFIRST, L"-12"},
        // Digits never go in front of a sign.
        {'I', 3, L"-12", 0, 0, false, L"5", CNV_E_CHARNOTALLOWED, L"-12"},
        {'I', 3, L"-12", 0, 1, false, L"5", kOk, L"512"},
        {'I', 3, L"-12", 1, 1, false, L"5", kOk, L"-512"},
        // The decimal point: one, unless it replaces the one there; never before a '-'.
        {'F', 3, L"1.5", 3, 3, false, L".", CNV_E_DECIMALPOINTPLACE, L"1.5"},
        {'F', 3, L"1.5", 1, 2, false, L".", kOk, L"1.5"},
        {'F', 3, L"15", 1, 1, false, L".", kOk, L"1.5"},
        {'F', 3, L"-15", 0, 0, false, L".", CNV_E_DECIMALPOINTPLACE, L"-15"},
        {'F', 3, L"-15", 2, 2, false, L".", kOk, L"-1.5"},
        {'F', 3, L"-1.5", 4, 4, false, L".", CNV_E_DECIMALPOINTPLACE, L"-1.5"},
        // With a '+' the point is not checked: the save refuses the text later.
        {'F', 3, L"+1.5", 4, 4, false, L".", kOk, L"+1.5."},
        // Backspace goes through in every state.
        {'I', 3, L"-12", 1, 1, false, L"\b", kOk, L"12"},
        {'F', 3, L"1.5", 3, 3, false, L"\b", kOk, L"1."},
        // Pastes: the whole would-be text without blanks, then the pasted text trimmed.
        {'I', 3, L"", 0, 0, true, L" 12 ", kOk, L"12"},
        {'I', 3, L"", 0, 0, true, L"1 2", CNV_E_CHARNOTALLOWED, L""},
        {'I', 3, L"7", 0, 0, true, L"   ", CNV_E_EMPTYTEXT, L"7"},
        {'I', 3, L"12", 1, 1, true, L"-3", CNV_E_SIGNNOTFIRST, L"12"},
        {'I', 1, L"12", 0, 0, true, L"-3", CNV_E_MINUSNOTALLOWED, L"12"},
        {'I', 2, L"12", 0, 0, true, L"+3", CNV_E_PLUSNOTALLOWED, L"12"},
        {'I', 3, L"12", 0, 2, true, L"x9", CNV_E_CHARNOTALLOWED, L"12"},
        {'F', 3, L"1.5", 3, 3, true, L".2", CNV_E_MULTIPLEDECIMALPOINTS, L"1.5"},
        {'F', 3, L"1.5", 0, 3, true, L"-2.25", kOk, L"-2.25"},
        {'F', 3, L"", 0, 0, true, L"-", CNV_E_NODIGIT, L""},
        // The box's limit (12) cuts a longer paste short.
        {'I', 3, L"", 0, 0, true, L"12345678901234", kOk, L"123456789012"},
    };
    for (const Rule& r : rules) {
        SCOPED_TRACE(testing::Message() << r.box << " flags " << r.flags << " text '" << CString(r.text).GetString()
                                        << "' [" << r.start << "," << r.end << ") "
                                        << (r.paste ? "paste '" : "type '") << CString(r.input).GetString() << "'");
        ProcessEditPage page(12, r.flags);
        CPVCtrlConfigEditCtrl& box = r.box == 'I' ? static_cast<CPVCtrlConfigEditCtrl&>(page.integer) : page.real;
        IEditMask* mask = r.box == 'I' ? static_cast<IEditMask*>(CEditIntegerMask::GetInstance())
                                       : CEditFloatMask::GetInstance();
        page.Prepare(box, r.text, r.start, r.end);
        CUserRecorder::Instance().Clear();
        if (r.paste) {
            CString current(r.text);
            CString inserted(r.input);
            const CString wouldBe = current.Left(r.start) + inserted + current.Mid(r.end);
            EXPECT_EQ(r.code, mask->ValidatePaste(wouldBe, inserted, r.flags));
            hand.Paste(r.input);
        } else {
            EXPECT_EQ(r.code, mask->ValidateKeystroke(&box, r.input[0], r.flags));
            hand.Type(r.input);
        }
        EXPECT_EQ(CString(r.after), TextOf(box));
        // Ctrl+V itself is a character the mask refuses: it beeps after the paste.
        const size_t beeps = (FAILED(r.code) ? 1 : 0) + (r.paste ? 1 : 0);
        EXPECT_EQ(beeps, CUserRecorder::Instance().Beeps().size());
    }
}

} // namespace
