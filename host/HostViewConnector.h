// The host view connector: gives the application object.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/HostView.h"

class CHostViewConnector : public CHostObject<IHostViewConnector> {
public:
    explicit CHostViewConnector(std::shared_ptr<CHostContext> context);
    HRESULT STDMETHODCALLTYPE GetApplication(IUnknown** application) override;

private:
    std::shared_ptr<CHostContext> m_context;
};
