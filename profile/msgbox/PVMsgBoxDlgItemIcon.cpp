#include "profile/msgbox/PVMsgBoxDlgItemIcon.h"

#include "platform/user/DialogTemplate.h"

WORD CPVMsgBoxDlgItemIcon::IconId(UINT style) {
    switch (style & 0xF0) {
    case 0x20:
        return 32514;
    case 0x30:
        return 32515;
    case 0x40:
        return 32516;
    default:
        return 32513;
    }
}

UINT CPVMsgBoxDlgItemIcon::GetWindowClassArray(PVByteArray* array) const {
    return OrdinalArray(kStaticClassOrdinal, array);
}

UINT CPVMsgBoxDlgItemIcon::GetTitleArray(PVByteArray* array) const {
    return OrdinalArray(IconId(m_nStyle), array);
}
