// The host service CLSID_PVExtHostViewConnector (IPVParent::GetHostService): gives
// the host view connector.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/HostView.h"

class CHostViewService : public CHostObject<IPVExtHostViewConnector> {
public:
    explicit CHostViewService(std::shared_ptr<CHostContext> context);
    HRESULT STDMETHODCALLTYPE GetHostViewConnector(IUnknown** connector) override;

private:
    std::shared_ptr<CHostContext> m_context;
};
