// What a value object knows about forces on its member: whether its tag can be
// forced, whether forces are in effect, whether the member has one and its value.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"
#include "platform/oleaut/Variant.h"

struct IPVGetValueForcing : IUnknown {
    static constexpr IID Iid{0x631FCCE8, 0x7FEB, 0x4CC1, {0xB0, 0x6B, 0x53, 0xB4, 0x78, 0x68, 0x5E, 0x22}};
    virtual HRESULT STDMETHODCALLTYPE GetIsForcingSupported(bool* supported) = 0;
    // The tag-level flag: forces are in effect.
    virtual HRESULT STDMETHODCALLTYPE GetForcesEnabled(bool* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIsForced(bool* forced) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetForcedValue(VARIANT* value) = 0;

protected:
    ~IPVGetValueForcing() = default;
};
