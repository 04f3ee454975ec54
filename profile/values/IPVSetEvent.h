// A member that is only triggered, never read: a command written to the tag.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/mfc/String.h"
#include "platform/oleaut/Variant.h"

struct IPVSetEvent : IUnknown {
    static constexpr IID Iid{0x16B92311, 0x29BF, 0x4237, {0x80, 0xB4, 0x1F, 0xAC, 0x5E, 0x9D, 0x5C, 0x99}};
    virtual HRESULT STDMETHODCALLTYPE SetEvent() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEvent(const VARIANT& value) = 0;
    virtual HRESULT STDMETHODCALLTYPE InitializationIsValid() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMemberName(UINT index, CString* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE ContainsMemberName(LPCWSTR name) = 0;

protected:
    ~IPVSetEvent() = default;
};
