// Loading the profile's test module the way the host does.
#pragma once

#include <cstdlib>
#include <string>

#include <unistd.h>

#include "platform/com/Unknown.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"

// The build's binary folder: PV_BIN_DIR under ctest, else the test program's own.
inline std::string BinDir() {
    if (const char* bin = std::getenv("PV_BIN_DIR"); bin && *bin)
        return bin;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path = length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string("./x");
    return path.substr(0, path.find_last_of('/'));
}

inline std::wstring BinDosPath(const char* file) {
    return CDosPath::ToDos(BinDir() + "/" + file);
}

// The test module's exports, looked up once it is loaded.
struct ProfileModule {
    HMODULE module = nullptr;
    HRESULT (*getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT (*canUnloadNow)() = nullptr;
    HRESULT (*registerServer)() = nullptr;
    HRESULT (*unregisterServer)() = nullptr;
    int (*livePages)() = nullptr;
    int (*entryCount)() = nullptr;
    bool (*registryUsable)() = nullptr;

    explicit ProfileModule(const std::wstring& path) : module(LoadLibraryW(path.c_str())) {
        if (!module)
            return;
        getClassObject =
            reinterpret_cast<decltype(getClassObject)>(GetProcAddress(module, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(GetProcAddress(module, "DllCanUnloadNow"));
        registerServer =
            reinterpret_cast<decltype(registerServer)>(GetProcAddress(module, "DllRegisterServer"));
        unregisterServer =
            reinterpret_cast<decltype(unregisterServer)>(GetProcAddress(module, "DllUnregisterServer"));
        livePages = reinterpret_cast<decltype(livePages)>(GetProcAddress(module, "PvTestLivePages"));
        entryCount = reinterpret_cast<decltype(entryCount)>(GetProcAddress(module, "PvTestEntryCount"));
        registryUsable =
            reinterpret_cast<decltype(registryUsable)>(GetProcAddress(module, "PvTestRegistryUsable"));
    }
    ~ProfileModule() {
        if (module)
            FreeLibrary(module);
    }
    ProfileModule(const ProfileModule&) = delete;
    ProfileModule& operator=(const ProfileModule&) = delete;
};
