// MessageBoxW as Windows shows it: a modal window of the dialog class with the message
// in a static text (id 0xFFFF), the type's stock icon in an SS_ICON static (id 0x14)
// and a row of push buttons, all in the message font of the non-client metrics. The
// buttons by type: MB_OK (OK), MB_OKCANCEL (OK, Cancel), MB_ABORTRETRYIGNORE (Abort,
// Retry, Ignore), MB_YESNOCANCEL (Yes, No, Cancel), MB_YESNO (Yes, No), MB_RETRYCANCEL
// (Retry, Cancel), MB_CANCELTRYCONTINUE (Cancel, Try Again, Continue); each answers its
// id. MB_DEFBUTTON1 to 4 choose the default button (the first when there are fewer);
// it has the focus. Escape and the Close command answer IDCANCEL when there is a Cancel
// button, IDOK for MB_OK, and do nothing otherwise. A null caption is "Error".
//
// Layout in pixels: a margin of 11 around; the 32 x 32 icon at the top left with 11
// before the text; the text wrapped at 5/8 of the work area's width (as Windows 95
// chose) and centred on the icon when it is lower; buttons 75 x 23, 6 apart, centred,
// 14 below the taller of icon and text. The window is centred on its owner (on the work
// area without one).
//
// Every box shown is recorded (CUserRecorder). Nobody sits at this screen: the box is
// answered by the user's hand when something is armed for it, and answers 0 at once with
// ERROR_TIMEOUT, without a window, when nothing is (see platform/hand/UserHand.h).
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

class CMessageBoxDialog {
public:
    static constexpr int kTextId = 0xFFFF;
    static constexpr int kIconId = 0x14;

    CMessageBoxDialog(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
    ~CMessageBoxDialog();
    CMessageBoxDialog(const CMessageBoxDialog&) = delete;
    CMessageBoxDialog& operator=(const CMessageBoxDialog&) = delete;

    // The id of the button pressed; 0 when nobody answered (ERROR_TIMEOUT) or the type
    // names no button set (ERROR_INVALID_MSGBOX_STYLE).
    int Run();

private:
    struct Button {
        int id;
        const wchar_t* label;
    };

    static INT_PTR CALLBACK Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnInit(HWND dialog);
    void OnCommand(HWND dialog, int id);
    bool HasButton(int id) const;

    HWND m_owner;
    std::wstring m_text;
    std::wstring m_caption;
    UINT m_type;
    std::vector<Button> m_buttons;
    HFONT m_font = nullptr;
};
