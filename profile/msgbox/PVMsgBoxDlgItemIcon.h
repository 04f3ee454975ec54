// The icon of a message box: a static showing one of the system's stock icons, chosen
// by the icon bits of the message box style.
#pragma once

#include "profile/msgbox/PVMsgBoxDlgItem.h"

class CPVMsgBoxDlgItemIcon : public CPVMsgBoxDlgItem {
public:
    CPVMsgBoxDlgItemIcon(const RECT& rect, WORD id, UINT style)
        : CPVMsgBoxDlgItem(rect, id), m_nStyle(style) {}

    // 32514 (question), 32515 (exclamation), 32516 (asterisk), else 32513 (hand).
    static WORD IconId(UINT style);

    DWORD GetStyle() const override { return 0x50000003; }
    DWORD GetExtendedStyle() const override { return 0; }
    UINT GetWindowClassArraySize() const override { return 4; }
    UINT GetWindowClassArray(PVByteArray* array) const override;
    UINT GetTitleArraySize() const override { return 4; }
    UINT GetTitleArray(PVByteArray* array) const override;
    UINT GetCreationDataArraySize() const override { return 2; }
    UINT GetCreationDataArray(PVByteArray* array) const override { return NoCreationData(array); }

private:
    UINT m_nStyle;
};
