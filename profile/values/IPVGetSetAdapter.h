// Typed access to the members of one host tag, by member name. Each version adds
// operations at the end of the previous one, so that a caller built against an
// older version keeps working with a newer adapter.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/mfc/String.h"
#include "platform/oleaut/Variant.h"

struct ITag2;

struct IPVGetSetAdapter : IUnknown {
    static constexpr IID Iid{0x855427C3, 0xFB5E, 0x4D5E, {0x90, 0x0C, 0xEC, 0xE5, 0x66, 0x06, 0x9E, 0x4D}};
    // TRUE exactly when the member holds VARIANT_TRUE, then inverted when `invert` is set.
    virtual HRESULT STDMETHODCALLTYPE GetBool(LPCWSTR member, BOOL* value, BOOL invert) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBool(LPCWSTR member, BOOL value, BOOL invert) = 0;
    // -1 with S_OK when the tag has no such member.
    virtual HRESULT STDMETHODCALLTYPE GetEnum(LPCWSTR member, LONG* index) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnum(LPCWSTR member, LONG index) = 0;
    // A new array of BSTR the caller destroys.
    virtual HRESULT STDMETHODCALLTYPE GetEnumStrings(LPCWSTR member, SAFEARRAY** strings) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFloat(LPCWSTR member, float* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFloat(LPCWSTR member, float value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinFloat(LPCWSTR member, float* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxFloat(LPCWSTR member, float* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLong(LPCWSTR member, LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLong(LPCWSTR member, LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinLong(LPCWSTR member, LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxLong(LPCWSTR member, LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetString(LPCWSTR member, CString* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetString(LPCWSTR member, CString value) = 0;

protected:
    ~IPVGetSetAdapter() = default;
};

struct IPVGetSetAdapter2 : IPVGetSetAdapter {
    static constexpr IID Iid{0x39012610, 0xE1F9, 0x4E95, {0xB9, 0xD5, 0x5D, 0x08, 0x31, 0x6A, 0xDB, 0x54}};
    // The tag itself, a counted reference for the caller.
    virtual HRESULT STDMETHODCALLTYPE GetITag(ITag2** tag) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMemberDirtyState(LPCWSTR member, VARIANT_BOOL* dirty) = 0;

protected:
    ~IPVGetSetAdapter2() = default;
};

struct IPVGetSetAdapter3 : IPVGetSetAdapter2 {
    static constexpr IID Iid{0x191DEF69, 0xDBC8, 0x4A98, {0x89, 0x73, 0x2E, 0xA0, 0xEB, 0x49, 0x20, 0xCE}};
    virtual HRESULT STDMETHODCALLTYPE GetMemberExists(LPCWSTR member, VARIANT_BOOL* exists) = 0;

protected:
    ~IPVGetSetAdapter3() = default;
};

struct IPVGetSetAdapter4 : IPVGetSetAdapter3 {
    static constexpr IID Iid{0x85722B3E, 0x21B2, 0x43DE, {0x8D, 0x7F, 0x39, 0x21, 0xAC, 0xD8, 0xE5, 0x8B}};
    // The enumeration's codes as the host gives them (a new array for the caller).
    virtual HRESULT STDMETHODCALLTYPE GetEnumValues(LPCWSTR member, SAFEARRAY** values) = 0;
    // VT_I4 members are read sign-extended; VT_I8 as they are.
    virtual HRESULT STDMETHODCALLTYPE GetLongLong(LPCWSTR member, LONGLONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetLongLong(LPCWSTR member, LONGLONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinLongLong(LPCWSTR member, LONGLONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxLongLong(LPCWSTR member, LONGLONG* value) = 0;

protected:
    ~IPVGetSetAdapter4() = default;
};
