// The module whose properties are open (IModule, from IPVParent::GetModule) and the
// further interfaces the host's module object answers to QueryInterface: safety,
// module state, identity of the device, named services and methods of the live
// device, and the source of the page's dynamic sub-items.
//
// The host answers:
// - GetConfigTag, GetSafetyConfigTag: E_NOINTERFACE when the module has no such tag.
// - GetSafetyEnabled: S_FALSE when safety is off.
// - IDeviceInfo2, IModuleServices, IModuleMethods: see Device.h.
// - The module state flag: callers take any failure as VARIANT_FALSE.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/oleaut/Variant.h"
#include "profile/interfaces/Device.h"

struct ITag;
struct IDynamicSubItemEvents;

struct IModule : IUnknown {
    static constexpr IID Iid{0xCCAC5475, 0x68E5, 0x4C1E, {0xB6, 0x6C, 0x0F, 0x06, 0x43, 0xB1, 0xDE, 0xB2}};
    virtual HRESULT STDMETHODCALLTYPE GetConfigTag(ITag** tag) = 0;

protected:
    ~IModule() = default;
};

// The module's safety properties (the name is ours; the host gives this interface
// none). A module without safety does not answer it.
struct IModuleSafety : IUnknown {
    static constexpr IID Iid{0xEFB0CE26, 0x3084, 0x4C88, {0xAC, 0x15, 0xCC, 0x6D, 0xF4, 0x5E, 0x73, 0xFA}};
    virtual HRESULT STDMETHODCALLTYPE GetSafetyConfigTag(ITag** tag) = 0;
    // S_OK with VARIANT_TRUE when safety is on for `scope` (callers pass 1), S_FALSE
    // with VARIANT_FALSE when it is off.
    virtual HRESULT STDMETHODCALLTYPE GetSafetyEnabled(LONG scope, VARIANT_BOOL* enabled) = 0;

protected:
    ~IModuleSafety() = default;
};

// The module's safety lock (the name is ours).
struct IModuleSafetyLock : IUnknown {
    static constexpr IID Iid{0x9F0CB14C, 0x11C4, 0x452B, {0xA6, 0x78, 0x99, 0x4A, 0x43, 0xE7, 0x0F, 0xAA}};
    virtual HRESULT STDMETHODCALLTYPE GetSafetyLockedOut(VARIANT_BOOL* lockedOut) = 0;

protected:
    ~IModuleSafetyLock() = default;
};

// The module's state flag (the name is ours). While it is VARIANT_TRUE the online
// controls stay disabled.
struct IModuleState : IUnknown {
    static constexpr IID Iid{0x1C902912, 0xB992, 0x4952, {0xBC, 0x0A, 0x76, 0x43, 0xF8, 0x29, 0xBE, 0x29}};
    virtual HRESULT STDMETHODCALLTYPE get_ModuleStateFlag(VARIANT_BOOL* flag) = 0;

protected:
    ~IModuleState() = default;
};

struct IModuleInternal7 : IUnknown {
    static constexpr IID Iid{0x6B3F1293, 0xA2EF, 0x4730, {0xB7, 0xE7, 0xEC, 0x90, 0x1C, 0xA2, 0xA9, 0xB9}};
    // The version of the controller software the project is made for.
    virtual HRESULT STDMETHODCALLTYPE get_CurrentLogixVersion(LONG* version) = 0;

protected:
    ~IModuleInternal7() = default;
};

// The module's source of dynamic sub-items (the name is ours). A page registers its
// IDynamicSubItemEvents here to hear of changes.
struct IDynamicSubItemSource : IUnknown {
    static constexpr IID Iid{0xF8417AAA, 0x55DC, 0x484F, {0xA0, 0x83, 0x92, 0xCD, 0x5D, 0x08, 0x79, 0x76}};
    virtual HRESULT STDMETHODCALLTYPE AdviseSubItems(IDynamicSubItemEvents* events) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnadviseSubItems(IDynamicSubItemEvents* events) = 0;
    // A fragment holding one PageSet element whose children are pages with an Id.
    virtual HRESULT STDMETHODCALLTYPE GetSubItemsXml(BSTR* xml) = 0;
    virtual HRESULT STDMETHODCALLTYPE SubItemSelChanged(ULONG itemId) = 0;

protected:
    ~IDynamicSubItemSource() = default;
};
