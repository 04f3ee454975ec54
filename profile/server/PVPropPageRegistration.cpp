#include "profile/server/PVPropPageRegistration.h"

#include <string>

#include "platform/kernel/Module.h"
#include "platform/mfc/ModuleState.h"
#include "platform/registry/Registry.h"
#include "profile/server/PVAllocation.h"

namespace {

constexpr DWORD kModulePathLength = 260;
constexpr DWORD kSubkeyNameLength = 128;

// Process-wide state shared by every registration object.
CPVPropPageRegData* g_head = nullptr;
int g_users = 0;
wchar_t* g_modulePath = nullptr;
bool g_registryUsable = true;

LONG SetDefaultText(HKEY key, const wchar_t* text) {
    const DWORD bytes = static_cast<DWORD>((std::char_traits<wchar_t>::length(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

// Writes one class key with its InProcServer32 subkey; the first failing call ends it.
bool WriteClassKey(const CPVPropPageRegData& entry) {
    const std::wstring classKeyName = std::wstring(L"CLSID\\") + entry.m_pszClsid;
    HKEY classKey = nullptr;
    HKEY serverKey = nullptr;
    bool ok = RegCreateKeyExW(HKEY_CLASSES_ROOT, classKeyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &classKey, nullptr) == ERROR_SUCCESS;
    ok = ok && SetDefaultText(classKey, entry.m_pszPageName) == ERROR_SUCCESS;
    ok = ok && RegCreateKeyExW(classKey, L"InProcServer32", 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &serverKey, nullptr) == ERROR_SUCCESS;
    ok = ok && SetDefaultText(serverKey, g_modulePath) == ERROR_SUCCESS;
    if (serverKey && RegCloseKey(serverKey) != ERROR_SUCCESS)
        ok = false;
    if (classKey && RegCloseKey(classKey) != ERROR_SUCCESS)
        ok = false;
    return ok;
}

// Deletes `name` below `parent` with everything under it. Stops at the first error;
// the caller does not check the result.
LONG DeleteKeyTree(HKEY parent, const wchar_t* name) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(parent, name, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return status;
    for (;;) {
        wchar_t subkey[kSubkeyNameLength];
        DWORD length = kSubkeyNameLength;
        if (RegEnumKeyExW(key, 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (DeleteKeyTree(key, subkey) != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(parent, name);
}

} // namespace

CPVPropPageRegistration::CPVPropPageRegistration() {
    ++g_users;
}

CPVPropPageRegistration::CPVPropPageRegistration(PVIsPageClassFn isPageClass, PVCreateFactoryFn createFactory,
                                                 const wchar_t* pageName, const wchar_t* clsidText) {
    if (g_registryUsable) {
        try {
            PVCheckAllocation("new CPVPropPageRegData");
            auto* entry = new CPVPropPageRegData(clsidText, pageName, isPageClass, createFactory);
            entry->m_pNext = g_head;
            g_head = entry;
        } catch (...) {
            g_registryUsable = false;
        }
    }
    ++g_users;
}

CPVPropPageRegistration::~CPVPropPageRegistration() {
    if (--g_users > 0)
        return;
    while (g_head) {
        CPVPropPageRegData* next = g_head->m_pNext;
        delete g_head;
        g_head = next;
    }
    delete[] g_modulePath;
    g_modulePath = nullptr;
}

bool CPVPropPageRegistration::IsRegisteredClass(REFCLSID clsid) const {
    for (const CPVPropPageRegData* entry = g_head; entry; entry = entry->m_pNext)
        if (entry->m_pfnIsPageClass(clsid))
            return true;
    return false;
}

HRESULT CPVPropPageRegistration::CreateClassFactory(REFCLSID clsid, void** factory) const {
    for (const CPVPropPageRegData* entry = g_head; entry; entry = entry->m_pNext)
        if (entry->m_pfnIsPageClass(clsid))
            return entry->m_pfnCreateFactory(clsid, factory);
    if (factory)
        *factory = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CPVPropPageRegistration::RegisterServer() {
    if (!g_registryUsable)
        return E_FAIL;
    if (!g_modulePath) {
        g_modulePath = new wchar_t[kModulePathLength]();
        GetModuleFileNameW(AfxGetStaticModuleState()->m_hCurrentInstanceHandle, g_modulePath,
                           kModulePathLength);
    }
    for (const CPVPropPageRegData* entry = g_head; entry; entry = entry->m_pNext) {
        if (!WriteClassKey(*entry)) {
            g_registryUsable = false;
            return E_FAIL;
        }
    }
    return S_OK;
}

HRESULT CPVPropPageRegistration::UnregisterServer() {
    if (!g_registryUsable)
        return E_FAIL;
    for (const CPVPropPageRegData* entry = g_head; entry; entry = entry->m_pNext) {
        HKEY clsidKey = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &clsidKey) != ERROR_SUCCESS) {
            g_registryUsable = false;
            return E_FAIL;
        }
        if (RegDeleteKeyW(clsidKey, entry->m_pszClsid) != ERROR_SUCCESS)
            DeleteKeyTree(clsidKey, entry->m_pszClsid);
        if (RegCloseKey(clsidKey) != ERROR_SUCCESS) {
            g_registryUsable = false;
            return E_FAIL;
        }
    }
    return S_OK;
}

bool CPVPropPageRegistration::IsRegistryUsable() {
    return g_registryUsable;
}

int CPVPropPageRegistration::EntryCount() {
    int count = 0;
    for (const CPVPropPageRegData* entry = g_head; entry; entry = entry->m_pNext)
        ++count;
    return count;
}

int CPVPropPageRegistration::UserCount() {
    return g_users;
}

const wchar_t* CPVPropPageRegistration::ModulePath() {
    return g_modulePath;
}
