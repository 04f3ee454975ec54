// The framework's module state: each module (the host program, the profile) has its
// own instance handle, current resource handle and application object, and every
// entry point a host calls switches to its module's state for its duration, so that
// resources are looked up in that module's resource library.
#pragma once

#include "platform/base/WinTypes.h"

class CWinApp;

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
    const wchar_t* m_lpszCurrentAppName = nullptr;
};

// The state in force now: the last one switched to, or the host program's own.
AFX_MODULE_STATE* AfxGetModuleState();
// The host program's state (the executable's module).
AFX_MODULE_STATE* AfxGetAppModuleState();
// Defined once in every module that links the framework's module glue.
AFX_MODULE_STATE* AfxGetStaticModuleState();

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);
CWinApp* AfxGetApp();

// Switches to `state` for its lifetime (the guard AFX_MANAGE_STATE declares).
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_previous;
};

#define AFX_MANAGE_STATE(state) AFX_MAINTAIN_STATE2 afxManageStateGuard(state)

// Used by the module glue: which state is current, and the application object a
// module constructed during its static initialisation.
void AfxSetModuleState(AFX_MODULE_STATE* state);
void AfxSetConstructedApp(CWinApp* app);
CWinApp* AfxTakeConstructedApp();
