#include "platform/oleaut/VariantT.h"

#include <cstring>

#include "platform/com/ComError.h"

namespace {

void Check(HRESULT hr) {
    if (FAILED(hr))
        _com_issue_error(hr);
}

} // namespace

_variant_t::_variant_t() noexcept : VARIANT{} {
    VariantInit(this);
}

_variant_t::_variant_t(const VARIANT& source) : _variant_t() {
    Check(VariantCopy(this, &source));
}

_variant_t::_variant_t(const _variant_t& source) : _variant_t(static_cast<const VARIANT&>(source)) {}

_variant_t::_variant_t(VARIANT& source, bool copy) : _variant_t() {
    if (copy)
        Check(VariantCopy(this, &source));
    else
        Attach(source);
}

_variant_t::_variant_t(_variant_t&& source) noexcept : VARIANT(static_cast<VARIANT&>(source)) {
    VariantInit(&source);
}

_variant_t::_variant_t(SHORT value, VARTYPE vt) : _variant_t() {
    if (vt != VT_I2 && vt != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    if (vt == VT_BOOL)
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = value;
    this->vt = vt;
}

_variant_t::_variant_t(LONG value, VARTYPE vt) : _variant_t() {
    if (vt != VT_I4 && vt != VT_ERROR && vt != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    if (vt == VT_BOOL)
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    else if (vt == VT_ERROR)
        scode = value;
    else
        lVal = value;
    this->vt = vt;
}

_variant_t::_variant_t(float value) : _variant_t() {
    vt = VT_R4;
    fltVal = value;
}

_variant_t::_variant_t(bool value) : _variant_t() {
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(char value) : _variant_t() {
    vt = VT_I1;
    cVal = value;
}

_variant_t::_variant_t(BYTE value) : _variant_t() {
    vt = VT_UI1;
    bVal = value;
}

_variant_t::_variant_t(LONGLONG value) : _variant_t() {
    vt = VT_I8;
    llVal = value;
}

_variant_t::_variant_t(const _bstr_t& text) : _variant_t() {
    BSTR copy = text.copy();
    if (!copy && text.GetBSTR())
        _com_issue_error(E_OUTOFMEMORY);
    vt = VT_BSTR;
    bstrVal = copy;
}

_variant_t::_variant_t(const wchar_t* text) : _variant_t() {
    BSTR copy = SysAllocString(text);
    if (!copy && text)
        _com_issue_error(E_OUTOFMEMORY);
    vt = VT_BSTR;
    bstrVal = copy;
}

_variant_t::~_variant_t() {
    VariantClear(this);
}

_variant_t& _variant_t::operator=(const VARIANT& source) {
    Check(VariantCopy(this, &source));
    return *this;
}

_variant_t& _variant_t::operator=(const _variant_t& source) {
    return *this = static_cast<const VARIANT&>(source);
}

_variant_t& _variant_t::operator=(_variant_t&& source) noexcept {
    if (this != &source) {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = static_cast<VARIANT&>(source);
        VariantInit(&source);
    }
    return *this;
}

void _variant_t::Clear() {
    Check(VariantClear(this));
}

void _variant_t::Attach(VARIANT& source) {
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &source, sizeof(VARIANT));
    source.vt = VT_EMPTY;
}

VARIANT _variant_t::Detach() {
    VARIANT held = *this;
    vt = VT_EMPTY;
    return held;
}

VARIANT* _variant_t::GetAddress() {
    Clear();
    return this;
}

void _variant_t::ChangeType(VARTYPE vt, const _variant_t* source) {
    if (!source)
        source = this;
    if (this != source || vt != this->vt)
        Check(VariantChangeType(this, source, 0, vt));
}
