#include "platform/msxml/DOMDocumentFactory.h"

#include "platform/com/ClassTable.h"
#include "platform/msxml/DOMDocument.h"

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
        const CComPtr<CDOMDocumentFactory> factory = Make<CDOMDocumentFactory>();
        DWORD cookie = 0;
        CoRegisterClassObject(CLSID_DOMDocument60, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                              &cookie);
    }
};
const CDOMDocumentRegistration g_registration;

} // namespace
