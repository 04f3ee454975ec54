#include "tests/profile/values/TestTag.h"

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/SafeArray.h"

namespace {
int g_live = 0;
} // namespace

CTestVariant::CTestVariant(const VARIANT& value) {
    VariantInit(&m_value);
    VariantCopy(&m_value, &value);
}

CTestVariant::CTestVariant(const CTestVariant& other) : CTestVariant(other.m_value) {}

CTestVariant& CTestVariant::operator=(const CTestVariant& other) {
    VariantCopy(&m_value, &other.m_value);
    return *this;
}

CTestVariant CTestVariant::Bool(VARIANT_BOOL value) {
    CTestVariant v;
    v.m_value.vt = VT_BOOL;
    v.m_value.boolVal = value;
    return v;
}
CTestVariant CTestVariant::Float(float value) {
    CTestVariant v;
    v.m_value.vt = VT_R4;
    v.m_value.fltVal = value;
    return v;
}
CTestVariant CTestVariant::Double(double value) {
    CTestVariant v;
    v.m_value.vt = VT_R8;
    v.m_value.dblVal = value;
    return v;
}
CTestVariant CTestVariant::Long(LONG value) {
    CTestVariant v;
    v.m_value.vt = VT_I4;
    v.m_value.lVal = value;
    return v;
}
CTestVariant CTestVariant::LongLong(LONGLONG value) {
    CTestVariant v;
    v.m_value.vt = VT_I8;
    v.m_value.llVal = value;
    return v;
}
CTestVariant CTestVariant::Text(const wchar_t* text) {
    CTestVariant v;
    v.m_value.vt = VT_BSTR;
    v.m_value.bstrVal = SysAllocString(text);
    return v;
}
CTestVariant CTestVariant::Unknown(IUnknown* object) {
    CTestVariant v;
    v.m_value.vt = VT_UNKNOWN;
    v.m_value.punkVal = object;
    if (object)
        object->AddRef();
    return v;
}

CTestTag::CTestTag() {
    ++g_live;
}

CTestTag::~CTestTag() {
    --g_live;
}

CComPtr<CTestTag> CTestTag::Create() {
    CComPtr<CTestTag> tag;
    tag.Attach(new CTestTag);
    return tag;
}

int CTestTag::Live() {
    return g_live;
}

HRESULT CTestTag::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IUnknown::Iid) || IsEqualIID(riid, ITag::Iid))
        *ppv = static_cast<ITag*>(static_cast<ITag2*>(this));
    else if (IsEqualIID(riid, ITag2::Iid) && offersTag2)
        *ppv = static_cast<ITag2*>(this);
    else if (IsEqualIID(riid, ITagEnumValues::Iid) && offersEnumValues)
        *ppv = static_cast<ITagEnumValues*>(this);
    else if (IsEqualIID(riid, ITagForcing::Iid) && offersForcing)
        *ppv = static_cast<ITagForcing*>(this);
    else if (IsEqualIID(riid, ITagExtProperty::Iid))
        *ppv = static_cast<ITagExtProperty*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CTestTag::AddRef() {
    return static_cast<ULONG>(++m_refs);
}

ULONG CTestTag::Release() {
    const LONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CTestTag::Find(const std::string& operation, BSTR member, CTestMember** found) {
    *found = nullptr;
    if (auto failure = m_failures.find(operation); failure != m_failures.end())
        return failure->second;
    auto it = members.find(member ? member : L"");
    if (it == members.end())
        return E_INVALIDARG;
    *found = &it->second;
    return S_OK;
}

HRESULT CTestTag::GetValue(BSTR member, VARIANT* value) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetValue", member, &found); FAILED(hr))
        return hr;
    return VariantCopy(value, &found->value.Get());
}

HRESULT CTestTag::SetValue(BSTR member, VARIANT value) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("SetValue", member, &found); FAILED(hr))
        return hr;
    found->value = CTestVariant(value);
    found->dirty = VARIANT_TRUE;
    return S_OK;
}

