// CDataExchange and DDX_Control: a dialog's data exchange. The framework throws out of a
// failed exchange; here the exchange records the failure and UpdateData answers FALSE.
#pragma once

#include "platform/base/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The dialog item with that id, or null (and the exchange fails).
    HWND PrepareCtrl(int id);
    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }
    // The id of the item that failed first, 0 when none did.
    int FailedId() const { return m_failedId; }

private:
    bool m_failed = false;
    int m_failedId = 0;
};

// Binds a dialog item to a control object: the first exchange subclasses the item onto
// the object; later exchanges find it bound and do nothing.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
