#include "platform/mfc/WinApp.h"

#include "platform/mfc/ModuleState.h"

CWinApp::CWinApp(const wchar_t* appName) {
    if (appName)
        m_appName = appName;
    m_pszAppName = m_appName.c_str();
    // The module glue claims this object for its module when the module attaches.
    AfxSetConstructedApp(this);
}

CWinApp::~CWinApp() {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this)
        state->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::SetHelpFilePath(const std::wstring& path) {
    m_helpFilePath = path;
    m_pszHelpFilePath = m_helpFilePath.c_str();
}
