#include "platform/mfc/AfxMessageBox.h"

#include <vector>

#include "platform/kernel/Resource.h"
#include "platform/mfc/ModuleState.h"
#include "platform/mfc/WinApp.h"
#include "platform/user/WinUser.h"

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
    CWinApp* app = AfxGetApp();
    // Without an application there is no name: the system's own caption is used.
    const wchar_t* caption = app && app->m_pszAppName && *app->m_pszAppName ? app->m_pszAppName : nullptr;
    return MessageBoxW(nullptr, text ? text : L"", caption, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    // A string table entry holds at most 65535 UTF-16 units; prompts are far shorter.
    std::vector<wchar_t> text(4097, L'\0');
    if (LoadStringW(AfxGetResourceHandle(), promptId, text.data(), static_cast<int>(text.size())) <= 0)
        return 0;
    return AfxMessageBox(text.data(), type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}
