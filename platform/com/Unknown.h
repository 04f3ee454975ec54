// IUnknown and IClassFactory. Every interface carries its identifier as the static
// member `Iid`, so that smart pointers and QueryInterface helpers find it by type
// (the role __uuidof plays for the Windows compilers).
#pragma once

#include "platform/base/Guid.h"

template <class Interface> constexpr const IID& uuidof() {
    return Interface::Iid;
}

struct IUnknown {
    static constexpr IID Iid{0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

    template <class Q> HRESULT QueryInterface(Q** pp) {
        return QueryInterface(Q::Iid, reinterpret_cast<void**>(pp));
    }

protected:
    ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;
constexpr IID IID_IUnknown = IUnknown::Iid;

struct IClassFactory : IUnknown {
    static constexpr IID Iid{0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};
constexpr IID IID_IClassFactory = IClassFactory::Iid;

// OleRun asks for this and runs the object when it has it.
struct IRunnableObject : IUnknown {
    static constexpr IID Iid{0x00000126, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID clsid) = 0;
    virtual HRESULT STDMETHODCALLTYPE Run(void* bindContext) = 0;
    virtual BOOL STDMETHODCALLTYPE IsRunning() = 0;
    virtual HRESULT STDMETHODCALLTYPE LockRunning(BOOL lock, BOOL lastUnlockCloses) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL contained) = 0;

protected:
    ~IRunnableObject() = default;
};
