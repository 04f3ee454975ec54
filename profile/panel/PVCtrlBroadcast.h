// How a tab control and a tab page pass a host event to the controls below them
// through each control's own interface.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/contracts/IPVCtrl.h"

// Calls `call` on each control's own `Handler`, passing over a control without one;
// every control is called and the last failure is the answer (S_OK when none failed).
template <class Handler, class Controls, class Call>
HRESULT PVToEveryHandler(const Controls& controls, Call call) {
    HRESULT result = S_OK;
    for (IPVCtrl* control : controls) {
        CComPtr<Handler> handler;
        if (FAILED(control->QueryInterface(Handler::Iid, reinterpret_cast<void**>(&handler))) || !handler)
            continue;
        const HRESULT hr = call(handler.p());
        if (FAILED(hr))
            result = hr;
    }
    return result;
}
