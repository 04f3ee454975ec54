// Whoever acts inside modal dialogs in place of a person at the screen: the user's hand,
// which lives above the window system and registers itself with the dialog manager. A
// modal loop hands it its dialog once, when the dialog is shown and before the loop
// runs; what the actor does there (click, type, press keys) goes through the loop.
#pragma once

#include "platform/base/WinTypes.h"

enum class ModalKind { Dialog, MessageBox };

class IModalActor {
public:
    virtual ~IModalActor() = default;
    // Whether something is armed or prepared for the next dialog of this kind.
    virtual bool HasActionFor(ModalKind kind) const = 0;
    // Does what is armed for the dialog that has just entered its modal loop; nothing
    // when nothing is.
    virtual void Act(HWND dialog, ModalKind kind) = 0;
};
