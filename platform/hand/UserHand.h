// The user's hand: tests, the host and scripts act on windows through it as a person
// does. Everything goes through the message queue as input (keys, mouse buttons) and the
// thread's message pump, so that a dialog manager or a framework's PreTranslateMessage
// sees the input as it would on Windows.
//
// Modal dialogs (DialogBox* and the message box) run their own loop, so what the hand
// does in them is armed beforehand: each modal dialog, once shown, takes the next armed
// action and runs it with its window. A message box first takes the next prepared answer
// (the button of that id is clicked). The common file dialog has no window: it takes the
// prepared file answers (CFileDialogRecorder) and ends as cancelled without one.
// Nobody sits at this screen, so a modal dialog never waits for a person: with nothing
// armed or prepared, a message box is recorded and answers 0 at once (ERROR_TIMEOUT)
// without a window; a DialogBox* runs its loop until nothing is queued and no timer is
// pending, then answers -1 (ERROR_TIMEOUT). An action that leaves a message box open
// ends it the same way, with 0.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/user/ModalActor.h"

class CUserHand : private IModalActor {
public:
    enum Modifier : UINT { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
    enum class Pick { Mouse, Keyboard, Cancel };
    // What the hand does in a modal dialog, given the dialog's window.
    using DialogAction = std::function<void(HWND dialog)>;

    static CUserHand& Instance();

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
    // When the next modal dialog opens, the hand does this in it. Actions queue: each
    // dialog takes one, in the order armed.
    void WhenNextDialogOpens(DialogAction action);
    size_t ArmedActions() const { return m_actions.size(); }
    // The next message box gets the button with this id clicked.
    void AnswerNextMessageBox(int answer);
    // The next file dialog gets this DOS path typed into it, or is cancelled; a dialog
    // that refuses a path takes the next prepared answer.
    void AnswerNextFileDialog(const std::wstring& path);
    void CancelNextFileDialog();
    // Lets time pass: due timers fire in order, each at its time, and what they queue
    // is dispatched before the clock goes on.
    void AdvanceClock(ULONGLONG milliseconds);
    // Releases held keys, forgets the quit, armed actions and prepared message box
    // answers; the message queue itself is left alone.
    void Reset();

private:
    CUserHand();
    void Key(int vk, bool down);
    static void Pump();
    bool HasActionFor(ModalKind kind) const override;
    void Act(HWND dialog, ModalKind kind) override;

    UINT m_held = kNone;
    std::deque<DialogAction> m_actions;
    std::deque<int> m_messageBoxAnswers;
};
