// The host's string server: labels by numeric id.
#pragma once

#include "platform/com/ComPtrT.h"
#include "platform/mfc/String.h"
#include "profile/interfaces/TextServers.h"

class CStringServerWrapper {
public:
    CStringServerWrapper() = default;
    virtual ~CStringServerWrapper() = default;

    HRESULT Create(REFCLSID cls, const LCID* lcid = nullptr);
    // The server's text for `id`; empty without a server or when the server fails.
    CString GetString(LONG id);
    // Whether labels keep their keyboard accelerators; without a server this raises
    // the COM error E_POINTER.
    void SetWithAccelerators(bool with);

private:
    _com_ptr_t<IPVStringServer> m_spServer;
};

// The shared instance some users keep.
class CSingletonStringServerWrapper : public CStringServerWrapper {};
