// The user's hand: tests, the host and scripts act on windows through it as a person
// does. Everything goes through the message queue as input (keys, mouse buttons) and is
// pumped with an optional pre-translate hook, so that a dialog manager or a framework's
// PreTranslateMessage sees the input as it would on Windows.
#pragma once

#include <functional>
#include <string>

#include "platform/base/WinTypes.h"

class CUserHand {
public:
    enum Modifier : UINT { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
    enum class Pick { Mouse, Keyboard, Cancel };
    // Answers true when it has handled the message (it is then neither translated nor
    // dispatched).
    using PreTranslateHook = std::function<bool(MSG&)>;

    static CUserHand& Instance();

    // Returns the hook it replaces.
    PreTranslateHook SetPreTranslateHook(PreTranslateHook hook);
    // Translates and dispatches what is queued, due timers included; stops at WM_QUIT.
    int Pump();
    bool QuitReceived() const { return m_quit; }
    int QuitCode() const { return m_quitCode; }

    // Typing goes to the window with the focus, one key press per character.
    void Type(const std::wstring& text);
    void PressKey(int vk, UINT modifiers = kNone);
    // Puts the text on the clipboard, then presses Ctrl+V.
    void Paste(const std::wstring& text);
    static bool PutOnClipboard(const std::wstring& text);
    // Presses and releases the left button in the middle of the window; a hidden or
    // disabled window cannot be clicked (false).
    bool Click(HWND hwnd);
    bool ClickAt(HWND hwnd, POINT client);
    // Picks a combo box item: with the mouse (open, then click the item), with the
    // arrow keys on the closed box, or opens the list and clicks beside it (Cancel).
    bool PickComboItem(HWND combo, int index, Pick how);
    bool ClickTab(HWND tab, int index);
    bool Focus(HWND hwnd);
    void AnswerNextMessageBox(int answer);
    // The next file dialog gets this DOS path typed into it, or is cancelled; a dialog
    // that refuses a path takes the next prepared answer.
    void AnswerNextFileDialog(const std::wstring& path);
    void CancelNextFileDialog();
    // Lets time pass: due timers fire in order, each at its time, and what they queue
    // is dispatched before the clock goes on.
    void AdvanceClock(ULONGLONG milliseconds);
    // Releases held keys and forgets the quit; the queue itself is left alone.
    void Reset();

private:
    CUserHand() = default;
    void Key(int vk, bool down);

    PreTranslateHook m_hook;
    UINT m_held = kNone;
    bool m_quit = false;
    int m_quitCode = 0;
};
