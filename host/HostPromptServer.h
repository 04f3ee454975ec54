// The host's prompt servers: the module's messages (CLSID_PVPromptServer) and the
// framework's conversion and range messages (CLSID_PVFrameworkPromptServer), each
// with its help file and help context, in the language set with IPVLocale.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "host/HostTexts.h"
#include "profile/interfaces/TextServers.h"

class CHostPromptServer : public CHostObject<IPVPromptServer, IPVLocale> {
public:
    CHostPromptServer(std::shared_ptr<CHostContext> context, CHostTexts::PromptTable table);

    // E_INVALIDARG and null texts for a prompt the server does not have.
    HRESULT STDMETHODCALLTYPE GetPrompt(LONG id, BSTR* helpFile, LONG* helpContext, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override;

    LCID Locale() const { return m_locale; }

private:
    std::shared_ptr<CHostContext> m_context;
    CHostTexts::PromptTable m_table;
    LCID m_locale;
};