HRESULT CTestTag::GetEnumIndex(BSTR member, LONG* index) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetEnumIndex", member, &found); FAILED(hr))
        return hr;
    *index = found->enumIndex;
    return S_OK;
}

HRESULT CTestTag::SetEnumIndex(BSTR member, LONG index) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("SetEnumIndex", member, &found); FAILED(hr))
        return hr;
    found->enumIndex = index;
    return S_OK;
}

HRESULT CTestTag::GetEnumStrings(BSTR member, SAFEARRAY** strings) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetEnumStrings", member, &found); FAILED(hr))
        return hr;
    const auto count = static_cast<ULONG>(found->enumStrings.size());
    if (enumStringsTwoDimensional) {
        SAFEARRAYBOUND bounds[2] = {{count, 0}, {1, 0}};
        *strings = SafeArrayCreate(VT_BSTR, 2, bounds);
        return S_OK;
    }
    *strings = SafeArrayCreateVector(VT_BSTR, 1, count);
    for (ULONG i = 0; i < count; ++i) {
        LONG index = static_cast<LONG>(i) + 1;
        BSTR text = SysAllocString(found->enumStrings[i].c_str());
        SafeArrayPutElement(*strings, &index, text);
        SysFreeString(text);
    }
    return S_OK;
}

HRESULT CTestTag::GetMinValue(BSTR member, VARIANT* value) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetMinValue", member, &found); FAILED(hr))
        return hr;
    return VariantCopy(value, &found->minimum.Get());
}

HRESULT CTestTag::GetMaxValue(BSTR member, VARIANT* value) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetMaxValue", member, &found); FAILED(hr))
        return hr;
    return VariantCopy(value, &found->maximum.Get());
}

HRESULT CTestTag::GetMemberDirtyState(BSTR member, VARIANT_BOOL* dirty) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetMemberDirtyState", member, &found); FAILED(hr))
        return hr;
    *dirty = found->dirty;
    return S_OK;
}

HRESULT CTestTag::get_Suffix(BSTR* text) {
    if (auto failure = m_failures.find("get_Suffix"); failure != m_failures.end())
        return failure->second;
    *text = SysAllocString(suffix.c_str());
    return S_OK;
}

HRESULT CTestTag::GetEnumValues(BSTR member, SAFEARRAY** values) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetEnumValues", member, &found); FAILED(hr))
        return hr;
    const auto count = static_cast<ULONG>(found->enumValues.size());
    *values = SafeArrayCreateVector(VT_I4, 0, count);
    for (ULONG i = 0; i < count; ++i) {
        LONG index = static_cast<LONG>(i);
        SafeArrayPutElement(*values, &index, &found->enumValues[i]);
    }
    return S_OK;
}

HRESULT CTestTag::GetForcesEnabled(VARIANT_BOOL* enabled) {
    if (auto failure = m_failures.find("GetForcesEnabled"); failure != m_failures.end())
        return failure->second;
    *enabled = forcesEnabled;
    return S_OK;
}

HRESULT CTestTag::GetIsForced(BSTR member, VARIANT_BOOL* forced) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetIsForced", member, &found); FAILED(hr))
        return hr;
    *forced = found->forced;
    return S_OK;
}

HRESULT CTestTag::GetForcedValue(BSTR member, VARIANT* value) {
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetForcedValue", member, &found); FAILED(hr))
        return hr;
    return VariantCopy(value, &found->forcedValue.Get());
}

HRESULT CTestTag::GetExtProperty(LONG selector, BSTR member, VARIANT* value) {
    selectorsSeen.push_back(selector);
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("GetExtProperty", member, &found); FAILED(hr))
        return hr;
    auto it = found->extProperties.find(selector);
    if (it == found->extProperties.end())
        return E_INVALIDARG;
    return VariantCopy(value, &it->second.Get());
}

HRESULT CTestTag::SetExtProperty(LONG selector, BSTR member, VARIANT value) {
    selectorsSeen.push_back(selector);
    CTestMember* found = nullptr;
    if (HRESULT hr = Find("SetExtProperty", member, &found); FAILED(hr))
        return hr;
    found->extProperties[selector] = CTestVariant(value);
    return S_OK;
}
