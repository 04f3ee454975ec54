// Connecting to one of the host's text servers (string or prompt server): create the
// class, run it, take the server interface, and tell it the language.
#pragma once

#include "platform/com/ClassTable.h"
#include "platform/com/ComPtrT.h"
#include "platform/mfc/ModuleState.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/ResourceDllManager.h"

template <class Server>
HRESULT ConnectTextServer(REFCLSID cls, const LCID* lcid, _com_ptr_t<Server>& server) {
    constexpr LCID kEnglishUnitedStates = 1033;
    server = nullptr;
    CComPtr<IUnknown> object;
    HRESULT hr = CoCreateInstance(cls, nullptr, CLSCTX_ALL, IUnknown::Iid, reinterpret_cast<void**>(&object));
    if (SUCCEEDED(hr))
        hr = OleRun(object);
    Server* found = nullptr;
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(Server::Iid, reinterpret_cast<void**>(&found));
    if (FAILED(hr))
        return hr;
    server.Attach(found);

    CComPtr<IPVLocale> locale;
    if (SUCCEEDED(found->QueryInterface(IPVLocale::Iid, reinterpret_cast<void**>(&locale)))) {
        LCID language = kEnglishUnitedStates;
        if (lcid)
            language = *lcid;
        else if (AfxGetInstanceHandle())
            language = CResourceDllManager::GetInstance()->GetLocale();
        locale->SetLocale(language);
    }
    return hr;
}
