#include "profile/values/PVSetEvent.h"

#include "profile/server/PVLog.h"
#include "profile/values/PVMemberNames.h"

CPVSetEvent::CPVSetEvent(LPCWSTR memberName) {
    AddMemberName(memberName, 0);
    InitializationIsValid();
}

CPVSetEvent::~CPVSetEvent() = default;

HRESULT CPVSetEvent::SetEvent() {
    PVLog(L"Unsupported operation.");
    return E_FAIL;
}

HRESULT CPVSetEvent::SetEvent(const VARIANT&) {
    PVLog(L"Unsupported operation.");
    return E_FAIL;
}

HRESULT CPVSetEvent::InitializationIsValid() {
    CString name;
    const HRESULT hr = GetMemberName(0, &name);
    if (name.IsEmpty()) {
        PVLog(L"Error: MemberName not initialized!");
        return E_FAIL;
    }
    return hr;
}

HRESULT CPVSetEvent::GetMemberName(UINT index, CString* name) {
    if (!name)
        return E_POINTER;
    *name = GetMemberName(index);
    return name->IsEmpty() ? E_FAIL : S_OK;
}

HRESULT CPVSetEvent::ContainsMemberName(LPCWSTR name) {
    return name && m_MemberNames.Contains(name) ? S_OK : E_FAIL;
}

CString CPVSetEvent::GetMemberName(UINT index) {
    return PVMemberNameAt(m_MemberNames, index);
}

BOOL CPVSetEvent::AddMemberName(LPCWSTR name, UINT index) {
    return PVAddMemberName(m_MemberNames, name, index, L"Member name parameter is empty string.");
}

HRESULT CPVSetEvent::ErrorSettingEvent(LPCWSTR member, CString* message) {
    if (message)
        message->Format(L"Error: Performing set event operation for member %s!\n", member ? member : L"");
    return E_FAIL;
}
