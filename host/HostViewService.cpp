#include "host/HostViewService.h"

#include "host/HostViewConnector.h"

CHostViewService::CHostViewService(std::shared_ptr<CHostContext> context) : m_context(std::move(context)) {}

HRESULT CHostViewService::GetHostViewConnector(IUnknown** connector) {
    return m_context->Faults().Run(L"GetHostViewConnector", L"", [&]() -> HRESULT {
        if (!connector)
            return E_POINTER;
        auto object = MakeHostObject<CHostViewConnector>(m_context);
        return object->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(connector));
    });
}
