// The host's string server (CLSID_PVStringServer): labels by string id in the
// language set with IPVLocale, with or without their keyboard accelerators.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/TextServers.h"

class CHostStringServer : public CHostObject<IPVStringServer, IPVLocale> {
public:
    explicit CHostStringServer(std::shared_ptr<CHostContext> context);

    // E_INVALIDARG and a null text for an id the server does not have.
    HRESULT STDMETHODCALLTYPE GetString(LONG id, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE SetWithAccelerators(VARIANT_BOOL with) override;
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override;

    LCID Locale() const { return m_locale; }

private:
    std::shared_ptr<CHostContext> m_context;
    LCID m_locale;
    // Labels come without accelerators until a caller asks for them.
    bool m_withAccelerators = false;
};
