// The interfaces through which the host drives a property page of the module: the
// page's life cycle (IPVChild), its window (IPVPanel3), help, host events, the
// extended-info text the host passes in and the dynamic sub-items the page hands out.
// The page implements them all on one object; the host calls them.
//
// The host calls Init before Create (the page asks the parent for the module while
// its dialog initialises) and Destroy before the final Release. The page answers
// E_UNEXPECTED to the window operations while it has no window, and S_FALSE to a
// Destroy of a page never created.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/ErrorInfo.h"
#include "platform/com/Unknown.h"

struct IPVParent;

// The page's life cycle. Unlike the other interfaces, its first own slot is a public
// virtual destructor: the page deletes itself through it on its last Release.
struct IPVChild : IUnknown {
    static constexpr IID Iid{0xB9B3EF54, 0x4DDF, 0x4572, {0xBB, 0xD3, 0x2F, 0xF4, 0x34, 0x3B, 0xB0, 0x1F}};
    virtual ~IPVChild() = default;
    virtual HRESULT STDMETHODCALLTYPE Init(IPVParent* parent) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save() = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
    virtual HRESULT STDMETHODCALLTYPE ClearDirty() = 0;
    // The first argument is the host's and is only passed on.
    virtual HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName,
                                                             IErrorInfo** error) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReservedA() = 0;
    virtual HRESULT STDMETHODCALLTYPE PostModDefChange() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) = 0;
    virtual HRESULT STDMETHODCALLTYPE PreInitialActivate() = 0;
    virtual HRESULT STDMETHODCALLTYPE OnActivate() = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDeactivate() = 0;
    virtual HRESULT STDMETHODCALLTYPE ReservedB(LONG reserved) = 0;
    virtual HRESULT STDMETHODCALLTYPE TakeFocus() = 0;
};

struct IPVPanel : IUnknown {
    static constexpr IID Iid{0xCAE61308, 0x454A, 0x413A, {0x96, 0x68, 0x6F, 0x26, 0x3B, 0x0D, 0xA6, 0x43}};
    virtual HRESULT STDMETHODCALLTYPE Create(HWND parent) = 0;
    virtual HRESULT STDMETHODCALLTYPE Destroy() = 0;
    virtual HRESULT STDMETHODCALLTYPE Show(INT nCmdShow) = 0;
    virtual HRESULT STDMETHODCALLTYPE Move(const RECT* rect) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPanelTitle(BSTR* title) = 0;
    // The page's size in pixels, computed from its dialog template.
    virtual HRESULT STDMETHODCALLTYPE GetSize(SIZE* size) = 0;

protected:
    ~IPVPanel() = default;
};

struct IPVPanel2 : IPVPanel {
    static constexpr IID Iid{0x5977F38A, 0x57D9, 0x419A, {0x9D, 0x8C, 0xD9, 0x92, 0xCF, 0xC9, 0xF6, 0x7C}};
    virtual HRESULT STDMETHODCALLTYPE GetBannerTitle(BSTR* title) = 0;

protected:
    ~IPVPanel2() = default;
};

struct IPVPanel3 : IPVPanel2 {
    static constexpr IID Iid{0x976B454B, 0x5B45, 0x4E26, {0x85, 0xF2, 0x7F, 0x57, 0x65, 0x31, 0x9C, 0x9E}};
    virtual HRESULT STDMETHODCALLTYPE GetPanelDefaultExpandedState(VARIANT_BOOL* expanded) = 0;

protected:
    ~IPVPanel3() = default;
};

struct IPVProvideHelp : IUnknown {
    static constexpr IID Iid{0xAFC1814F, 0xBCD4, 0x46EB, {0xBD, 0x7A, 0xD8, 0x7C, 0x53, 0x85, 0xDF, 0xFD}};
    virtual HRESULT STDMETHODCALLTYPE ShowHelp() = 0;

protected:
    ~IPVProvideHelp() = default;
};

