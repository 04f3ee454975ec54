// CPVSetEvent: the base of members that are only triggered. It keeps the member
// names as value objects do; both trigger forms answer "Unsupported operation."
// until a derived class serves them.
#pragma once

#include "platform/com/RuntimeClass.h"
#include "profile/values/IPVSetEvent.h"
#include "profile/values/Strings.h"

class CPVSetEvent : public RuntimeClass<IPVSetEvent> {
public:
    explicit CPVSetEvent(LPCWSTR memberName);

    HRESULT STDMETHODCALLTYPE SetEvent() override;
    HRESULT STDMETHODCALLTYPE SetEvent(const VARIANT& value) override;
    HRESULT STDMETHODCALLTYPE InitializationIsValid() override;
    HRESULT STDMETHODCALLTYPE GetMemberName(UINT index, CString* name) override;
    HRESULT STDMETHODCALLTYPE ContainsMemberName(LPCWSTR name) override;

    virtual CString GetMemberName(UINT index);
    virtual BOOL AddMemberName(LPCWSTR name, UINT index);

    // The message for a failed trigger of `member` in `message`; E_FAIL. Nothing is logged.
    static HRESULT ErrorSettingEvent(LPCWSTR member, CString* message);

protected:
    ~CPVSetEvent() override = 0;

    CStrings m_MemberNames;
};
