// The live device behind the module, as the module object answers it to
// QueryInterface: who the device is, and requests to it by attribute, service or
// method name. What a name means on the wire is the host's business.
//
// The host answers:
// - GetIdentity: 1 or 2 when the device is missing or does not match the module
//   (two cases, each with its own message), any other code when it matches.
// - IModuleServices, IModuleMethods: after a failure, error information for the
//   caller; the module object answers ISupportErrorInfo for both interfaces and
//   leaves its error object with SetErrorInfo.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/oleaut/Variant.h"

struct IDeviceInfo2 : IUnknown {
    static constexpr IID Iid{0x26F82F8F, 0xAD63, 0x4B74, {0xA3, 0x41, 0xE8, 0x28, 0x4B, 0x3A, 0x73, 0x59}};
    // Asks the live device who it is and compares it with the configured module.
    virtual HRESULT STDMETHODCALLTYPE GetIdentity(LONG* identity) = 0;

protected:
    ~IDeviceInfo2() = default;
};

// Arguments are passed by value and stay the caller's; a value handed out is the
// caller's to clear.
struct IModuleServices : IUnknown {
    static constexpr IID Iid{0xBCC28BE3, 0x4E2F, 0x4D12, {0x9C, 0x3F, 0x96, 0x35, 0xFC, 0x77, 0x3D, 0xAA}};
    virtual HRESULT STDMETHODCALLTYPE GetAttribute(BSTR name, VARIANT argument, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE ExecuteService(BSTR name, VARIANT data) = 0;
    // Whether the device knows `name` as an attribute or service. No page uses it.
    virtual HRESULT STDMETHODCALLTYPE HasName(BSTR name, VARIANT_BOOL* known) = 0;

protected:
    ~IModuleServices() = default;
};

struct IModuleMethods : IUnknown {
    static constexpr IID Iid{0xE17509D0, 0x0632, 0x4707, {0x94, 0xFB, 0xA1, 0xA4, 0x13, 0x00, 0x8C, 0xAB}};
    // `flags` is the host's; callers pass 0.
    virtual HRESULT STDMETHODCALLTYPE InvokeMethod(BSTR name, VARIANT argument, LONG flags, LONG* result) = 0;

protected:
    ~IModuleMethods() = default;
};
