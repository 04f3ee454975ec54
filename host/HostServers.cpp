#include "host/HostServers.h"

#include "host/HostClassFactory.h"
#include "host/HostFileFinder.h"
#include "host/HostPromptServer.h"
#include "host/HostStringServer.h"
#include "platform/com/ClassTable.h"

namespace {

template <class T> CComPtr<IUnknown> AsUnknown(CComPtr<T> object) {
    CComPtr<IUnknown> unknown;
    object->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(&unknown));
    return unknown;
}

} // namespace

CHostServers::CHostServers(std::shared_ptr<CHostContext> context) : m_context(std::move(context)) {}

CHostServers::~CHostServers() {
    Revoke();
}

HRESULT CHostServers::Register() {
    Revoke();
    auto context = m_context;
    struct Class {
        const CLSID* clsid;
        const wchar_t* name;
        CHostClassFactory::Maker maker;
    };
    const Class classes[] = {
        {&CLSID_PVStringServer, L"StringServer",
         [context] { return AsUnknown(MakeHostObject<CHostStringServer>(context)); }},
        {&CLSID_PVPromptServer, L"PromptServer",
         [context] {
             return AsUnknown(MakeHostObject<CHostPromptServer>(context, CHostTexts::PromptTable::Module));
         }},
        {&CLSID_PVFrameworkPromptServer, L"FrameworkPromptServer",
         [context] {
             return AsUnknown(MakeHostObject<CHostPromptServer>(context, CHostTexts::PromptTable::Framework));
         }},
        {&CLSID_ModuleSpecificFileFind, L"ModuleSpecificFileFind",
         [context] { return AsUnknown(MakeHostObject<CHostFileFinder>(context)); }},
    };
    for (const Class& item : classes) {
        auto factory = MakeHostObject<CHostClassFactory>(context, item.name, item.maker);
        DWORD cookie = 0;
        const HRESULT hr = CoRegisterClassObject(*item.clsid, static_cast<IClassFactory*>(factory.p()),
                                                 CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
        if (FAILED(hr)) {
            Revoke();
            return hr;
        }
        m_cookies.push_back(cookie);
    }
    return S_OK;
}

void CHostServers::Revoke() {
    for (DWORD cookie : m_cookies)
        CoRevokeClassObject(cookie);
    m_cookies.clear();
}
