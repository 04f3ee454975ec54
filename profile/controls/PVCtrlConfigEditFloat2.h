// CPVCtrlConfigEditFloat2: a float edit box that formats its text, when the focus
// leaves, through the second float converter with its display decimals.
#pragma once

#include "profile/controls/PVCtrlConfigEditFloat.h"

class CPVCtrlConfigEditFloat2 : public CPVCtrlConfigEditFloat {
public:
    explicit CPVCtrlConfigEditFloat2(UINT dialogItemId) : CPVCtrlConfigEditFloat(dialogItemId) {}

    // The display decimals are the decimals.
    HRESULT Initialize(IPVGetSetValue* value, UINT textLimit, UINT maskFlag, UINT decimals);

    UINT GetDisplayDecimals() const { return m_nDisplayDecimals; }

protected:
    bool NormaliseText(CString& text) override;

private:
    UINT m_nDisplayDecimals = 1;
};
