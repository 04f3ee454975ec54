// Random keystrokes, cursor moves, cuts, undos and pastes typed by the user's hand
// into an integer and a float configuration box. After every step the box holds a
// text the masks let in: only characters of the mask, within the box's limit, a sign
// only where its flags allow; in a box that allows no '+' also a '-' only in front
// and at most one decimal point (a decimal point typed into a text with a '+' is let
// in wherever it goes, even over the '+', and a later save refuses what results). A
// keystroke the mask refuses changes nothing; a text that passes the text check
// converts or is out of the type's range.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "profile/controls/PVCtrlConfigEditFloat.h"
#include "profile/controls/PVCtrlConfigEditInteger.h"
#include "profile/convert/EditFloatMask.h"
#include "profile/convert/EditIntegerMask.h"
#include "profile/values/PVGetSetValue.h"

namespace {

// A member the boxes bind to; the fuzz never saves.
class CFuzzValue : public CPVGetSetValue {
public:
    CFuzzValue() : CPVGetSetValue(L"FuzzMember") {}

protected:
    ~CFuzzValue() override = default;
};

// What a user's hand can put into a numeric box, a byte away each.
constexpr wchar_t kAlphabet[] = L"0123456789+-.,eE a\t\b";
constexpr std::size_t kAlphabetSize = sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1;

struct Box {
    std::unique_ptr<CPVCtrlConfigEditCtrl> control;
    IEditMask* mask;
    UINT flags;
};

// Six boxes on one window: integer and float, with sign flags 1, 2 and 3.
struct Boxes {
    CWnd parent;
    Box boxes[6];

    Boxes() {
        WNDCLASSW plain{};
        plain.lpfnWndProc = DefWindowProcW;
        plain.lpszClassName = L"FuzzEditParent";
        RegisterClassW(&plain);
        parent.SubclassWindow(CreateWindowExW(0, L"FuzzEditParent", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                              nullptr, nullptr, nullptr, nullptr));
        for (int i = 0; i < 6; ++i) {
            const UINT id = 100 + static_cast<UINT>(i);
            const UINT flags = 1 + static_cast<UINT>(i % 3);
            CComPtr<IPVGetSetValue> value;
            value.Attach(new CFuzzValue());
            Box& box = boxes[i];
            box.flags = flags;
            CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10 + 25 * i, 100, 20,
                            parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
            if (i < 3) {
                auto integer = std::make_unique<CPVCtrlConfigEditInteger>(id);
                integer->SubclassDlgItem(id, &parent);
                integer->Initialize(value, 12, flags);
                box.control = std::move(integer);
                box.mask = CEditIntegerMask::GetInstance();
            } else {
                auto real = std::make_unique<CPVCtrlConfigEditFloat>(id);
                real->SubclassDlgItem(id, &parent);
                real->Initialize(value, 23, flags, 5);
                box.control = std::move(real);
                box.mask = CEditFloatMask::GetInstance();
            }
        }
    }
};

std::wstring TextOf(CWnd& box) {
    CString text;
    box.GetWindowText(text);
    return text.GetString();
}

void CheckText(const Box& box, const std::wstring& text, UINT limit) {
    Require(text.size() <= limit, "the text fits the box's limit", text);
    for (wchar_t ch : text)
        Require(SUCCEEDED(box.mask->ValidateChar(ch)), "every character is one the mask takes", text);
    const size_t minus = text.find(L'-');
    Require(text.find(L'+') == std::wstring::npos || (box.flags & 1), "a '+' only where it is allowed", text);
    Require(minus == std::wstring::npos || (box.flags & 2), "a '-' only where it is allowed", text);
    if (!(box.flags & 1)) {
        Require(minus == std::wstring::npos || (minus == 0 && text.rfind(L'-') == 0), "a '-' only in front",
                text);
        Require(text.find(L'.') == text.rfind(L'.'), "one decimal point", text);
    }
    CString value(text.c_str());
    if (SUCCEEDED(box.mask->ValidateText(value))) {
        BOOL stripped = FALSE;
        const HRESULT hr = box.mask->ValidateValue(value, &stripped, nullptr, 0);
        Require(hr == S_OK || hr == CNV_E_ABOVEMAXIMUM || hr == CNV_E_BELOWMINIMUM,
                "a checked text converts or is out of range", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Boxes all;
    if (size < 2)
        return 0;
    Box& box = all.boxes[data[0] % 6];
    CWnd& edit = *box.control;
    const UINT limit = 1 + data[1] % 12;
    edit.SetWindowText(L"");
    edit.SendMessage(EM_LIMITTEXT, limit);
    CUserHand& hand = CUserHand::Instance();
    hand.Reset();
    hand.Focus(edit.m_hWnd);
    for (std::size_t i = 2; i < size; ++i) {
        const std::uint8_t op = data[i];
        const std::wstring before = TextOf(edit);
        if (op < 0x80) {
            // One typed character; a refusal changes nothing.
            const wchar_t ch = kAlphabet[op % kAlphabetSize];
            const bool refused = FAILED(box.mask->ValidateKeystroke(&edit, ch, box.flags));
            hand.Type(std::wstring(1, ch));
            if (refused)
                Require(TextOf(edit) == before, "a refused key changes nothing", before);
        } else if (op < 0xA0) {
            // A paste of up to seven characters from the next bytes.
            const std::size_t length = op % 8;
            std::wstring pasted;
            for (std::size_t k = 0; k < length && i + 1 < size; ++k)
                pasted += kAlphabet[data[++i] % kAlphabetSize];
            hand.Paste(pasted);
        } else if (op < 0xC0 && i + 1 < size) {
            // A selection, from the caret's position to another.
            const int length = static_cast<int>(before.size()) + 1;
            edit.SendMessage(EM_SETSEL, (op - 0xA0) % length, data[++i] % length);
        } else {
            static const int keys[] = {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_DELETE};
            switch (op % 8) {
            case 5:
                hand.PressKey('Z', CUserHand::kCtrl); // undo
                break;
            case 6:
                hand.PressKey('X', CUserHand::kCtrl); // cut
                break;
            case 7:
                hand.PressKey('A', CUserHand::kCtrl); // select all
                break;
            default:
                hand.PressKey(keys[op % 8], (op & 0x10) ? CUserHand::kShift : CUserHand::kNone);
            }
        }
        CheckText(box, TextOf(edit), limit);
    }
    return 0;
}
