// The host's IPVWndMsg under another name. The window class has a PreTranslateMessage
// of its own with the same argument and another result; one class cannot override
// both, so the panel answers the host's through this base.
#pragma once

#include "profile/interfaces/Panel.h"

class CPVWndMsgSink : public IPVWndMsg {
public:
    HRESULT STDMETHODCALLTYPE PreTranslateMessage(MSG* msg) final { return PreTranslateHostMessage(msg); }

protected:
    ~CPVWndMsgSink() = default;
    // S_OK when a window of the page translated the message, S_FALSE when none did.
    virtual HRESULT PreTranslateHostMessage(MSG* msg) = 0;
};
