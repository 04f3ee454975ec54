#include "host/HostTag.h"

#include "host/HostResults.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/BstrT.h"
#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/VariantT.h"

namespace {

std::wstring Text(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

HRESULT NewBstr(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

} // namespace

CHostTag::CHostTag(std::shared_ptr<CHostContext> context, Which which)
    : m_context(std::move(context)), m_which(which) {}

CTagModel& CHostTag::Model() {
    CHostProject& project = m_context->Project();
    return m_which == Which::Config ? project.ConfigTag() : project.SafetyConfigTag();
}

HRESULT CHostTag::FindMember(BSTR member, CTagMember** found) {
    *found = Model().Find(Text(member));
    return *found ? S_OK : E_INVALIDARG;
}

template <class Body>
HRESULT CHostTag::OnMember(const wchar_t* operation, BSTR member, bool outGiven, Body body) {
    return m_context->Faults().Run(operation, Text(member), [&]() -> HRESULT {
        if (!outGiven)
            return E_POINTER;
        CTagMember* found = nullptr;
        if (HRESULT hr = FindMember(member, &found); FAILED(hr))
            return hr;
        return body(found);
    });
}

HRESULT CHostTag::Refuse(HRESULT result, const std::wstring& member, const std::wstring& why) {
    CComPtr<ICreateErrorInfo> created;
    if (SUCCEEDED(CreateErrorInfo(&created))) {
        std::wstring description = Model().Name() + L"." + member + L": " + why + L".";
        std::wstring source = L"pvhost";
        created->SetDescription(description.data());
        created->SetSource(source.data());
        CComPtr<IErrorInfo> error;
        if (SUCCEEDED(created.QueryInterface(&error))) {
            SetErrorInfo(0, error);
            m_context->SetRefusal({member, result, error});
        }
    }
    return result;
}

HRESULT CHostTag::Write(CTagMember* member, const CTagValue& value) {
    std::wstring why;
    if (!member->Accepts(value, &why))
        return Refuse(member->IsEnum() ? HOST_E_NOTENUMCODE : HOST_E_OUTOFRANGE, member->Name(), why);
    member->Assign(value);
    return S_OK;
}

HRESULT CHostTag::GetValue(BSTR member, VARIANT* value) {
    return OnMember(L"GetValue", member, value != nullptr,
                    [&](CTagMember* found) -> HRESULT { return found->ToVariant(found->Value(), value); });
}

HRESULT CHostTag::SetValue(BSTR member, VARIANT value) {
    return OnMember(L"SetValue", member, true, [&](CTagMember* found) -> HRESULT {
        CTagValue converted;
        if (!found->FromVariant(value, &converted))
            return Refuse(DISP_E_TYPEMISMATCH, found->Name(),
                          std::wstring(L"the value cannot be made a ") + CTagMember::TypeName(found->Type()));
        return Write(found, converted);
    });
}

HRESULT CHostTag::GetEnumIndex(BSTR member, LONG* index) {
    return OnMember(L"GetEnumIndex", member, index != nullptr, [&](CTagMember* found) -> HRESULT {
        if (!found->IsEnum())
            return HOST_E_NOTENUM;
        *index = found->EnumIndexOf(static_cast<LONG>(std::get<LONGLONG>(found->Value())));
        return *index < 0 ? S_FALSE : S_OK;
    });
}

HRESULT CHostTag::SetEnumIndex(BSTR member, LONG index) {
    return OnMember(L"SetEnumIndex", member, true, [&](CTagMember* found) -> HRESULT {
        if (!found->IsEnum())
            return HOST_E_NOTENUM;
        const LONG count = static_cast<LONG>(found->Enumeration().size());
        if (index < 0 || index >= count)
            return Refuse(HOST_E_OUTOFRANGE, found->Name(),
                          L"the index " + std::to_wstring(index) + L" is outside 0 to " +
                              std::to_wstring(count - 1));
        return Write(found, LONGLONG{found->Enumeration()[static_cast<size_t>(index)].value});
    });
}

HRESULT CHostTag::GetEnumStrings(BSTR member, SAFEARRAY** strings) {
    if (strings)
        *strings = nullptr;
    return OnMember(L"GetEnumStrings", member, strings != nullptr, [&](CTagMember* found) -> HRESULT {
        if (!found->IsEnum())
            return HOST_E_NOTENUM;
        const auto& entries = found->Enumeration();
        SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(entries.size()));
        if (!array)
            return E_OUTOFMEMORY;
        for (LONG i = 0; i < static_cast<LONG>(entries.size()); ++i) {
            _bstr_t text;
            HRESULT hr = NewBstr(entries[static_cast<size_t>(i)].text, text.GetAddress());
            if (SUCCEEDED(hr))
                hr = SafeArrayPutElement(array, &i, text.GetBSTR()); // copies the string
            if (FAILED(hr)) {
                SafeArrayDestroy(array);
                return hr;
            }
        }
        *strings = array;
        return S_OK;
    });
}

HRESULT CHostTag::GetMinValue(BSTR member, VARIANT* value) {
    return OnMember(L"GetMinValue", member, value != nullptr, [&](CTagMember* found) -> HRESULT {
        if (found->Type() == TagDataType::String)
            return DISP_E_TYPEMISMATCH;
        return found->ToVariant(found->Minimum(), value);
    });
}

HRESULT CHostTag::GetMaxValue(BSTR member, VARIANT* value) {
    return OnMember(L"GetMaxValue", member, value != nullptr, [&](CTagMember* found) -> HRESULT {
        if (found->Type() == TagDataType::String)
            return DISP_E_TYPEMISMATCH;
        return found->ToVariant(found->Maximum(), value);
    });
}

HRESULT CHostTag::GetMemberDirtyState(BSTR member, VARIANT_BOOL* dirty) {
    return OnMember(L"GetMemberDirtyState", member, dirty != nullptr, [&](CTagMember* found) -> HRESULT {
        *dirty = found->IsDirty() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostTag::get_Suffix(BSTR* suffix) {
    return m_context->Faults().Run(L"get_Suffix", L"", [&]() -> HRESULT {
        if (!suffix)
            return E_POINTER;
        return NewBstr(Model().Suffix(), suffix);
    });
}

HRESULT CHostTag::GetEnumValues(BSTR member, SAFEARRAY** values) {
    if (values)
        *values = nullptr;
    return OnMember(L"GetEnumValues", member, values != nullptr, [&](CTagMember* found) -> HRESULT {
        if (!found->IsEnum())
            return HOST_E_NOTENUM;
        const auto& entries = found->Enumeration();
        SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(entries.size()));
        if (!array)
            return E_OUTOFMEMORY;
        for (LONG i = 0; i < static_cast<LONG>(entries.size()); ++i) {
            LONG code = entries[static_cast<size_t>(i)].value;
            if (HRESULT hr = SafeArrayPutElement(array, &i, &code); FAILED(hr)) {
                SafeArrayDestroy(array);
                return hr;
            }
        }
        *values = array;
        return S_OK;
    });
}

HRESULT CHostTag::GetForcesEnabled(VARIANT_BOOL* enabled) {
    return m_context->Faults().Run(L"GetForcesEnabled", L"", [&]() -> HRESULT {
        if (!enabled)
            return E_POINTER;
        *enabled = Model().ForcesEnabled() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostTag::GetIsForced(BSTR member, VARIANT_BOOL* forced) {
    return OnMember(L"GetIsForced", member, forced != nullptr, [&](CTagMember* found) -> HRESULT {
        *forced = found->IsForced() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostTag::GetForcedValue(BSTR member, VARIANT* value) {
    return OnMember(L"GetForcedValue", member, value != nullptr, [&](CTagMember* found) -> HRESULT {
        if (!found->IsForced()) {
            // No force: nothing to show.
            VariantInit(value);
            return S_FALSE;
        }
        return found->ToVariant(found->ForcedValue(), value);
    });
}

HRESULT CHostTag::GetExtProperty(LONG selector, BSTR member, VARIANT* value) {
    return OnMember(L"GetExtProperty", member, value != nullptr, [&](CTagMember* found) -> HRESULT {
        VariantInit(value);
        if (HRESULT hr = NewBstr(found->ExtProperty(selector), &value->bstrVal); FAILED(hr))
            return hr;
        value->vt = VT_BSTR;
        return S_OK;
    });
}

HRESULT CHostTag::SetExtProperty(LONG selector, BSTR member, VARIANT value) {
    return OnMember(L"SetExtProperty", member, true, [&](CTagMember* found) -> HRESULT {
        _variant_t text;
        if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
            return Refuse(DISP_E_TYPEMISMATCH, found->Name(), L"an extended property is a text");
        found->SetExtProperty(selector, Text(text.bstrVal));
        return S_OK;
    });
}

HRESULT CHostTag::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == ITag::Iid || riid == ITag2::Iid ? S_OK : S_FALSE;
}
