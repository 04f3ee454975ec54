// Acts in the next modal dialog once it is up, as a person at the screen would: the
// action gets the dialog (the parent of the window with the focus). A one-shot timer
// carries it, which the dialog's modal loop fires as soon as it has nothing else to do;
// an action may arrange the answer of a dialog it opens itself.
#pragma once

#include <deque>
#include <functional>

#include "platform/user/WinUser.h"

using DialogAction = std::function<void(HWND dialog)>;

inline std::deque<DialogAction>& PendingDialogActions() {
    static std::deque<DialogAction> actions;
    return actions;
}

inline void CALLBACK RunNextDialogAction(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (PendingDialogActions().empty())
        return;
    DialogAction action = std::move(PendingDialogActions().front());
    PendingDialogActions().pop_front();
    HWND focus = GetFocus();
    action(focus ? GetParent(focus) : nullptr);
}

inline void WhenNextDialogOpens(DialogAction action) {
    PendingDialogActions().push_back(std::move(action));
    SetTimer(nullptr, 0, 1, &RunNextDialogAction);
}
