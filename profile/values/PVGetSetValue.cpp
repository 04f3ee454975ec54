#include "profile/values/PVGetSetValue.h"

#include <source_location>

#include "profile/server/PVLog.h"
#include "profile/values/PVMemberNames.h"

namespace {

// The answer of every form a value class does not serve, logged under the form's name.
HRESULT Unsupported(std::source_location where = std::source_location::current()) {
    PVLog(L"Unsupported operation.", where);
    return E_FAIL;
}

} // namespace

CPVGetSetValue::CPVGetSetValue(LPCWSTR memberName) {
    AddMemberName(memberName, 0);
    // Only logs: a value without a name still answers, and its adapter then fails.
    InitializationIsValid();
}

CPVGetSetValue::~CPVGetSetValue() = default;

HRESULT CPVGetSetValue::GetValue(CString*, VARTYPE, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(ULONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(ULONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(LONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(LONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(double*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(float*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetValue(CString*, UINT, VARTYPE, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::SetValue(const CString&, VARTYPE, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(ULONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(ULONGLONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(LONGLONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(LONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(double, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(float, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetValue(const CString&, UINT, VARTYPE, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::GetMinValue(CString*, VARTYPE, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(ULONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(LONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(LONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(double*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(float*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMinValue(CString*, UINT, VARTYPE, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::GetMaxValue(CString*, VARTYPE, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(ULONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(LONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(LONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(double*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(float*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetMaxValue(CString*, UINT, VARTYPE, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::GetDefaultValue(CString*, VARTYPE, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetDefaultValue(ULONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetDefaultValue(LONGLONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetDefaultValue(LONG*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetDefaultValue(double*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::GetDefaultValue(float*, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::TestValue(ULONGLONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::TestValue(LONGLONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::TestValue(LONG, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::TestValue(double, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::TestValue(float, CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::GetRawValue(VARIANT*, CPromptInfo*) {
    return Unsupported();
}
HRESULT CPVGetSetValue::SetToDefaultValue(CPromptInfo*) {
    return Unsupported();
}

HRESULT CPVGetSetValue::InitializationIsValid() {
    CString name;
    if (FAILED(GetMemberName(0, &name)) || name.IsEmpty())
        PVLog(L"Member name not initialized!");
    return S_OK;
}

HRESULT CPVGetSetValue::GetMemberName(UINT index, CString* name) {
    if (!name)
        return E_POINTER;
    *name = GetMemberName(index);
    return name->IsEmpty() ? E_FAIL : S_OK;
}

HRESULT CPVGetSetValue::ContainsMemberName(LPCWSTR name) {
    return name && m_MemberNames.Contains(name) ? S_OK : E_FAIL;
}

CString CPVGetSetValue::GetMemberName(UINT index) {
    return PVMemberNameAt(m_MemberNames, index);
}

BOOL CPVGetSetValue::AddMemberName(LPCWSTR name, UINT index) {
    return PVAddMemberName(m_MemberNames, name, index, L"Empty string specified as member name.");
}

HRESULT CPVGetSetValue::ErrorReadingValue(LPCWSTR member) {
    CString message;
    message.Format(L"Error: Reading value for member %s from services!\n", member ? member : L"");
    PVLog(message);
    return E_FAIL;
}

HRESULT CPVGetSetValue::ErrorSavingValue(LPCWSTR member) {
    CString message;
    message.Format(L"Error: Saving value for member %s to services!\n", member ? member : L"");
    PVLog(message);
    return E_FAIL;
}
