// The host's tag object over one tag of the project (the configuration tag or the
// safety configuration tag): member values as VARIANTs, enumerations, limits,
// dirty state, forcing and extended properties. A refused write leaves error
// information (ISupportErrorInfo) that names the member and the reason.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "platform/com/ErrorInfo.h"
#include "profile/interfaces/Tag.h"

class CHostTag : public CHostObject<Chain<ITag2, ITag>, ITagEnumValues, ITagForcing, ITagExtProperty,
                                    ISupportErrorInfo> {
public:
    enum class Which { Config, SafetyConfig };
    CHostTag(std::shared_ptr<CHostContext> context, Which which);

    // ITag
    HRESULT STDMETHODCALLTYPE GetValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetValue(BSTR member, VARIANT value) override;
    HRESULT STDMETHODCALLTYPE GetEnumIndex(BSTR member, LONG* index) override;
    HRESULT STDMETHODCALLTYPE SetEnumIndex(BSTR member, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetEnumStrings(BSTR member, SAFEARRAY** strings) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(BSTR member, VARIANT* value) override;
    // ITag2
    HRESULT STDMETHODCALLTYPE GetMemberDirtyState(BSTR member, VARIANT_BOOL* dirty) override;
    HRESULT STDMETHODCALLTYPE get_Suffix(BSTR* suffix) override;
    // ITagEnumValues
    HRESULT STDMETHODCALLTYPE GetEnumValues(BSTR member, SAFEARRAY** values) override;
    // ITagForcing
    HRESULT STDMETHODCALLTYPE GetForcesEnabled(VARIANT_BOOL* enabled) override;
    HRESULT STDMETHODCALLTYPE GetIsForced(BSTR member, VARIANT_BOOL* forced) override;
    HRESULT STDMETHODCALLTYPE GetForcedValue(BSTR member, VARIANT* value) override;
    // ITagExtProperty
    HRESULT STDMETHODCALLTYPE GetExtProperty(LONG selector, BSTR member, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetExtProperty(LONG selector, BSTR member, VARIANT value) override;
    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    CTagModel& Model();
    // The member, or E_INVALIDARG when the tag has none of that name.
    HRESULT FindMember(BSTR member, CTagMember** found);
    // Runs `body(member)` as the host operation `operation` on `member` (fault
    // injection and call record): E_POINTER unless `outGiven`, E_INVALIDARG for a
    // member the tag lacks.
    template <class Body> HRESULT OnMember(const wchar_t* operation, BSTR member, bool outGiven, Body body);
    // Refuses a write with `result` and leaves error information saying why, which the
    // host keeps as its last refusal.
    HRESULT Refuse(HRESULT result, const std::wstring& member, const std::wstring& why);
    HRESULT Write(CTagMember* member, const CTagValue& value);

    std::shared_ptr<CHostContext> m_context;
    Which m_which;
};
