#include "profile/controls/PVButtonCtrl.h"

#include "platform/user/Controls.h"

BOOL CPVButtonCtrl::OnReflectedCommand(UINT code) {
    if (code != BN_CLICKED || !m_pAggregateCtrl)
        return CButton::OnReflectedCommand(code);
    m_pAggregateCtrl->OnAggregateCommand(this, static_cast<UINT>(GetDlgCtrlID()));
    return TRUE;
}

void CPVButtonCtrl::OnSetFocus(CWnd* oldWnd) {
    CButton::OnSetFocus(oldWnd);
    if (m_pAggregateCtrl)
        m_pAggregateCtrl->OnAggregateSetFocus(this);
}
