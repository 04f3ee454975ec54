// A host tag (the module's configuration tag) and its companion interfaces, which the
// host's tag object answers to QueryInterface. Members are addressed by member name,
// the text after the tag name.
//
// The host answers:
// - Values, minima and maxima as VT_I4 (integers up to 32 bits and enumeration
//   codes), VT_I8, VT_R4, VT_BOOL or VT_BSTR, as the member's type is.
// - E_INVALIDARG on a member read when the tag has no such member.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/oleaut/Variant.h"

struct ITag : IUnknown {
    static constexpr IID Iid{0x42048C7F, 0xFB5A, 0x4683, {0xA1, 0x8D, 0xE3, 0x5B, 0xD3, 0x57, 0xC1, 0x0A}};
    virtual HRESULT STDMETHODCALLTYPE GetValue(BSTR member, VARIANT* value) = 0;
    // `value` stays the caller's.
    virtual HRESULT STDMETHODCALLTYPE SetValue(BSTR member, VARIANT value) = 0;
    // The position of the member's value in its enumeration.
    virtual HRESULT STDMETHODCALLTYPE GetEnumIndex(BSTR member, LONG* index) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnumIndex(BSTR member, LONG index) = 0;
    // The display texts of the enumeration, a new array of BSTR for the caller.
    virtual HRESULT STDMETHODCALLTYPE GetEnumStrings(BSTR member, SAFEARRAY** strings) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(BSTR member, VARIANT* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(BSTR member, VARIANT* value) = 0;

protected:
    ~ITag() = default;
};

struct ITag2 : ITag {
    static constexpr IID Iid{0x43B2B3F2, 0x9081, 0x45DC, {0x94, 0xE6, 0x55, 0x3D, 0x8F, 0x7D, 0x2E, 0xFD}};
    // Whether the member's value was changed since the project was last saved.
    virtual HRESULT STDMETHODCALLTYPE GetMemberDirtyState(BSTR member, VARIANT_BOOL* dirty) = 0;
    // The tag's suffix; "O" and "EO" mark tags that can be forced.
    virtual HRESULT STDMETHODCALLTYPE get_Suffix(BSTR* suffix) = 0;

protected:
    ~ITag2() = default;
};

struct ITagEnumValues : IUnknown {
    static constexpr IID Iid{0x5FF9EE79, 0xFBB4, 0x4E76, {0xB2, 0xF7, 0x87, 0x2C, 0x69, 0xB4, 0xF9, 0x85}};
    // The codes of the member's enumeration, a new array of LONG (VT_I4) for the
    // caller, in the order of GetEnumStrings.
    virtual HRESULT STDMETHODCALLTYPE GetEnumValues(BSTR member, SAFEARRAY** values) = 0;

protected:
    ~ITagEnumValues() = default;
};

struct ITagForcing : IUnknown {
    static constexpr IID Iid{0x10C65FB9, 0x60A9, 0x4B84, {0x8C, 0x0A, 0x25, 0x68, 0x1C, 0xA4, 0xAF, 0xFD}};
    // Whether forces are in effect for the tag.
    virtual HRESULT STDMETHODCALLTYPE GetForcesEnabled(VARIANT_BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIsForced(BSTR member, VARIANT_BOOL* forced) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetForcedValue(BSTR member, VARIANT* value) = 0;

protected:
    ~ITagForcing() = default;
};

// Extended properties of a tag's members; `selector` chooses the property.
struct ITagExtProperty : IUnknown {
    static constexpr IID Iid{0x79696B03, 0x2B49, 0x424B, {0x95, 0xB8, 0xD2, 0x30, 0x85, 0x44, 0x76, 0x6A}};
    virtual HRESULT STDMETHODCALLTYPE GetExtProperty(LONG selector, BSTR member, VARIANT* value) = 0;
    // `value` stays the caller's.
    virtual HRESULT STDMETHODCALLTYPE SetExtProperty(LONG selector, BSTR member, VARIANT value) = 0;

protected:
    ~ITagExtProperty() = default;
};
