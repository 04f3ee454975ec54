// A composite control that embeds label and button windows: the embedded windows
// report their clicks and focus to it.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/com/Unknown.h"

class CWnd;

struct IPVAggregateCtrl : IUnknown {
    static constexpr IID Iid{0x8E6F2B14, 0x3A70, 0x4C9D, {0xB5, 0x11, 0xE2, 0x47, 0x0C, 0x86, 0x5F, 0x3B}};
    // The embedded window `ctrl` (dialog item `id`) was clicked.
    virtual HRESULT STDMETHODCALLTYPE OnAggregateCommand(CWnd* ctrl, UINT id) = 0;
    // The embedded window `ctrl` received the input focus.
    virtual HRESULT STDMETHODCALLTYPE OnAggregateSetFocus(CWnd* ctrl) = 0;

protected:
    ~IPVAggregateCtrl() = default;
};
