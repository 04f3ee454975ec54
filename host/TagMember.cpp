#include "host/TagMember.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cwchar>

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/VariantT.h"

namespace {

// The longest text a controller STRING holds.
constexpr size_t kMaxStringLength = 82;

struct IntegerRange {
    LONGLONG min;
    LONGLONG max;
};

IntegerRange RangeOf(TagDataType type) {
    switch (type) {
    case TagDataType::Sint:
        return {-128, 127};
    case TagDataType::Int:
        return {-32768, 32767};
    case TagDataType::Dint:
        return {INT32_MIN, INT32_MAX};
    default:
        return {LLONG_MIN, LLONG_MAX};
    }
}

bool IsInteger(TagDataType type) {
    return type == TagDataType::Sint || type == TagDataType::Int || type == TagDataType::Dint ||
           type == TagDataType::Lint;
}

// The alternative of CTagValue that holds a value of `type`.
size_t KindOf(TagDataType type) {
    if (IsInteger(type))
        return 0;
    if (type == TagDataType::Real)
        return 1;
    return type == TagDataType::Bool ? 2 : 3;
}

CTagValue Zero(TagDataType type) {
    switch (KindOf(type)) {
    case 0:
        return LONGLONG{0};
    case 1:
        return 0.0f;
    case 2:
        return false;
    default:
        return std::wstring();
    }
}

} // namespace

CTagMember::CTagMember(std::wstring name, TagDataType type)
    : m_name(std::move(name)), m_type(type), m_minimum(Zero(type)), m_maximum(Zero(type)),
      m_default(Zero(type)), m_value(Zero(type)), m_stored(Zero(type)), m_forcedValue(Zero(type)) {
    if (IsInteger(type)) {
        m_minimum = RangeOf(type).min;
        m_maximum = RangeOf(type).max;
    } else if (type == TagDataType::Real) {
        m_minimum = -FLT_MAX;
        m_maximum = FLT_MAX;
    } else if (type == TagDataType::Bool) {
        m_maximum = true;
    }
}

VARTYPE CTagMember::VarType() const {
    switch (m_type) {
    case TagDataType::Lint:
        return VT_I8;
    case TagDataType::Real:
        return VT_R4;
    case TagDataType::Bool:
        return VT_BOOL;
    case TagDataType::String:
        return VT_BSTR;
    default:
        return VT_I4;
    }
}

void CTagMember::SetEnumeration(std::vector<CTagEnumEntry> entries) {
    m_enumeration = std::move(entries);
    if (m_enumeration.empty())
        return;
    LONGLONG low = m_enumeration.front().value;
    LONGLONG high = low;
    for (const CTagEnumEntry& entry : m_enumeration) {
        low = std::min<LONGLONG>(low, entry.value);
        high = std::max<LONGLONG>(high, entry.value);
    }
    m_minimum = low;
    m_maximum = high;
}

