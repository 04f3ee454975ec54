#include "profile/msgbox/PVMsgBox.h"

#include "platform/mfc/ModuleState.h"
#include "platform/user/WinUser.h"
#include "profile/msgbox/PVMsgBoxDlgTemplate2.h"

namespace {

// Help contexts of the profile's own topics lie above this.
constexpr UINT kHelpContextBase = 0x30000;

UINT WithHelp(UINT style, UINT helpId) {
    return helpId > kHelpContextBase ? style | MB_HELP : style;
}

} // namespace

INT_PTR PVMsgBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style, UINT helpId,
                 const wchar_t* helpFile) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CPVMsgBoxDlgTemplate box;
    if (!box.Init(WithHelp(style, helpId), text, caption, owner, helpId, helpFile))
        return -1;
    return box.DoModal();
}

INT_PTR PVMsgBox(IPVDlgManager* manager, HWND owner, const wchar_t* text, const wchar_t* caption, UINT style,
                 UINT helpId, const wchar_t* helpFile) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CPVMsgBoxDlgTemplate2 box;
    if (!box.Init(WithHelp(style, helpId), text, caption, owner, helpId, helpFile, manager))
        return -1;
    return box.DoModal();
}
