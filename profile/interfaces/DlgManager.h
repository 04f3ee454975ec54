// The host's dialog manager (IPVParent::GetDlgManager). The profile keeps it locked
// while an action on the live device runs, and registers the dialogs it shows itself
// for as long as they exist.
//
// The host answers: calls come in pairs, Lock then Unlock, RegisterDialog then
// UnregisterDialog of the same window.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

struct IPVDlgManager : IUnknown {
    static constexpr IID Iid{0x211AE323, 0x001F, 0x4870, {0xBA, 0xF4, 0x5B, 0x51, 0x77, 0x5B, 0x30, 0x67}};
    virtual HRESULT STDMETHODCALLTYPE Lock() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unlock() = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterDialog(HWND dialog) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnregisterDialog(HWND dialog) = 0;

protected:
    ~IPVDlgManager() = default;
};
