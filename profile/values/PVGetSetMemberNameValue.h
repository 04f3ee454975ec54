// CPVGetSetMemberNameValue: a value object bound to one member of a tag through the
// tag's adapter, which also answers the member's forcing questions. The typed value
// classes derive from it.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/values/IPVGetSetAdapter.h"
#include "profile/values/IPVGetValueForcing.h"
#include "profile/values/PVGetSetValue.h"

struct ITagForcing;

// One count for the object and its forcing interface.
class CPVGetSetMemberNameValue : public AddInterfaces<CPVGetSetValue, IPVGetValueForcing> {
public:
    // A null adapter is logged; the object is still made and fails its typed forms.
    CPVGetSetMemberNameValue(LPCWSTR memberName, IPVGetSetAdapter* adapter);

    HRESULT STDMETHODCALLTYPE InitializationIsValid() override;

    HRESULT STDMETHODCALLTYPE GetIsForcingSupported(bool* supported) override;
    HRESULT STDMETHODCALLTYPE GetForcesEnabled(bool* enabled) override;
    HRESULT STDMETHODCALLTYPE GetIsForced(bool* forced) override;
    HRESULT STDMETHODCALLTYPE GetForcedValue(VARIANT* value) override;

    // The adapter; null is logged.
    IPVGetSetAdapter* GetIPVGetSetAdapter();

    // True for the converters' codes, whose prompt carries a message for the user.
    static bool IsFrameworkError(HRESULT hr);

protected:
    ~CPVGetSetMemberNameValue() override = 0;

    // Puts "<member name 0>:  " before the prompt's message when `hr` is one of the
    // converters' codes, so that the user learns which value was refused.
    void PrefixPromptWithMemberName(HRESULT hr, CPromptInfo* prompt);
    // The first steps of every typed form: the initialisation check, the adapter and
    // member name 0. A failure is the form's answer.
    HRESULT BeginTypedOperation(IPVGetSetAdapter*& adapter, CString& member);

    // A typed read of member name 0 through the adapter; the out value is written only
    // on success and the adapter's result is returned unchanged.
    template <typename T>
    HRESULT ReadThroughAdapter(T* value, HRESULT (STDMETHODCALLTYPE IPVGetSetAdapter::*read)(LPCWSTR, T*)) {
        if (!value)
            return E_POINTER;
        IPVGetSetAdapter* adapter = nullptr;
        CString member;
        HRESULT hr = BeginTypedOperation(adapter, member);
        if (FAILED(hr))
            return hr;
        T result{};
        hr = (adapter->*read)(member, &result);
        if (SUCCEEDED(hr))
            *value = result;
        return hr;
    }
    template <typename T>
    HRESULT WriteThroughAdapter(T value, HRESULT (STDMETHODCALLTYPE IPVGetSetAdapter::*write)(LPCWSTR, T)) {
        IPVGetSetAdapter* adapter = nullptr;
        CString member;
        const HRESULT hr = BeginTypedOperation(adapter, member);
        if (FAILED(hr))
            return hr;
        return (adapter->*write)(member, value);
    }

private:
    // The tag's forcing interface, or S_OK with null when the tag has none.
    HRESULT GetTagForcing(CComPtr<ITagForcing>& forcing);

    CComPtr<IPVGetSetAdapter> m_spIPVGetSetAdapter;
};
