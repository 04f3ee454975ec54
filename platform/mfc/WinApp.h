// CWinApp: a module's application object. A module's glue runs InitInstance when the
// module is loaded (a failure refuses the load) and ExitInstance when it is unloaded.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/mfc/Object.h"

class CWinApp : public CObject {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Run by the module glue before InitInstance: unless the module has set its own
    // help file, the help file is the module's path with the extension ".HLP", as the
    // framework names it.
    void SetCurrentHandles(HINSTANCE instance);

    const wchar_t* m_pszAppName = nullptr;
    // The application's help file, a full path (empty until a module sets it).
    const wchar_t* m_pszHelpFilePath = nullptr;

protected:
    void SetHelpFilePath(const std::wstring& path);

private:
    std::wstring m_appName;
    std::wstring m_helpFilePath;
};
