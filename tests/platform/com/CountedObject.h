// A COM object for tests: counts its references and its destruction, answers the
// interfaces it is told to, and can run (IRunnableObject) when asked.
#pragma once

#include "platform/com/ErrorInfo.h"
#include "platform/com/Unknown.h"

class CCountedObject : public IRunnableObject, public ISupportErrorInfo {
public:
    explicit CCountedObject(int* destroyed = nullptr, bool runnable = false)
        : m_destroyed(destroyed), m_runnable(runnable) {}
    virtual ~CCountedObject() {
        if (m_destroyed)
            ++*m_destroyed;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IUnknown::Iid))
            *ppv = static_cast<IRunnableObject*>(this);
        else if (m_runnable && IsEqualIID(riid, IRunnableObject::Iid))
            *ppv = static_cast<IRunnableObject*>(this);
        else if (IsEqualIID(riid, ISupportErrorInfo::Iid))
            *ppv = static_cast<ISupportErrorInfo*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = --m_refs;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    LONG Refs() const { return m_refs; }

    HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Run(void*) override {
        ++m_runs;
        return m_runResult;
    }
    BOOL STDMETHODCALLTYPE IsRunning() override { return m_runs > 0; }
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return IsEqualIID(riid, m_errorInterface) ? S_OK : S_FALSE;
    }

    int m_runs = 0;
    HRESULT m_runResult = S_OK;
    IID m_errorInterface = GUID_NULL;

private:
    LONG m_refs = 0;
    int* m_destroyed;
    bool m_runnable;
};
