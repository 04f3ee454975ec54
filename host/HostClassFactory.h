// A class factory for a host class registered in-process with CoRegisterClassObject:
// it makes a new object with the given function for every CreateInstance.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "host/HostContext.h"
#include "host/HostObject.h"

class CHostClassFactory : public CHostObject<IClassFactory> {
public:
    using Maker = std::function<CComPtr<IUnknown>()>;
    // `name` is the operation name under which CreateInstance can be made to fail.
    CHostClassFactory(std::shared_ptr<CHostContext> context, std::wstring name, Maker maker);

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    std::shared_ptr<CHostContext> m_context;
    std::wstring m_name;
    Maker m_maker;
};