void CTagMember::SetLimits(const CTagValue& minimum, const CTagValue& maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

int CTagMember::EnumIndexOf(LONG code) const {
    for (size_t i = 0; i < m_enumeration.size(); ++i)
        if (m_enumeration[i].value == code)
            return static_cast<int>(i);
    return -1;
}

void CTagMember::Load(const CTagValue& value) {
    m_value = value;
    m_stored = value;
    m_dirty = false;
}

void CTagMember::Assign(const CTagValue& value) {
    m_value = value;
    m_dirty = m_value != m_stored;
}

void CTagMember::Revert() {
    m_value = m_stored;
    m_dirty = false;
}

void CTagMember::Commit() {
    m_stored = m_value;
    m_dirty = false;
}

void CTagMember::SetForce(bool forced, const CTagValue& value) {
    m_forced = forced;
    m_forcedValue = value;
}

std::wstring CTagMember::ExtProperty(LONG selector) const {
    auto found = m_extProperties.find(selector);
    return found == m_extProperties.end() ? std::wstring() : found->second;
}

bool CTagMember::Accepts(const CTagValue& value, std::wstring* why) const {
    if (value.index() != KindOf(m_type)) {
        *why = std::wstring(L"a ") + TypeName(m_type) + L" value is expected";
        return false;
    }
    if (IsEnum()) {
        const LONGLONG code = std::get<LONGLONG>(value);
        if (code < INT32_MIN || code > INT32_MAX || EnumIndexOf(static_cast<LONG>(code)) < 0) {
            *why = ToText(value) + L" is not one of the member's enumeration codes";
            return false;
        }
        return true;
    }
    bool inRange = true;
    if (const auto* integer = std::get_if<LONGLONG>(&value))
        inRange = *integer >= std::get<LONGLONG>(m_minimum) && *integer <= std::get<LONGLONG>(m_maximum);
    else if (const auto* real = std::get_if<float>(&value))
        inRange = *real >= std::get<float>(m_minimum) && *real <= std::get<float>(m_maximum);
    else if (const auto* text = std::get_if<std::wstring>(&value); text && text->size() > kMaxStringLength) {
        *why = L"the text is longer than 82 characters";
        return false;
    }
    if (!inRange) {
        *why = ToText(value) + L" is outside the range " + ToText(m_minimum) + L" to " + ToText(m_maximum);
        return false;
    }
    return true;
}

bool CTagMember::FromVariant(const VARIANT& in, CTagValue* out) const {
    _variant_t converted;
    if (FAILED(VariantChangeType(&converted, &in, 0, VarType())))
        return false;
    switch (converted.vt) {
    case VT_I4:
        *out = LONGLONG{converted.lVal};
        break;
    case VT_I8:
        *out = converted.llVal;
        break;
    case VT_R4:
        *out = converted.fltVal;
        break;
    case VT_BOOL:
        *out = converted.boolVal == VARIANT_TRUE;
        break;
    default:
        *out = std::wstring(converted.bstrVal ? converted.bstrVal : L"");
        break;
    }
    return true;
}

HRESULT CTagMember::ToVariant(const CTagValue& value, VARIANT* out) const {
    VariantInit(out);
    switch (VarType()) {
    case VT_I4:
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(std::get<LONGLONG>(value));
        return S_OK;
    case VT_I8:
        out->vt = VT_I8;
        out->llVal = std::get<LONGLONG>(value);
        return S_OK;
    case VT_R4:
        out->vt = VT_R4;
        out->fltVal = std::get<float>(value);
        return S_OK;
    case VT_BOOL:
        out->vt = VT_BOOL;
        out->boolVal = std::get<bool>(value) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    default: {
        const std::wstring& text = std::get<std::wstring>(value);
        BSTR copy = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
        if (!copy)
            return E_OUTOFMEMORY;
        out->vt = VT_BSTR;
        out->bstrVal = copy;
        return S_OK;
    }
    }
}

const wchar_t* CTagMember::TypeName(TagDataType type) {
    switch (type) {
    case TagDataType::Sint:
        return L"SINT";
    case TagDataType::Int:
        return L"INT";
    case TagDataType::Dint:
        return L"DINT";
    case TagDataType::Lint:
        return L"LINT";
    case TagDataType::Real:
        return L"REAL";
    case TagDataType::Bool:
        return L"BOOL";
    default:
        return L"STRING";
    }
}

bool CTagMember::TypeFromName(const std::wstring& name, TagDataType* type) {
    for (TagDataType candidate : {TagDataType::Sint, TagDataType::Int, TagDataType::Dint, TagDataType::Lint,
                                  TagDataType::Real, TagDataType::Bool, TagDataType::String}) {
        if (name == TypeName(candidate)) {
            *type = candidate;
            return true;
        }
    }
    return false;
}

std::wstring CTagMember::ToText(const CTagValue& value) {
    if (const auto* integer = std::get_if<LONGLONG>(&value))
        return std::to_wstring(*integer);
    if (const auto* real = std::get_if<float>(&value)) {
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%.9g", static_cast<double>(*real));
        return buffer;
    }
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? L"true" : L"false";
    return L"\"" + std::get<std::wstring>(value) + L"\"";
}
