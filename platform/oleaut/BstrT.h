// _bstr_t: an owned BSTR with value semantics. A null and an empty string are both
// "empty"; ordering is by code unit, a prefix sorting before the longer text.
#pragma once

#include <string>

#include "platform/oleaut/Bstr.h"

class _bstr_t {
public:
    _bstr_t() = default;
    _bstr_t(const wchar_t* text);
    _bstr_t(const char* utf8);
    // With copy false the object takes ownership of `text`.
    _bstr_t(BSTR text, bool copy);
    _bstr_t(const _bstr_t& other);
    _bstr_t(_bstr_t&& other) noexcept;
    ~_bstr_t();

    _bstr_t& operator=(const _bstr_t& other);
    _bstr_t& operator=(_bstr_t&& other) noexcept;
    _bstr_t& operator=(const wchar_t* text);
    _bstr_t& operator+=(const _bstr_t& other);
    _bstr_t operator+(const _bstr_t& other) const;

    operator const wchar_t*() const { return m_bstr; }
    BSTR GetBSTR() const { return m_bstr; }
    // For out parameters: frees the held text and hands out the slot.
    BSTR* GetAddress();
    // A new copy the caller frees.
    BSTR copy() const;
    void Attach(BSTR text);
    BSTR Detach();
    unsigned int length() const { return SysStringLen(m_bstr); }
    bool operator!() const { return length() == 0; }

    int Compare(const _bstr_t& other) const;
    bool operator==(const _bstr_t& other) const { return Compare(other) == 0; }
    bool operator!=(const _bstr_t& other) const { return Compare(other) != 0; }
    bool operator<(const _bstr_t& other) const { return Compare(other) < 0; }
    bool operator>(const _bstr_t& other) const { return Compare(other) > 0; }

private:
    void Free();

    BSTR m_bstr = nullptr;
};
