#include "profile/msgbox/PVMsgBoxDlgItemButton.h"

#include "platform/user/DialogTemplate.h"

UINT CPVMsgBoxDlgItemButton::GetWindowClassArray(PVByteArray* array) const {
    return OrdinalArray(kButtonClassOrdinal, array);
}

UINT CPVMsgBoxDlgItemButton::GetTitleArraySize() const {
    return TextArraySize(m_strLabel);
}

UINT CPVMsgBoxDlgItemButton::GetTitleArray(PVByteArray* array) const {
    return TextToArray(m_strLabel, array);
}
