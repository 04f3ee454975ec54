// _variant_t: an owned VARIANT with value semantics, as the Windows helper of
// comutil.h. It IS a VARIANT (public base), so it goes wherever a VARIANT, a const
// VARIANT& or (through &) a VARIANT* is asked for; what it holds is released when it
// is destroyed or replaced. The failures of the calls it makes (VariantCopy,
// VariantClear, VariantChangeType, an allocation, a type a constructor cannot take)
// are raised as _com_error, as the Windows helper does; the destructor raises nothing.
// Beyond the Windows helper it can be moved (the source is left VT_EMPTY).
#pragma once

#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/Variant.h"

class _variant_t : public VARIANT {
public:
    _variant_t() noexcept;
    // Copies through VariantCopy.
    _variant_t(const VARIANT& source);
    _variant_t(const _variant_t& source);
    // With copy false the object takes `source` over and leaves it VT_EMPTY.
    _variant_t(VARIANT& source, bool copy);
    _variant_t(_variant_t&& source) noexcept;

    // VT_I2, or VT_BOOL (any non-zero value is VARIANT_TRUE); another type is E_INVALIDARG.
    _variant_t(SHORT value, VARTYPE vt = VT_I2);
    // VT_I4, VT_ERROR, or VT_BOOL (any non-zero value is VARIANT_TRUE); another type is
    // E_INVALIDARG. LONG is the Windows long: 32 bits.
    _variant_t(LONG value, VARTYPE vt = VT_I4);
    _variant_t(float value);         // VT_R4
    _variant_t(bool value);          // VT_BOOL: VARIANT_TRUE or VARIANT_FALSE
    _variant_t(char value);          // VT_I1
    _variant_t(BYTE value);          // VT_UI1
    _variant_t(LONGLONG value);      // VT_I8
    _variant_t(const _bstr_t& text); // VT_BSTR, a copy
    _variant_t(const wchar_t* text); // VT_BSTR, a copy; null gives a null BSTR
    ~_variant_t();

    _variant_t& operator=(const VARIANT& source);
    _variant_t& operator=(const _variant_t& source);
    _variant_t& operator=(_variant_t&& source) noexcept;

    // Releases what is held (VariantClear) and leaves VT_EMPTY.
    void Clear();
    // Clears, then takes `source` over, leaving it VT_EMPTY.
    void Attach(VARIANT& source);
    // Gives what is held away without releasing it; this is left VT_EMPTY.
    VARIANT Detach();
    VARIANT& GetVARIANT() noexcept { return *this; }
    // For out parameters: clears first, then hands out the VARIANT.
    VARIANT* GetAddress();
    // Converts `source` (this when null) to `vt` into this object; nothing happens
    // when this already has that type and is its own source.
    void ChangeType(VARTYPE vt, const _variant_t* source = nullptr);
};
