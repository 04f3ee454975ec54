#include "platform/mfc/DataExchange.h"

#include "platform/mfc/Wnd.h"

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND item = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
    if (!item) {
        if (!m_failed)
            m_failedId = id;
        Fail();
    }
    return item;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!dx || control.m_hWnd)
        return;
    HWND item = dx->PrepareCtrl(id);
    if (item && !control.SubclassWindow(item))
        dx->Fail();
}
