#include "host/HostClassFactory.h"

CHostClassFactory::CHostClassFactory(std::shared_ptr<CHostContext> context, std::wstring name, Maker maker)
    : m_context(std::move(context)), m_name(std::move(name)), m_maker(std::move(maker)) {}

HRESULT CHostClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    return m_context->Faults().Run(L"CreateInstance", m_name, [&]() -> HRESULT {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CComPtr<IUnknown> object = m_maker();
        if (!object)
            return E_OUTOFMEMORY;
        return object->QueryInterface(riid, ppv);
    });
}

HRESULT CHostClassFactory::LockServer(BOOL lock) {
    // The host's classes live as long as the host: nothing to keep alive.
    return S_OK;
}
