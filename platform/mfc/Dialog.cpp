#include "platform/mfc/Dialog.h"

#include "platform/kernel/Resource.h"
#include "platform/mfc/CreateHook.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogApi.h"
#include "platform/user/WinUser.h"

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_lpszTemplateName(MAKEINTRESOURCEW(static_cast<WORD>(templateId))),
      m_pParentWnd(parent) {}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_nIDHelp == 0)
        m_nIDHelp = templateId;
    return Create(MAKEINTRESOURCEW(static_cast<WORD>(templateId)), parent);
}

BOOL CDialog::Create(LPCWSTR templateName, CWnd* parent) {
    m_lpszTemplateName = templateName;
    if (parent)
        m_pParentWnd = parent;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceW(module, templateName, RT_DIALOG);
    if (!found)
        return FALSE;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    return CreateIndirect(data, m_pParentWnd, module);
}

BOOL CDialog::CreateIndirect(const void* dialogTemplate, CWnd* parent, HINSTANCE instance) {
    if (m_hWnd || !dialogTemplate)
        return FALSE;
    if (parent)
        m_pParentWnd = parent;
    if (!instance)
        instance = AfxGetResourceHandle();
    m_ended = false;
    HWND hwnd = nullptr;
    {
        CCreateHook hook(this);
        hwnd = CreateDialogIndirectParamW(instance, dialogTemplate,
                                          m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &CDialog::DialogProc,
                                          reinterpret_cast<LPARAM>(this));
    }
    if (!hwnd) {
        if (m_hWnd && !IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    if (m_ended) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog() {
    if (!ExecuteDlgInit(m_lpszTemplateName)) {
        EndDialog(-1);
        return FALSE;
    }
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_INITDIALOG) {
        // The dialog manager's own processing calls the dialog procedure, which runs
        // OnInitDialog; its answer decides the initial focus.
        *result = Default();
        return TRUE;
    }
    return CWnd::OnWndMsg(msg, wParam, lParam, result);
}

BOOL CDialog::OnCmdMsg(UINT id, UINT code) {
    if (code == BN_CLICKED && id == static_cast<UINT>(IDOK)) {
        OnOK();
        return TRUE;
    }
    if (code == BN_CLICKED && id == static_cast<UINT>(IDCANCEL)) {
        OnCancel();
        return TRUE;
    }
    return CWnd::OnCmdMsg(id, code);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_INITDIALOG)
        return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hwnd));
    if (!dialog) {
        // No creation hook reached this window: the object comes with the message.
        dialog = reinterpret_cast<CDialog*>(lParam);
        if (!dialog || !dialog->SubclassWindow(hwnd))
            return TRUE;
    }
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        dialog->EndDialog(-1);
        return FALSE;
    }
}
