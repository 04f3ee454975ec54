#include "platform/mfc/WinApp.h"

#include "platform/kernel/Module.h"
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

void CWinApp::SetCurrentHandles(HINSTANCE instance) {
    if (m_pszHelpFilePath)
        return;
    std::wstring path(1024, L'\0');
    const DWORD length = GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return;
    path.resize(length);
    const size_t name = path.find_last_of(L'\\');
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (name == std::wstring::npos || dot > name))
        path.resize(dot);
    SetHelpFilePath(path + L".HLP");
}
