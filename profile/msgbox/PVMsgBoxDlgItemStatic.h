// The message text of a message box: a left-aligned static.
#pragma once

#include "platform/mfc/String.h"
#include "profile/msgbox/PVMsgBoxDlgItem.h"

class CPVMsgBoxDlgItemStatic : public CPVMsgBoxDlgItem {
public:
    CPVMsgBoxDlgItemStatic(const RECT& rect, WORD id, const CString& text)
        : CPVMsgBoxDlgItem(rect, id), m_strText(text) {}

    DWORD GetStyle() const override { return 0x50000000; }
    DWORD GetExtendedStyle() const override { return 0; }
    UINT GetWindowClassArraySize() const override { return 4; }
    // Logs and answers 0 for a missing or already filled out pointer.
    UINT GetWindowClassArray(PVByteArray* array) const override;
    UINT GetTitleArraySize() const override;
    UINT GetTitleArray(PVByteArray* array) const override;
    UINT GetCreationDataArraySize() const override { return 2; }
    UINT GetCreationDataArray(PVByteArray* array) const override { return NoCreationData(array); }

private:
    CString m_strText;
};
