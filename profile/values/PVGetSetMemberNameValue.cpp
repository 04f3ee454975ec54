#include "profile/values/PVGetSetMemberNameValue.h"

#include "platform/oleaut/BstrT.h"
#include "profile/interfaces/Tag.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVLog.h"

CPVGetSetMemberNameValue::CPVGetSetMemberNameValue(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : AddInterfaces(memberName), m_spIPVGetSetAdapter(adapter) {
    InitializationIsValid();
}

CPVGetSetMemberNameValue::~CPVGetSetMemberNameValue() = default;

HRESULT CPVGetSetMemberNameValue::InitializationIsValid() {
    const HRESULT hr = CPVGetSetValue::InitializationIsValid();
    if (!m_spIPVGetSetAdapter) {
        PVLog(L"Error: m_spIPVGetSetAdapter not initialized!");
        return E_FAIL;
    }
    return hr;
}

IPVGetSetAdapter* CPVGetSetMemberNameValue::GetIPVGetSetAdapter() {
    if (!m_spIPVGetSetAdapter)
        PVLog(L"Failed to get Get/Set Adapter");
    return m_spIPVGetSetAdapter.p();
}

bool CPVGetSetMemberNameValue::IsFrameworkError(HRESULT hr) {
    const auto code = static_cast<DWORD>(hr);
    return code >= 0x80040200u && code <= 0x8004022Bu;
}

void CPVGetSetMemberNameValue::PrefixPromptWithMemberName(HRESULT hr, CPromptInfo* prompt) {
    if (prompt && IsFrameworkError(hr))
        PrefixPromptText(prompt, CPVGetSetValue::GetMemberName(0).GetString());
}

HRESULT CPVGetSetMemberNameValue::BeginTypedOperation(IPVGetSetAdapter*& adapter, CString& member) {
    const HRESULT hr = InitializationIsValid();
    if (FAILED(hr))
        return hr;
    adapter = GetIPVGetSetAdapter();
    if (!adapter)
        return E_FAIL;
    member = CPVGetSetValue::GetMemberName(0);
    return S_OK;
}

HRESULT CPVGetSetMemberNameValue::GetTagForcing(CComPtr<ITagForcing>& forcing) {
    forcing = nullptr;
    if (!m_spIPVGetSetAdapter)
        return S_OK;
    CComPtr<IPVGetSetAdapter2> adapter2;
    const HRESULT hr = m_spIPVGetSetAdapter->QueryInterface(&adapter2);
    if (FAILED(hr))
        return hr == E_NOINTERFACE ? S_OK : hr;
    CComPtr<ITag2> tag;
    if (!adapter2 || FAILED(adapter2->GetITag(&tag)) || !tag)
        return S_OK;
    // A tag without forcing simply has no forcing interface.
    tag->QueryInterface(&forcing);
    return S_OK;
}

HRESULT CPVGetSetMemberNameValue::GetIsForcingSupported(bool* supported) {
    if (!supported)
        return E_POINTER;
    *supported = false;
    IPVGetSetAdapter* adapter = GetIPVGetSetAdapter();
    if (!adapter)
        return E_FAIL;
    CComPtr<IPVGetSetAdapter2> adapter2;
    CComPtr<ITag2> tag;
    if (FAILED(adapter->QueryInterface(&adapter2)) || !adapter2 || FAILED(adapter2->GetITag(&tag)) || !tag)
        return S_OK;
    _bstr_t suffix;
    const HRESULT hr = tag->get_Suffix(suffix.GetAddress());
    if (FAILED(hr)) {
        PVLog(L"Failed ITag2::get_Suffix\n.");
        return hr;
    }
    const CString text(static_cast<const wchar_t*>(suffix));
    *supported = text == L"O" || text == L"EO";
    return hr;
}

HRESULT CPVGetSetMemberNameValue::GetForcesEnabled(bool* enabled) {
    if (!enabled)
        return E_POINTER;
    *enabled = false;
    CComPtr<ITagForcing> forcing;
    HRESULT hr = GetTagForcing(forcing);
    if (FAILED(hr) || !forcing)
        return hr;
    VARIANT_BOOL flag = VARIANT_FALSE;
    hr = forcing->GetForcesEnabled(&flag);
    if (SUCCEEDED(hr))
        *enabled = flag == VARIANT_TRUE;
    return hr;
}

HRESULT CPVGetSetMemberNameValue::GetIsForced(bool* forced) {
    if (!forced)
        return E_POINTER;
    *forced = false;
    CComPtr<ITagForcing> forcing;
    HRESULT hr = GetTagForcing(forcing);
    if (FAILED(hr) || !forcing)
        return hr;
    VARIANT_BOOL flag = VARIANT_FALSE;
    hr = forcing->GetIsForced(_bstr_t(CPVGetSetValue::GetMemberName(0).GetString()).GetBSTR(), &flag);
    if (SUCCEEDED(hr))
        *forced = flag == VARIANT_TRUE;
    return hr;
}

HRESULT CPVGetSetMemberNameValue::GetForcedValue(VARIANT* value) {
    if (!value)
        return E_INVALIDARG;
    CComPtr<ITagForcing> forcing;
    const HRESULT hr = GetTagForcing(forcing);
    if (FAILED(hr))
        return hr;
    if (!forcing)
        return E_NOINTERFACE;
    return forcing->GetForcedValue(_bstr_t(CPVGetSetValue::GetMemberName(0).GetString()).GetBSTR(), value);
}
