// The control side of a page: every control that takes part in the page's life
// cycle implements IPVCtrl, and its own IPVEventHandler2 for the host's events that
// the page passes on. Controls are members of their page; their AddRef and Release
// count nothing.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/Unknown.h"

class CWnd;
struct IModule;
struct IPVPropPageEnum;

struct IPVCtrl : IUnknown {
    static constexpr IID Iid{0x5B0E6A31, 0x9C1D, 0x4E7A, {0x8F, 0x42, 0x1D, 0x6E, 0x3A, 0x90, 0xC2, 0x15}};
    // Once, when the control is added to its page; the page is not counted.
    virtual HRESULT STDMETHODCALLTYPE SetIPVPropPageEnum(IPVPropPageEnum* page) = 0;
    // Once, from the page's Init; the control keeps its own reference.
    virtual HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) = 0;
    virtual HRESULT STDMETHODCALLTYPE PreInitialActivate() = 0;
    virtual HRESULT STDMETHODCALLTYPE OnActivate() = 0;
    // A failure keeps the page from being left.
    virtual HRESULT STDMETHODCALLTYPE OnDeactivate() = 0;
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
    virtual HRESULT STDMETHODCALLTYPE ClearDirty() = 0;
    // Some control of the page (`changed`, dialog item `changedId`) was modified.
    virtual HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) = 0;
    // Success claims the error; the first argument is the host's and only passed on.
    virtual HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName,
                                                             IErrorInfo** error) = 0;
    // S_OK when the control changed because of the module definition change.
    virtual HRESULT STDMETHODCALLTYPE PostModDefChange() = 0;

protected:
    ~IPVCtrl() = default;
};
