// One two-digit field of a date or a time of day.
#pragma once

#include "profile/online/HostInfoEdit.h"

class CHostTime : public CHostInfoEdit {
public:
    HRESULT ValidateCharacter(UINT ch) override { return AcceptOnly(ch, false, L""); }

protected:
    UINT TextLimit() const override { return 2; }
    // A field that holds a value shows this instead of it.
    const wchar_t* MaskText() const override { return L"*********************************************"; }
};
