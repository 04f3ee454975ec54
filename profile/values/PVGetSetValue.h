// CPVGetSetValue: the member-name bookkeeping shared by every value object (born with
// the one reference its creator owns, platform/com/RuntimeClass.h), and the answer
// "Unsupported operation." (E_FAIL) for every form a value class does not serve.
#pragma once

#include "platform/com/RuntimeClass.h"
#include "profile/values/IPVGetSetValue.h"
#include "profile/values/Strings.h"

class CPVGetSetValue : public RuntimeClass<IPVGetSetValue> {
public:
    // The name becomes member name 0; a missing name is logged, not refused.
    explicit CPVGetSetValue(LPCWSTR memberName);

    HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(ULONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(ULONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(LONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(double* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(float* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetValue(CString* text, UINT decimals, VARTYPE vt,
                                       CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE SetValue(const CString& text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(ULONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(ULONGLONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(LONGLONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(LONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(double value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(float value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetValue(const CString& text, UINT decimals, VARTYPE vt,
                                       CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(ULONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(LONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(double* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(float* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, UINT decimals, VARTYPE vt,
                                          CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(ULONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(LONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(double* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(float* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, UINT decimals, VARTYPE vt,
                                          CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE GetDefaultValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetDefaultValue(ULONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetDefaultValue(LONGLONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetDefaultValue(LONG* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetDefaultValue(double* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE GetDefaultValue(float* value, CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE TestValue(ULONGLONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE TestValue(LONGLONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE TestValue(LONG value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE TestValue(double value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE TestValue(float value, CPromptInfo* prompt) override;

    HRESULT STDMETHODCALLTYPE GetRawValue(VARIANT* value, CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE SetToDefaultValue(CPromptInfo* prompt) override;
    HRESULT STDMETHODCALLTYPE InitializationIsValid() override;
    HRESULT STDMETHODCALLTYPE GetMemberName(UINT index, CString* name) override;
    HRESULT STDMETHODCALLTYPE ContainsMemberName(LPCWSTR name) override;

    // The name at `index`; empty (and logged) when there is none.
    virtual CString GetMemberName(UINT index);
    // Enters `name` at `index`: into an empty slot or appended; never overwrites.
    virtual BOOL AddMemberName(LPCWSTR name, UINT index);

    // Log the read or save failure for `member` and answer E_FAIL.
    static HRESULT ErrorReadingValue(LPCWSTR member);
    static HRESULT ErrorSavingValue(LPCWSTR member);

protected:
    // Only the last Release destroys a value object.
    ~CPVGetSetValue() override = 0;

    CStrings m_MemberNames;
};
