// The reference counting and QueryInterface that every COM object of the host
// stand-in shares: it answers IUnknown and each interface it derives from, plus
// what a derived class adds in QueryExtra (base interfaces such as ITag of ITag2, or
// interfaces it answers only in some states).
#pragma once

#include <atomic>
#include <utility>

#include "platform/base/HResult.h"
#include "platform/com/ComPtr.h"

template <class First, class... Rest> class CHostObject : public First, public Rest... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!Answers(riid))
            return E_NOINTERFACE;
        const bool handed =
            riid == IUnknown::Iid
                ? Hand(ppv, static_cast<IUnknown*>(static_cast<First*>(this)))
                : (riid == First::Iid && Hand(ppv, static_cast<First*>(this))) ||
                      (false || ... || (riid == Rest::Iid && Hand(ppv, static_cast<Rest*>(this))));
        if (!handed && !QueryExtra(riid, ppv))
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~CHostObject() = default;
    // Interfaces answered beyond the bases: set *ppv (without AddRef) and answer true.
    virtual bool QueryExtra(REFIID riid, void** ppv) { return false; }
    // False hides an interface of the bases (a module without safety, ...).
    virtual bool Answers(REFIID riid) const { return true; }

private:
    static bool Hand(void** ppv, void* object) {
        *ppv = object;
        return true;
    }

    std::atomic<ULONG> m_references{0};
};

// A new host object, held by the caller's smart pointer.
template <class T, class... Args> CComPtr<T> MakeHostObject(Args&&... args) {
    return CComPtr<T>(new T(std::forward<Args>(args)...));
}
