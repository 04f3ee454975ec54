// Keeps the host's dialog manager locked for its lifetime, so that the host opens no
// dialog of its own while an action on the live device runs.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/interfaces/DlgManager.h"

class CPVDlgLock {
public:
    // Locks `manager`; a null manager is logged and nothing is locked.
    explicit CPVDlgLock(IPVDlgManager* manager);
    ~CPVDlgLock();
    CPVDlgLock(const CPVDlgLock&) = delete;
    CPVDlgLock& operator=(const CPVDlgLock&) = delete;

private:
    // Null when there is nothing to unlock.
    CComPtr<IPVDlgManager> m_spIPVDlgManager;
};
