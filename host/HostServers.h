// Registers the host's creatable classes with the stand-in's class table for as long
// as this object lives: the string server, the module's and the framework's prompt
// servers and the module-specific file finder, so that the profile creates them by
// class with CoCreateInstance as it does in the real host.
#pragma once

#include <memory>
#include <vector>

#include "host/HostContext.h"
#include "platform/base/WinTypes.h"

class CHostServers {
public:
    explicit CHostServers(std::shared_ptr<CHostContext> context);
    ~CHostServers();
    CHostServers(const CHostServers&) = delete;
    CHostServers& operator=(const CHostServers&) = delete;

    // S_OK when every class was registered; otherwise the first failure, and the
    // classes registered before it are revoked again.
    HRESULT Register();
    void Revoke();

private:
    std::shared_ptr<CHostContext> m_context;
    std::vector<DWORD> m_cookies;
};
