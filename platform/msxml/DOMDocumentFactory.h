// The class object of CLSID_DOMDocument60. The stand-in registers it in its class
// table when the library is loaded (CoRegisterClassObject, in-process), as the
// system's XML library is always installed on Windows; CoCreateInstance finds it there.
#pragma once

#include "platform/com/RuntimeClass.h"

class CDOMDocumentFactory : public RuntimeClass<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~CDOMDocumentFactory() override = default;
};
