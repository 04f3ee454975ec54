#include "profile/server/AopWinApp.h"

#include "profile/server/ResourceDllManager.h"

BOOL CAopWinApp::InitInstance() {
    if (!CWinApp::InitInstance())
        return FALSE;
    CResourceDllManager* manager = CResourceDllManager::GetInstance();
    return manager && manager->IsReady() ? TRUE : FALSE;
}

bool CAopWinApp::CanLoadLocale(LCID lcid) const {
    return CResourceDllManager::GetInstance()->CanLoad(lcid);
}

bool CAopWinApp::LoadLocale(LCID lcid) {
    return CResourceDllManager::GetInstance()->Load(lcid);
}
