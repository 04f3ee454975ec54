// The framework's per-module glue, linked statically into every module that has an
// application object. It owns the module's state and the DllMain the loader calls:
// on attach it records the instance handle, names the help file after the module and
// runs the application's InitInstance (a failure refuses the load, as on Windows); on
// detach ExitInstance.
#include "platform/mfc/ModuleState.h"
#include "platform/mfc/WinApp.h"

namespace {

AFX_MODULE_STATE& ModuleState() {
    static AFX_MODULE_STATE state;
    return state;
}

// Runs first among this module's static constructors: an application object
// constructed later in this module's initialisation is this module's.
struct ConstructedAppReset {
    ConstructedAppReset() { AfxSetConstructedApp(nullptr); }
};
__attribute__((init_priority(101))) ConstructedAppReset g_reset;

} // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState() {
    return &ModuleState();
}

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    constexpr DWORD kProcessDetach = 0;
    constexpr DWORD kProcessAttach = 1;
    AFX_MODULE_STATE& state = ModuleState();
    AFX_MANAGE_STATE(&state);
    if (reason == kProcessAttach) {
        state.m_hCurrentInstanceHandle = instance;
        state.m_hCurrentResourceHandle = instance;
        state.m_pCurrentWinApp = AfxTakeConstructedApp();
        if (state.m_pCurrentWinApp)
            state.m_pCurrentWinApp->SetCurrentHandles(instance);
        if (state.m_pCurrentWinApp && !state.m_pCurrentWinApp->InitInstance()) {
            state.m_pCurrentWinApp->ExitInstance();
            return FALSE;
        }
    } else if (reason == kProcessDetach) {
        if (state.m_pCurrentWinApp)
            state.m_pCurrentWinApp->ExitInstance();
    }
    return TRUE;
}
