#include "profile/msgbox/PVMsgBoxDlgItemStatic.h"

#include "platform/user/DialogTemplate.h"
#include "profile/server/PVLog.h"

UINT CPVMsgBoxDlgItemStatic::GetWindowClassArray(PVByteArray* array) const {
    if (!array || *array) {
        PVLog(L"Invalid in pointer.");
        return 0;
    }
    if (GetWindowClassArraySize() != 2 * sizeof(WORD)) {
        PVLog(L"Invalid array size.");
        return 0;
    }
    return OrdinalArray(kStaticClassOrdinal, array);
}

UINT CPVMsgBoxDlgItemStatic::GetTitleArraySize() const {
    return TextArraySize(m_strText);
}

UINT CPVMsgBoxDlgItemStatic::GetTitleArray(PVByteArray* array) const {
    return TextToArray(m_strText, array);
}
