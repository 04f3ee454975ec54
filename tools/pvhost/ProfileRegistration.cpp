#include "tools/pvhost/ProfileRegistration.h"

#include <cstdio>
#include <unistd.h>

#include "platform/base/HResult.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"

namespace {

using ServerFunction = HRESULT (*)();

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

} // namespace

std::string CProfileRegistration::DefaultProfilePath() {
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string program = length > 0 ? std::string(self, static_cast<size_t>(length)) : "./pvhost";
    return program.substr(0, program.find_last_of('/')) + "/PVZQTavrin100.dll";
}

HRESULT CProfileRegistration::Run(const std::string& profilePath, bool unregister, std::string* error) {
    const std::wstring dosPath = CDosPath::ToDos(profilePath);
    HMODULE profile = LoadLibraryW(dosPath.c_str());
    if (!profile) {
        *error =
            profilePath + ": the profile cannot be loaded (error " + std::to_string(GetLastError()) + ")";
        return E_FAIL;
    }
    const char* exportName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<ServerFunction>(GetProcAddress(profile, exportName));
    HRESULT hr = E_FAIL;
    if (!function) {
        *error = profilePath + ": the profile does not export " + exportName;
    } else {
        hr = function();
        if (FAILED(hr))
            *error = profilePath + ": " + exportName + " failed with " + Hex(static_cast<unsigned>(hr));
    }
    FreeLibrary(profile);
    return hr;
}
