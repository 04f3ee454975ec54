// The value object a control binds to: one tag member, read and written as a number
// or as text, with its limits. Controls never learn which tag, adapter or
// conversion lies behind it. Forms a value class does not serve answer E_FAIL.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/mfc/String.h"
#include "platform/oleaut/Variant.h"

class CPromptInfo;

// `vt` names the numeric type a text stands for; `prompt` (may be null) receives the
// user's message when a conversion or range check fails.
struct IPVGetSetValue : IUnknown {
    static constexpr IID Iid{0x7C97C532, 0x2EB7, 0x4A99, {0x9F, 0x87, 0x6C, 0x76, 0x31, 0x4A, 0xA8, 0xED}};

    virtual HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) = 0;
    // A spare 32-bit form that no value class serves.
    virtual HRESULT STDMETHODCALLTYPE GetValue(ULONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(ULONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(LONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(LONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(double* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(float* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetValue(CString* text, UINT decimals, VARTYPE vt,
                                               CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE SetValue(const CString& text, VARTYPE vt, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(ULONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(ULONGLONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(LONGLONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(LONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(double value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(float value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetValue(const CString& text, UINT decimals, VARTYPE vt,
                                               CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, VARTYPE vt, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(ULONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(LONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(LONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(double* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(float* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMinValue(CString* text, UINT decimals, VARTYPE vt,
                                                  CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, VARTYPE vt, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(ULONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(LONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(LONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(double* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(float* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMaxValue(CString* text, UINT decimals, VARTYPE vt,
                                                  CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(CString* text, VARTYPE vt, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(ULONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(LONGLONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(LONG* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(double* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultValue(float* value, CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE TestValue(ULONGLONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestValue(LONGLONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestValue(LONG value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestValue(double value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE TestValue(float value, CPromptInfo* prompt) = 0;

    virtual HRESULT STDMETHODCALLTYPE GetRawValue(VARIANT* value, CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetToDefaultValue(CPromptInfo* prompt) = 0;
    virtual HRESULT STDMETHODCALLTYPE InitializationIsValid() = 0;
    // S_OK with the name, E_FAIL when there is none at `index`.
    virtual HRESULT STDMETHODCALLTYPE GetMemberName(UINT index, CString* name) = 0;
    // S_OK when the value stands for `name` (exact comparison), else E_FAIL.
    virtual HRESULT STDMETHODCALLTYPE ContainsMemberName(LPCWSTR name) = 0;

protected:
    ~IPVGetSetValue() = default;
};
