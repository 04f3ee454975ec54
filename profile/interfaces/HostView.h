// The way from a page to the host's application object: the host service
// CLSID_PVExtHostViewConnector (IPVParent::GetHostService) gives the host view
// connector, which gives the application.
//
// The host answers: a failure at any step means there is no application object.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

// The host service that answers IPVExtHostViewConnector.
constexpr CLSID CLSID_PVExtHostViewConnector{
    0x2CF8A6B0, 0x6252, 0x43AE, {0x8A, 0xDC, 0xF5, 0x54, 0x08, 0x2A, 0x5A, 0x5F}};

struct IPVExtHostViewConnector : IUnknown {
    static constexpr IID Iid{0x86A387BF, 0x35F7, 0x4D5F, {0x8A, 0x58, 0xF6, 0xD5, 0xEE, 0x4F, 0x6D, 0xE4}};
    // An object that answers IHostViewConnector.
    virtual HRESULT STDMETHODCALLTYPE GetHostViewConnector(IUnknown** connector) = 0;

protected:
    ~IPVExtHostViewConnector() = default;
};

struct IHostViewConnector : IUnknown {
    static constexpr IID Iid{0xB56FCB3D, 0x6DD1, 0x4EA3, {0xB8, 0xB3, 0x95, 0x57, 0x0E, 0x22, 0x7F, 0x43}};
    // An object that answers IApplication.
    virtual HRESULT STDMETHODCALLTYPE GetApplication(IUnknown** application) = 0;

protected:
    ~IHostViewConnector() = default;
};

// The host's application object. The profile only obtains it and calls none of its
// operations, so none are declared.
struct IApplication : IUnknown {
    static constexpr IID Iid{0x7E151B80, 0xD05B, 0x467C, {0x9F, 0x08, 0x03, 0x3B, 0xD0, 0x16, 0x6C, 0xB0}};

protected:
    ~IApplication() = default;
};
