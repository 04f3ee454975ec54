// CDialog: a dialog built from a template of the current resource module. Creation
// ties the object to the dialog window from its first message (CCreateHook), so the
// object handles WM_INITDIALOG: OnInitDialog runs the template's initialisation data,
// then the data exchange (UpdateData(FALSE)). A dialog that ends itself during its
// initialisation (EndDialog) is destroyed again and Create answers FALSE.
#pragma once

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL Create(LPCWSTR templateName, CWnd* parent = nullptr);
    // A template in memory; `instance` is the module its resources come from (null: the
    // current resource module).
    virtual BOOL CreateIndirect(const void* dialogTemplate, CWnd* parent = nullptr,
                                HINSTANCE instance = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    // Runs DoDataExchange in one direction; FALSE when the exchange failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // IDOK and IDCANCEL clicks go to OnOK and OnCancel.
    BOOL OnCmdMsg(UINT id, UINT code) override;

    // The help id (the template id unless set) and the template's resource name.
    UINT m_nIDHelp = 0;
    LPCWSTR m_lpszTemplateName = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* dx);

    CWnd* m_pParentWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_ended = false;
};
