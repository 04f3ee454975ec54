#include "host/HostViewConnector.h"

#include "host/HostApplication.h"

CHostViewConnector::CHostViewConnector(std::shared_ptr<CHostContext> context)
    : m_context(std::move(context)) {}

HRESULT CHostViewConnector::GetApplication(IUnknown** application) {
    return m_context->Faults().Run(L"GetApplication", L"", [&]() -> HRESULT {
        if (!application)
            return E_POINTER;
        auto object = MakeHostObject<CHostApplication>();
        return object->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(application));
    });
}
