// A push button of a message box, with its label; the default button answers Enter.
#pragma once

#include "platform/mfc/String.h"
#include "profile/msgbox/PVMsgBoxDlgItem.h"

class CPVMsgBoxDlgItemButton : public CPVMsgBoxDlgItem {
public:
    CPVMsgBoxDlgItemButton(const RECT& rect, WORD id, const CString& label, bool isDefault)
        : CPVMsgBoxDlgItem(rect, id), m_strLabel(label), m_bDefault(isDefault) {}

    bool IsDefault() const { return m_bDefault; }

    DWORD GetStyle() const override { return 0x50010000 | (m_bDefault ? 1 : 0); }
    DWORD GetExtendedStyle() const override { return 0; }
    UINT GetWindowClassArraySize() const override { return 4; }
    UINT GetWindowClassArray(PVByteArray* array) const override;
    UINT GetTitleArraySize() const override;
    UINT GetTitleArray(PVByteArray* array) const override;
    UINT GetCreationDataArraySize() const override { return 2; }
    UINT GetCreationDataArray(PVByteArray* array) const override { return NoCreationData(array); }

private:
    CString m_strLabel;
    bool m_bDefault;
};
