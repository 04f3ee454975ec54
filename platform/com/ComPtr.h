// CComPtr: the counted reference every owner of a COM object holds. Taking the
// address (operator&, for an out parameter) releases what was held first, so an
// out-parameter call can never leak the previous object.
#pragma once

#include <memory>
#include <utility>

#include "platform/com/Unknown.h"

template <class T> class CComPtr {
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}
    CComPtr(T* p) : m_p(p) {
        if (m_p)
            m_p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* p) {
        if (p)
            p->AddRef();
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) { return *this = other.m_p; }
    CComPtr& operator=(CComPtr&& other) noexcept {
        if (this != std::addressof(other)) {
            T* old = std::exchange(m_p, std::exchange(other.m_p, nullptr));
            if (old)
                old->Release();
        }
        return *this;
    }
    CComPtr& operator=(std::nullptr_t) {
        Release();
        return *this;
    }

    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T& operator*() const { return *m_p; }
    bool operator!() const { return m_p == nullptr; }

    // For out parameters: releases the held object and hands out the slot.
    T** operator&() {
        Release();
        return &m_p;
    }

    T* p() const { return m_p; }

    void Release() {
        if (T* old = std::exchange(m_p, nullptr))
            old->Release();
    }
    // Takes ownership of a reference without AddRef.
    void Attach(T* p) {
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
    }
    // Gives the held reference away without Release.
    T* Detach() { return std::exchange(m_p, nullptr); }

    HRESULT CopyTo(T** out) const {
        if (!out)
            return E_POINTER;
        *out = m_p;
        if (m_p)
            m_p->AddRef();
        return S_OK;
    }

    template <class Q> HRESULT QueryInterface(Q** out) const {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(Q::Iid, reinterpret_cast<void**>(out));
    }

    // True when both pointers reach the same object (compared through IUnknown).
    bool IsEqualObject(IUnknown* other) const {
        if (!m_p && !other)
            return true;
        if (!m_p || !other)
            return false;
        CComPtr<IUnknown> a, b;
        m_p->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(&a));
        other->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(&b));
        return a.p() == b.p();
    }

private:
    T* m_p = nullptr;
};
