// _com_ptr_t: the raising smart pointer. Unlike CComPtr it raises _com_error where
// the Windows helper does: dereferencing a null pointer raises E_POINTER, and
// constructing from another interface raises any QueryInterface failure other than
// E_NOINTERFACE.
#pragma once

#include <memory>
#include <utility>

#include "platform/com/ComError.h"

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv);

template <class T> class _com_ptr_t {
public:
    _com_ptr_t() = default;
    _com_ptr_t(std::nullptr_t) {}
    _com_ptr_t(T* p) : m_p(p) {
        if (m_p)
            m_p->AddRef();
    }
    _com_ptr_t(T* p, bool addRef) : m_p(p) {
        if (m_p && addRef)
            m_p->AddRef();
    }
    _com_ptr_t(const _com_ptr_t& other) : _com_ptr_t(other.m_p) {}
    _com_ptr_t(_com_ptr_t&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    template <class Other> _com_ptr_t(const _com_ptr_t<Other>& other) {
        HRESULT hr = QueryFrom(other.GetInterfacePtr());
        if (FAILED(hr) && hr != E_NOINTERFACE)
            _com_issue_error(hr);
    }
    // From an unrelated interface pointer: a QueryInterface, as the Windows helper does.
    template <class Other> explicit _com_ptr_t(Other* other) {
        HRESULT hr = QueryFrom(other);
        if (FAILED(hr) && hr != E_NOINTERFACE)
            _com_issue_error(hr);
    }
    ~_com_ptr_t() { ReleaseHeld(); }

    _com_ptr_t& operator=(T* p) {
        if (p)
            p->AddRef();
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
        return *this;
    }
    _com_ptr_t& operator=(const _com_ptr_t& other) { return *this = other.m_p; }
    _com_ptr_t& operator=(_com_ptr_t&& other) noexcept {
        if (this != std::addressof(other)) {
            T* old = std::exchange(m_p, std::exchange(other.m_p, nullptr));
            if (old)
                old->Release();
        }
        return *this;
    }
    _com_ptr_t& operator=(std::nullptr_t) {
        ReleaseHeld();
        return *this;
    }

    T* operator->() const {
        if (!m_p)
            _com_issue_error(E_POINTER);
        return m_p;
    }
    T& operator*() const {
        if (!m_p)
            _com_issue_error(E_POINTER);
        return *m_p;
    }
    operator T*() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator!() const { return m_p == nullptr; }

    // For out parameters: releases the held object and hands out the slot.
    T** operator&() {
        ReleaseHeld();
        return &m_p;
    }

    T* GetInterfacePtr() const { return m_p; }
    void Attach(T* p) {
        T* old = std::exchange(m_p, p);
        if (old)
            old->Release();
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    // Releases the held object; with none held it raises E_POINTER, as the Windows helper does.
    void Release() {
        if (!m_p)
            _com_issue_error(E_POINTER);
        ReleaseHeld();
    }

    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer = nullptr, DWORD context = 0x17 /* CLSCTX_ALL */) {
        ReleaseHeld();
        return CoCreateInstance(clsid, outer, context, T::Iid, reinterpret_cast<void**>(&m_p));
    }

    template <class Q> HRESULT QueryInterface(Q** out) const {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(Q::Iid, reinterpret_cast<void**>(out));
    }

private:
    void ReleaseHeld() {
        if (T* old = std::exchange(m_p, nullptr))
            old->Release();
    }

    template <class Other> HRESULT QueryFrom(Other* other) {
        ReleaseHeld();
        if (!other)
            return E_NOINTERFACE;
        return other->QueryInterface(T::Iid, reinterpret_cast<void**>(&m_p));
    }

    T* m_p = nullptr;
};
