// A stack-owned IUnknown that counts its references, so tests can see every AddRef
// and Release the automation calls make.
#pragma once

#include "platform/com/Unknown.h"

class CCountingUnknown final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown))
            return E_NOINTERFACE;
        *ppv = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--m_refs); }

    // The count the object started with is 1: the test's own reference.
    LONG Refs() const { return m_refs; }

private:
    LONG m_refs = 1;
};
