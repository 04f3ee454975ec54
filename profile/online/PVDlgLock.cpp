#include "profile/online/PVDlgLock.h"

#include "profile/server/PVLog.h"

CPVDlgLock::CPVDlgLock(IPVDlgManager* manager) {
    if (!manager) {
        PVLog(L"Invalid IPVDlgManager passed into CPVDlgLock.");
        return;
    }
    // A lock the host refused must not be paired with an unlock.
    if (SUCCEEDED(manager->Lock()))
        m_spIPVDlgManager = manager;
}

CPVDlgLock::~CPVDlgLock() {
    if (!m_spIPVDlgManager) {
        PVLog(L"Invalid CPVDlgLock state.");
        return;
    }
    m_spIPVDlgManager->Unlock();
}
