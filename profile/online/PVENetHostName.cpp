#include "profile/online/PVENetHostName.h"

void CPVENetHostName::OnTextChanged() {
    CENetHostName::OnTextChanged();
    if (m_pListener)
        m_pListener->OnAggregateCommand(this, static_cast<UINT>(GetDlgCtrlID()));
}

void CPVENetHostName::OnSetFocus(CWnd* oldWnd) {
    CENetHostName::OnSetFocus(oldWnd);
    if (m_pListener)
        m_pListener->OnAggregateSetFocus(this);
}
