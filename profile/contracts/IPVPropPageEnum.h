// The page as its controls see it: they report modifications and focus to it, and
// reach the host's parent (errors, message dialogs, controller state, services)
// through it. The page answers from its parent; without a parent the calls fail.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

class CWnd;
struct IPVDlgManager;

struct IPVPropPageEnum : IUnknown {
    static constexpr IID Iid{0x4C93D27A, 0x0B58, 0x4A61, {0x9E, 0x3D, 0x72, 0xF1, 0x05, 0xB8, 0x6C, 0x29}};
    virtual HRESULT STDMETHODCALLTYPE NotifyParent() = 0;
    // Marks the profile dirty when `setDirty` is true, then tells every control.
    virtual HRESULT STDMETHODCALLTYPE CtrlModified(CWnd* wnd, UINT id, VARIANT_BOOL setDirty) = 0;
    // The window the page gives the focus back to when it is activated.
    virtual HRESULT STDMETHODCALLTYPE SetFocusCtrl(CWnd* wnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE RequestInputFocus(CWnd* wnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPropPageEnumCWnd(CWnd** wnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowError(BSTR text, BSTR helpFile, DWORD helpContext) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetParentState(VARIANT_BOOL* value, LONG which) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIPVDlgManager(IPVDlgManager** manager) = 0;
    // The pressed button in *button; -1 there when no dialog could be shown.
    virtual HRESULT STDMETHODCALLTYPE MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext,
                                                 BSTR helpFile, LONG* button) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHostService(REFCLSID service, IUnknown** object) = 0;

protected:
    ~IPVPropPageEnum() = default;
};
