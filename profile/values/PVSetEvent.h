// CPVSetEvent: the base of members that are only triggered. It keeps the member
// names as value objects do; both trigger forms answer "Unsupported operation."
// until a derived class serves them.
#pragma once

#include "profile/values/IPVSetEvent.h"
#include "profile/values/Strings.h"

class CPVSetEvent : public IPVSetEvent {
public:
    explicit CPVSetEvent(LPCWSTR memberName);
    CPVSetEvent(const CPVSetEvent&) = delete;
    CPVSetEvent& operator=(const CPVSetEvent&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

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
    virtual ~CPVSetEvent() = 0;

    CStrings m_MemberNames;

private:
    LONG m_lRefCount = 1;
};
