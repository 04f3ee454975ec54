#include "platform/msxml/DOMDocumentFactory.h"

#include "platform/base/Interlocked.h"
#include "platform/com/ClassTable.h"
#include "platform/msxml/DOMDocument.h"

HRESULT STDMETHODCALLTYPE CDOMDocumentFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IUnknown::Iid && riid != IClassFactory::Iid)
        return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE CDOMDocumentFactory::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG STDMETHODCALLTYPE CDOMDocumentFactory::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE CDOMDocumentFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    CComPtr<IXMLDOMDocument2> document;
    document.Attach(new CDOMDocument);
    return document->QueryInterface(riid, ppv);
}

HRESULT STDMETHODCALLTYPE CDOMDocumentFactory::LockServer(BOOL) {
    return S_OK;
}

namespace {

// Registered when the stand-in library is loaded, for the life of the process.
struct CDOMDocumentRegistration {
    CDOMDocumentRegistration() {
        CComPtr<IClassFactory> factory;
        factory.Attach(new CDOMDocumentFactory);
        DWORD cookie = 0;
        CoRegisterClassObject(CLSID_DOMDocument60, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                              &cookie);
    }
};
const CDOMDocumentRegistration g_registration;

} // namespace
