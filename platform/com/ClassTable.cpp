#include "platform/com/ClassTable.h"

#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/kernel/Module.h"
#include "platform/registry/Registry.h"

CClassTable& CClassTable::Instance() {
    static CClassTable table;
    return table;
}

HRESULT CClassTable::Register(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie) {
    if (!factory || !cookie)
        return E_INVALIDARG;
    const DWORD id = m_nextCookie++;
    m_registrations.emplace(id, Registration{clsid, CComPtr<IUnknown>(factory), context});
    *cookie = id;
    return S_OK;
}

HRESULT CClassTable::Revoke(DWORD cookie) {
    // The factory's Release may re-enter the table; take it out first.
    auto it = m_registrations.find(cookie);
    if (it == m_registrations.end())
        return E_INVALIDARG;
    CComPtr<IUnknown> factory = std::move(it->second.factory);
    m_registrations.erase(it);
    return S_OK;
}

HRESULT CClassTable::GetClassObject(REFCLSID clsid, DWORD context, REFIID riid, void** ppv) {
    for (auto& [cookie, registration] : m_registrations) {
        if (IsEqualCLSID(registration.clsid, clsid) && (registration.context & context))
            return registration.factory->QueryInterface(riid, ppv);
    }
    if (!(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    return GetFromServer(clsid, riid, ppv);
}

HRESULT CClassTable::FindServerPath(REFCLSID clsid, std::wstring* path) const {
    wchar_t text[39];
    StringFromGUID2(clsid, text, 39);
    const std::wstring keyName = std::wstring(L"CLSID\\") + text + L"\\InProcServer32";
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size);
    std::vector<BYTE> data(size + sizeof(wchar_t));
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExW(key, nullptr, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return REGDB_E_CLASSNOTREG;
    path->assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!path->empty() && path->back() == L'\0')
        path->pop_back();
    return path->empty() ? REGDB_E_CLASSNOTREG : S_OK;
}

HRESULT CClassTable::GetFromServer(REFCLSID clsid, REFIID riid, void** ppv) {
    std::wstring path;
    HRESULT hr = FindServerPath(clsid, &path);
    if (FAILED(hr))
        return hr;
    HMODULE module = nullptr;
    if (auto it = m_servers.find(path); it != m_servers.end()) {
        module = it->second;
    } else {
        module = LoadLibraryW(path.c_str());
        if (!module)
            return CO_E_DLLNOTFOUND;
        m_servers.emplace(path, module);
    }
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(GetProcAddress(module, "DllGetClassObject"));
    if (!getClassObject)
        return CO_E_ERRORINDLL;
    return getClassObject(clsid, riid, ppv);
}

void CClassTable::FreeUnusedLibraries() {
    for (auto it = m_servers.begin(); it != m_servers.end();) {
        auto canUnload = reinterpret_cast<LPFNCANUNLOADNOW>(GetProcAddress(it->second, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            FreeLibrary(it->second);
            it = m_servers.erase(it);
        } else {
            ++it;
        }
    }
}

extern "C" HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID riid,
                                    void** ppv) {
    if (!ppv)
        return E_INVALIDARG;
    *ppv = nullptr;
    return CClassTable::Instance().GetClassObject(clsid, context, riid, ppv);
}

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    LONG injected = 0;
    if (CFaultInjector::Instance().ShouldFail("CoCreateInstance", &injected))
        return injected;
    CComPtr<IClassFactory> factory;
    HRESULT hr = CClassTable::Instance().GetClassObject(clsid, context, IClassFactory::Iid,
                                                        reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(outer, riid, ppv);
    if (FAILED(hr))
        *ppv = nullptr;
    return hr;
}

extern "C" HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags,
                                         DWORD* cookie) {
    return CClassTable::Instance().Register(clsid, factory, context, flags, cookie);
}

extern "C" HRESULT CoRevokeClassObject(DWORD cookie) {
    return CClassTable::Instance().Revoke(cookie);
}

extern "C" void CoFreeUnusedLibraries() {
    CClassTable::Instance().FreeUnusedLibraries();
}

extern "C" HRESULT OleRun(IUnknown* object) {
    if (!object)
        return E_INVALIDARG;
    CComPtr<IRunnableObject> runnable;
    if (FAILED(object->QueryInterface(IRunnableObject::Iid, reinterpret_cast<void**>(&runnable))))
        return S_OK;
    return runnable->Run(nullptr);
}