// Host events; the page passes them on to its controls, which implement the same
// interface.
struct IPVEventHandler2 : IUnknown {
    static constexpr IID Iid{0xC8F93B79, 0x6C6C, 0x4802, {0x84, 0x86, 0xDE, 0xD7, 0xF2, 0xCB, 0x73, 0x57}};
    virtual HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) = 0;
    virtual HRESULT STDMETHODCALLTYPE ModuleStatusChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE Flush() = 0;
    virtual HRESULT STDMETHODCALLTYPE DataChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reverted() = 0;
    virtual HRESULT STDMETHODCALLTYPE DirtyStateChanged() = 0;
    virtual HRESULT STDMETHODCALLTYPE ModuleDeleted() = 0;

protected:
    ~IPVEventHandler2() = default;
};

struct IPVDocumentation : IUnknown {
    static constexpr IID Iid{0xA1DF712B, 0x0C01, 0x4BD1, {0xBA, 0xE4, 0xD9, 0x83, 0x9C, 0xAF, 0x3B, 0x77}};
    virtual HRESULT STDMETHODCALLTYPE GetDocumentationDirtyState(VARIANT_BOOL* dirty) = 0;

protected:
    ~IPVDocumentation() = default;
};

// The host's extended-info XML for the page (titles, expanded state, help, the
// classes of dynamic sub-pages).
struct IPVExtendedInfoXml : IUnknown {
    static constexpr IID Iid{0x1537A0D3, 0x3C38, 0x47AB, {0xAD, 0x0B, 0x94, 0x91, 0x1C, 0xD2, 0x04, 0xA1}};
    virtual HRESULT STDMETHODCALLTYPE SetExtendedInfo(BSTR xml) = 0;

protected:
    ~IPVExtendedInfoXml() = default;
};

struct IPVExtendedInfoXml2 : IPVExtendedInfoXml {
    static constexpr IID Iid{0x819AA40C, 0xC274, 0x4090, {0x9A, 0x65, 0x50, 0x80, 0xD7, 0x90, 0x8A, 0x0E}};
    // The second argument is the host's; the page ignores it.
    virtual HRESULT STDMETHODCALLTYPE SetExtendedInfo2(BSTR xml, LONG reserved) = 0;

protected:
    ~IPVExtendedInfoXml2() = default;
};

struct IPVWndMsg : IUnknown {
    static constexpr IID Iid{0xB967A73C, 0x6272, 0x412B, {0x80, 0xFD, 0xC9, 0x03, 0xB3, 0xB7, 0x04, 0x20}};
    // S_OK when a window of the page translated the message, S_FALSE when none did.
    virtual HRESULT STDMETHODCALLTYPE PreTranslateMessage(MSG* msg) = 0;

protected:
    ~IPVWndMsg() = default;
};

// The module's sub-item source calls this when its sub-items change; the page
// registers it with IDynamicSubItemSource::AdviseSubItems.
struct IDynamicSubItemEvents : IUnknown {
    static constexpr IID Iid{0x63B82F8A, 0x0FA3, 0x4F5C, {0x92, 0xBD, 0x01, 0x9D, 0x49, 0x44, 0xAE, 0xDA}};
    // The argument is the source's; the page does not read it.
    virtual HRESULT STDMETHODCALLTYPE OnSubItemsChanged(LONG hint) = 0;

protected:
    ~IDynamicSubItemEvents() = default;
};

struct IPVDynamicSubItem : IUnknown {
    static constexpr IID Iid{0x806C3DAE, 0x6A57, 0x41F8, {0x98, 0xBE, 0x99, 0xB8, 0x9B, 0xF0, 0x80, 0x92}};
    // A ProfileViewDirectory document, or a null string when the page has no
    // dynamic sub-items.
    virtual HRESULT STDMETHODCALLTYPE GetSubItemsXML(BSTR* xml) = 0;
    // `itemId` is the Id of the selected sub-item as the sub-items XML gives it.
    virtual HRESULT STDMETHODCALLTYPE OnSubItemSelChanged(ULONG itemId) = 0;

protected:
    ~IPVDynamicSubItem() = default;
};
