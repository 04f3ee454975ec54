// Told when the dialog that holds the page closes.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

struct IPVCloseDlgHandler : IUnknown {
    static constexpr IID Iid{0x2D47C8E9, 0x61B3, 0x4F05, {0xA2, 0x7C, 0x58, 0x0B, 0x93, 0xE4, 0x1D, 0x6A}};
    virtual HRESULT STDMETHODCALLTYPE OnCloseDlg() = 0;

protected:
    ~IPVCloseDlgHandler() = default;
};
