// The class factory of one page class T, and the two per-page functions a page's
// registration entry carries (its class test and its factory creator). T supplies
// `static const wchar_t* PageClsidText()` and derives from IPVChild.
#pragma once

#include <cwchar>
#include <cwctype>

#include "platform/mfc/ModuleState.h"
#include "profile/interfaces/Panel.h"
#include "profile/server/PVAllocation.h"
#include "profile/server/PVModuleLock.h"
#include "profile/server/PVModuleObject.h"

// A live factory holds one module lock (CPVModuleObject).
template <class T> class CPVPropPageClassFactory final : public CPVModuleObject<IClassFactory> {
public:
    explicit CPVPropPageClassFactory(REFCLSID clsid) : m_clsid(clsid) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (!ppv)
            return E_POINTER;
        if (outer) {
            *ppv = nullptr;
            return CLASS_E_NOAGGREGATION;
        }
        CComPtr<T> page;
        try {
            PVCheckAllocation("new page");
            page = Make<T>();
        } catch (...) {
            *ppv = nullptr;
            return E_OUTOFMEMORY;
        }
        // The page's first reference goes on return, destroying it when the
        // QueryInterface found nothing.
        const HRESULT hr = static_cast<IPVChild*>(page.p())->QueryInterface(riid, ppv);
        if (FAILED(hr))
            *ppv = nullptr;
        return hr;
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        if (lock)
            CPVModuleLock::Lock();
        else
            CPVModuleLock::Unlock();
        return S_OK;
    }

private:
    ~CPVPropPageClassFactory() override = default;

    CLSID m_clsid;
};

// True when `clsid`, formatted in registry form, is T's CLSID text (either case).
template <class T> bool PVIsPageClass(REFCLSID clsid) {
    wchar_t text[128];
    std::swprintf(text, 128, L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", clsid.Data1, clsid.Data2,
                  clsid.Data3, clsid.Data4[0], clsid.Data4[1], clsid.Data4[2], clsid.Data4[3], clsid.Data4[4],
                  clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    const wchar_t* own = T::PageClsidText();
    size_t i = 0;
    for (; text[i] && own[i]; ++i)
        if (std::towupper(static_cast<wint_t>(text[i])) != std::towupper(static_cast<wint_t>(own[i])))
            return false;
    return text[i] == own[i];
}

// Makes T's factory and gives the caller its first reference (and so one module lock).
template <class T> HRESULT PVCreatePageClassFactory(REFCLSID clsid, void** factory) {
    try {
        PVCheckAllocation("new CPVPropPageClassFactory");
        *factory = static_cast<IClassFactory*>(Make<CPVPropPageClassFactory<T>>(clsid).Detach());
        return S_OK;
    } catch (...) {
        *factory = nullptr;
        return E_OUTOFMEMORY;
    }
}
