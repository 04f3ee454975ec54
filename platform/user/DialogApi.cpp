// The dialog calls of the window system, over the dialog manager.
#include "platform/user/DialogApi.h"

#include "platform/base/Win32Error.h"
#include "platform/kernel/Resource.h"
#include "platform/user/DialogManager.h"

namespace {

// A dialog template resource and its size, so that reading it stays inside the resource.
const void* FindTemplate(HINSTANCE instance, LPCWSTR name, size_t* size) {
    HRSRC found = FindResourceW(instance, name, RT_DIALOG);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    *size = SizeofResource(instance, found);
    if (data && *size == 0) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return data;
}

} // namespace

extern "C" HWND CreateDialogIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND parent,
                                           DLGPROC proc, LPARAM initParam) {
    return CDialogManager::Instance().Create(dialogTemplate, kIndirectTemplateBound, instance, parent, proc,
                                             initParam, false);
}

extern "C" HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC proc,
                                   LPARAM initParam) {
    size_t size = 0;
    const void* data = FindTemplate(instance, templateName, &size);
    if (!data)
        return nullptr;
    return CDialogManager::Instance().Create(data, size, instance, parent, proc, initParam, false);
}

extern "C" INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, const void* dialogTemplate, HWND owner,
                                           DLGPROC proc, LPARAM initParam) {
    return CDialogManager::Instance().RunModal(dialogTemplate, kIndirectTemplateBound, instance, owner, proc,
                                               initParam);
}

extern "C" INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC proc,
                                   LPARAM initParam) {
    size_t size = 0;
    const void* data = FindTemplate(instance, templateName, &size);
    if (!data)
        return -1;
    return CDialogManager::Instance().RunModal(data, size, instance, owner, proc, initParam);
}

extern "C" BOOL EndDialog(HWND dialog, INT_PTR result) {
    return CDialogManager::Instance().End(dialog, result);
}

extern "C" LRESULT DefDlgProcW(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CDialogManager::Instance().DefProc(dialog, msg, wParam, lParam);
}

extern "C" BOOL IsDialogMessageW(HWND dialog, MSG* msg) {
    return CDialogManager::Instance().IsDialogMessage(dialog, msg);
}

extern "C" HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    return CDialogManager::Instance().NextTabItem(dialog, control, previous != FALSE);
}

extern "C" HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    return CDialogManager::Instance().NextGroupItem(dialog, control, previous != FALSE);
}

extern "C" BOOL MapDialogRect(HWND dialog, RECT* rect) {
    return CDialogManager::Instance().MapRect(dialog, rect);
}
