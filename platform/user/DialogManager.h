// The dialog manager: builds dialogs from templates, runs modal ones, keeps what each
// dialog needs besides its window (font, base units, default button, saved focus, end
// state), and does the default dialog processing and keyboard navigation.
#pragma once

#include <map>
#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/user/DialogApi.h"
#include "platform/user/ModalActor.h"

class CDialogManager {
public:
    static CDialogManager& Instance();

    // A dialog from a template of `size` bytes; no byte at or past data + size is read.
    HWND Create(const void* data, size_t size, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                bool modal);
    INT_PTR RunModal(const void* data, size_t size, HINSTANCE instance, HWND owner, DLGPROC proc,
                     LPARAM param);
    // A modal dialog from a template built in code. The actor (if any) acts once the
    // dialog is shown. A Dialog then runs until EndDialog, or until nothing is queued and
    // no timer is pending (-1, ERROR_TIMEOUT: one thread, so no one could ever end it);
    // the other kinds never wait for timers: what the actor did not end ends there (-1,
    // ERROR_TIMEOUT). The owner gets back the focus it had.
    INT_PTR RunModal(const CDialogTemplate& parsed, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                     ModalKind kind);
    BOOL End(HWND dialog, INT_PTR result);
    LRESULT DefProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    BOOL IsDialogMessage(HWND dialog, MSG* msg);
    HWND NextTabItem(HWND dialog, HWND control, bool previous) const;
    HWND NextGroupItem(HWND dialog, HWND control, bool previous) const;
    BOOL MapRect(HWND dialog, RECT* rect) const;

    // Base units of a font as Windows computes them for dialogs: the average width of
    // the 52 Latin letters, rounded, and the character height; the system's dialog base
    // units for no font or one that cannot be measured.
    static SIZE BaseUnitsOf(HFONT font);

    // Who acts in modal dialogs (null: nobody); returns the one it replaces.
    IModalActor* SetActor(IModalActor* actor);
    IModalActor* Actor() const { return m_actor; }

private:
    struct State {
        HFONT font = nullptr;
        bool ownsFont = false;
        SIZE baseUnits{};
        bool modal = false;
        bool ended = false;
        INT_PTR result = 0;
        HWND savedFocus = nullptr;
        WORD defaultId = 0; // 0: none set with DM_SETDEFID
    };

    CDialogManager() = default;
    HWND Create(const CDialogTemplate& parsed, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                bool modal);
    State* Find(HWND dialog) const;
    State& Ensure(HWND dialog);
    bool CreateItems(HWND dialog, const CDialogTemplate& parsed, HINSTANCE instance, HFONT font, SIZE units);
    void FocusControl(HWND dialog, HWND control);
    void PressDefault(HWND dialog, HWND focus);
    LRESULT DefaultId(HWND dialog) const;
    void SetDefaultId(HWND dialog, WORD id);

    std::map<HWND, std::unique_ptr<State>> m_states;
    IModalActor* m_actor = nullptr;
};
