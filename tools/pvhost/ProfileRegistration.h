// Registering the profile as a setup program does: load the module by its path,
// call its DllRegisterServer or DllUnregisterServer, unload it.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

class CProfileRegistration {
public:
    // The profile beside pvhost.
    static std::string DefaultProfilePath();
    // `error` names the module or the export at fault.
    static HRESULT Run(const std::string& profilePath, bool unregister, std::string* error);
};
