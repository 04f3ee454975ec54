// What a page reaches of the host through the unknown given to IPVChild::Init: the
// parent (IPVParent), the controller's state (IPVLogixProperties) and the host of
// the page's dynamic sub-items.
//
// The host answers:
// - MessageDlg: the identifier of the pressed button in *button, or -1 with a
//   failure when no dialog could be shown.
// - GetLogixMode: controller modes 1 to 6 are online, every other value offline.
// - GetModule: the module whose properties are open; its configuration tag is
//   reached from there.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

struct IModule;
struct IPVChild;
struct IPVDlgManager;
struct IPVPanel3;

struct IPVParent : IUnknown {
    static constexpr IID Iid{0x66B51A3E, 0xAA27, 0x45BE, {0x8E, 0xE5, 0x39, 0x92, 0x3A, 0x3D, 0xEE, 0xA6}};
    virtual HRESULT STDMETHODCALLTYPE NotifyParent() = 0;
    // Gives the input focus to `child`'s page, so that one of its windows may take it.
    virtual HRESULT STDMETHODCALLTYPE RequestInputFocus(IPVChild* child) = 0;
    // Shows an error message to the user, with its help topic.
    virtual HRESULT STDMETHODCALLTYPE ShowError(BSTR text, BSTR helpFile, DWORD helpContext) = 0;
    // `which` selects the state; the answer is a 32-bit boolean.
    virtual HRESULT STDMETHODCALLTYPE GetParentState(BOOL* state, LONG which) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetModule(IModule** module) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDlgManager(IPVDlgManager** manager) = 0;
    // The host's message dialog, owned by `owner`; `type` holds the MB_ flags.
    virtual HRESULT STDMETHODCALLTYPE MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext,
                                                 BSTR helpFile, LONG* button) = 0;
    // A host service by its class identifier (CLSID_PVExtHostViewConnector, ...).
    virtual HRESULT STDMETHODCALLTYPE GetHostService(REFCLSID service, IUnknown** object) = 0;
    // Marks the module's properties changed, so that the host offers to apply them.
    virtual HRESULT STDMETHODCALLTYPE SetProfileDirty(IPVPanel3* panel) = 0;

protected:
    ~IPVParent() = default;
};

// Controls of the profile implement this interface too, answering from their page.
struct IPVLogixProperties : IUnknown {
    static constexpr IID Iid{0xC73E8847, 0x85A6, 0x4E36, {0xA7, 0xDC, 0x97, 0x7D, 0x0C, 0xE9, 0x83, 0x02}};
    virtual HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) = 0;

protected:
    ~IPVLogixProperties() = default;
};

// The parent's host of dynamic sub-items (the name is ours; the host gives this
// interface none). A page asks it to rebuild them after the module's sub-item
// source reported a change.
struct IDynamicSubItemHost : IUnknown {
    static constexpr IID Iid{0xF3A280D5, 0xFF06, 0x4907, {0xB1, 0x28, 0xD2, 0x2A, 0x1F, 0xA8, 0x45, 0xF1}};
    virtual HRESULT STDMETHODCALLTYPE RebuildSubItems(IPVPanel3* panel) = 0;

protected:
    ~IDynamicSubItemHost() = default;
};
