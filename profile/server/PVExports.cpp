// The four exports of the in-process server.
#include "platform/com/Unknown.h"
#include "platform/mfc/ModuleState.h"
#include "profile/server/PVModuleLock.h"
#include "profile/server/PVPropPageRegistration.h"

extern "C" HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    // One more user, so that the list cannot be torn down during the call.
    CPVPropPageRegistration registration;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!registration.IsRegisteredClass(rclsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    // Not a case Windows' callers produce; refused rather than leaking a factory.
    if (!ppv)
        return E_POINTER;
    IClassFactory* factory = nullptr;
    const HRESULT hr = registration.CreateClassFactory(rclsid, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    if (!factory)
        return E_OUTOFMEMORY;
    // The creator's reference is the caller's.
    *ppv = factory;
    return S_OK;
}

extern "C" HRESULT DllCanUnloadNow() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return CPVModuleLock::Count() != 0 ? S_FALSE : S_OK;
}

extern "C" HRESULT DllRegisterServer() {
    CPVPropPageRegistration registration;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return registration.RegisterServer();
}

extern "C" HRESULT DllUnregisterServer() {
    CPVPropPageRegistration registration;
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return registration.UnregisterServer();
}
