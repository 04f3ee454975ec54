// Automation error information: the per-thread error object a failing call leaves
// behind for its caller (SetErrorInfo / GetErrorInfo).
#pragma once

#include "platform/com/Unknown.h"

struct IErrorInfo : IUnknown {
    static constexpr IID Iid{0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
    virtual HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* helpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* helpContext) = 0;

protected:
    ~IErrorInfo() = default;
};

struct ICreateErrorInfo : IUnknown {
    static constexpr IID Iid{0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
    virtual HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR source) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR description) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR helpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD helpContext) = 0;

protected:
    ~ICreateErrorInfo() = default;
};

struct ISupportErrorInfo : IUnknown {
    static constexpr IID Iid{0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
    // S_OK when the object leaves error information after failures of `riid`'s
    // methods, S_FALSE otherwise.
    virtual HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};

// A new error object, to be filled through ICreateErrorInfo and published with
// SetErrorInfo after a QueryInterface for IErrorInfo.
extern "C" HRESULT CreateErrorInfo(ICreateErrorInfo** created);
// Replaces the thread's error object (null clears it). `reserved` must be 0.
extern "C" HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* errorInfo);
// Hands the thread's error object to the caller and clears it; S_FALSE and null
// when there is none.
extern "C" HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** errorInfo);
