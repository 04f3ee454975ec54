// The adapters between value objects and host tags: one over a whole tag (ITag and
// its companions), one over a single extended property of a tag's members. Both
// turn typed requests into the host's VARIANT calls, accept only the VARIANT type
// the request stands for, and log every failure.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/RuntimeClass.h"
#include "profile/interfaces/Tag.h"
#include "profile/values/IPVGetSetAdapter.h"

// The two messages every adapter failure ends in.
class CPVGetSetAdapeterErrorHandler {
public:
    // Both log the message for `member` and answer E_FAIL.
    static HRESULT ErrorReadingValue(LPCWSTR member);
    static HRESULT ErrorSavingValue(LPCWSTR member);
};

// Versions 3 and 4 are both answered: every caller asking for either is served.
class CPVGetSetAdapterITag
    : public RuntimeClass<Chain<IPVGetSetAdapter4, IPVGetSetAdapter3, IPVGetSetAdapter2, IPVGetSetAdapter>> {
public:
    // A null tag still gives an adapter; it then fails every operation.
    explicit CPVGetSetAdapterITag(ITag* tag);

    HRESULT STDMETHODCALLTYPE GetBool(LPCWSTR member, BOOL* value, BOOL invert) override;
    HRESULT STDMETHODCALLTYPE SetBool(LPCWSTR member, BOOL value, BOOL invert) override;
    HRESULT STDMETHODCALLTYPE GetEnum(LPCWSTR member, LONG* index) override;
    HRESULT STDMETHODCALLTYPE SetEnum(LPCWSTR member, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetEnumStrings(LPCWSTR member, SAFEARRAY** strings) override;
    HRESULT STDMETHODCALLTYPE GetFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE SetFloat(LPCWSTR member, float value) override;
    HRESULT STDMETHODCALLTYPE GetMinFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE GetLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE SetLong(LPCWSTR member, LONG value) override;
    HRESULT STDMETHODCALLTYPE GetMinLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE GetString(LPCWSTR member, CString* value) override;
    HRESULT STDMETHODCALLTYPE SetString(LPCWSTR member, CString value) override;
    HRESULT STDMETHODCALLTYPE GetITag(ITag2** tag) override;
    HRESULT STDMETHODCALLTYPE GetMemberDirtyState(LPCWSTR member, VARIANT_BOOL* dirty) override;
    HRESULT STDMETHODCALLTYPE GetMemberExists(LPCWSTR member, VARIANT_BOOL* exists) override;
    HRESULT STDMETHODCALLTYPE GetEnumValues(LPCWSTR member, SAFEARRAY** values) override;
    HRESULT STDMETHODCALLTYPE GetLongLong(LPCWSTR member, LONGLONG* value) override;
    HRESULT STDMETHODCALLTYPE SetLongLong(LPCWSTR member, LONGLONG value) override;
    HRESULT STDMETHODCALLTYPE GetMinLongLong(LPCWSTR member, LONGLONG* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxLongLong(LPCWSTR member, LONGLONG* value) override;

    // The host calls behind the typed operations; they log only a missing tag.
    HRESULT GetVariant(LPCWSTR member, VARIANT* value);
    HRESULT SetVariant(LPCWSTR member, const VARIANT& value);
    HRESULT GetMinVariant(LPCWSTR member, VARIANT* value);
    HRESULT GetMaxVariant(LPCWSTR member, VARIANT* value);

protected:
    ~CPVGetSetAdapterITag() override = default;

private:
    // Which of the tag's three VARIANT reads an operation uses.
    enum class Read { Value, Minimum, Maximum };
    HRESULT ReadVariant(Read which, LPCWSTR member, VARIANT* value);
    HRESULT ReadFloat(Read which, LPCWSTR member, float* value);
    HRESULT ReadLong(Read which, LPCWSTR member, LONG* value);
    HRESULT ReadLongLong(Read which, LPCWSTR member, LONGLONG* value);

    CComPtr<ITag> m_spITag;
};

// Only GetString and SetString work; every other operation answers E_NOTIMPL.
class CPVGetSetAdapterITagExtProperty : public RuntimeClass<IPVGetSetAdapter> {
public:
    CPVGetSetAdapterITagExtProperty(LONG selector, CComPtr<ITagExtProperty> extProperty);

    HRESULT STDMETHODCALLTYPE GetBool(LPCWSTR member, BOOL* value, BOOL invert) override;
    HRESULT STDMETHODCALLTYPE SetBool(LPCWSTR member, BOOL value, BOOL invert) override;
    HRESULT STDMETHODCALLTYPE GetEnum(LPCWSTR member, LONG* index) override;
    HRESULT STDMETHODCALLTYPE SetEnum(LPCWSTR member, LONG index) override;
    HRESULT STDMETHODCALLTYPE GetEnumStrings(LPCWSTR member, SAFEARRAY** strings) override;
    HRESULT STDMETHODCALLTYPE GetFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE SetFloat(LPCWSTR member, float value) override;
    HRESULT STDMETHODCALLTYPE GetMinFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxFloat(LPCWSTR member, float* value) override;
    HRESULT STDMETHODCALLTYPE GetLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE SetLong(LPCWSTR member, LONG value) override;
    HRESULT STDMETHODCALLTYPE GetMinLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE GetMaxLong(LPCWSTR member, LONG* value) override;
    HRESULT STDMETHODCALLTYPE GetString(LPCWSTR member, CString* value) override;
    HRESULT STDMETHODCALLTYPE SetString(LPCWSTR member, CString value) override;

protected:
    ~CPVGetSetAdapterITagExtProperty() override = default;

private:
    HRESULT GetVariant(LPCWSTR member, VARIANT* value);
    HRESULT SetVariant(LPCWSTR member, const VARIANT& value);

    CComPtr<ITagExtProperty> m_spITagExtProperty;
    LONG m_lSelector = 0;
};
