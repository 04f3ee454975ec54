// The host's prompt server: user messages with help file and help context by
// prompt id.
#pragma once

#include "platform/com/ComPtrT.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/PromptInfo.h"

class CPromptServerWrapper {
public:
    CPromptServerWrapper() = default;
    virtual ~CPromptServerWrapper() = default;

    HRESULT Create(REFCLSID cls, const LCID* lcid = nullptr);
    // Clears `info` and fills it from the server; E_INVALIDARG for a null record,
    // E_UNEXPECTED without a server, otherwise the server's result.
    HRESULT GetPrompt(LONG promptId, CPromptInfo* info);

private:
    _com_ptr_t<IPVPromptServer> m_spServer;
};
