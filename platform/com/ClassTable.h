// Object creation by class identifier: classes a host registers in-process
// (CoRegisterClassObject) and in-process servers found through the registry key
// HKEY_CLASSES_ROOT\CLSID\{...}\InProcServer32, loaded with LoadLibraryW and asked
// through their DllGetClassObject export.
#pragma once

#include <map>
#include <string>

#include "platform/com/ComPtr.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr DWORD CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD REGCLS_SINGLEUSE = 0;
constexpr DWORD REGCLS_MULTIPLEUSE = 1;

extern "C" HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** ppv);
extern "C" HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* serverInfo, REFIID riid, void** ppv);
extern "C" HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags,
                                         DWORD* cookie);
extern "C" HRESULT CoRevokeClassObject(DWORD cookie);
// Unloads the in-process servers whose DllCanUnloadNow answers S_OK.
extern "C" void CoFreeUnusedLibraries();
// Runs an object that implements IRunnableObject; any other object is running already.
extern "C" HRESULT OleRun(IUnknown* object);

using LPFNGETCLASSOBJECT = HRESULT (*)(REFCLSID, REFIID, void**);
using LPFNCANUNLOADNOW = HRESULT (*)();

class CClassTable {
public:
    static CClassTable& Instance();

    HRESULT Register(REFCLSID clsid, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie);
    HRESULT Revoke(DWORD cookie);
    HRESULT GetClassObject(REFCLSID clsid, DWORD context, REFIID riid, void** ppv);
    void FreeUnusedLibraries();
    // How many in-process servers are loaded now (for tests and the host's report).
    size_t LoadedServerCount() const { return m_servers.size(); }

private:
    struct Registration {
        CLSID clsid;
        CComPtr<IUnknown> factory;
        DWORD context;
    };
    HRESULT GetFromServer(REFCLSID clsid, REFIID riid, void** ppv);
    HRESULT FindServerPath(REFCLSID clsid, std::wstring* path) const;

    std::map<DWORD, Registration> m_registrations;
    DWORD m_nextCookie = 1;
    std::map<std::wstring, HMODULE> m_servers; // by path, as given in the registry
};
