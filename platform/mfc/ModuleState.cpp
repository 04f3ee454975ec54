#include "platform/mfc/ModuleState.h"

#include "platform/kernel/Module.h"

namespace {

AFX_MODULE_STATE& AppState() {
    static AFX_MODULE_STATE state = [] {
        AFX_MODULE_STATE s;
        s.m_hCurrentInstanceHandle = GetModuleHandleW(nullptr);
        s.m_hCurrentResourceHandle = s.m_hCurrentInstanceHandle;
        return s;
    }();
    return state;
}

AFX_MODULE_STATE* g_current = nullptr;
CWinApp* g_constructedApp = nullptr;

} // namespace

AFX_MODULE_STATE* AfxGetAppModuleState() {
    return &AppState();
}

AFX_MODULE_STATE* AfxGetModuleState() {
    return g_current ? g_current : &AppState();
}

void AfxSetModuleState(AFX_MODULE_STATE* state) {
    g_current = state;
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resource) {
    AfxGetModuleState()->m_hCurrentResourceHandle = resource;
}

CWinApp* AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}

void AfxSetConstructedApp(CWinApp* app) {
    g_constructedApp = app;
}

CWinApp* AfxTakeConstructedApp() {
    CWinApp* app = g_constructedApp;
    g_constructedApp = nullptr;
    return app;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_previous(g_current) {
    g_current = state;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() {
    g_current = m_previous;
}
