// A voltage: digits, a minus sign and a point, at most 8 characters.
#pragma once

#include "profile/online/HostInfoEdit.h"

class CHostVolt : public CHostInfoEdit {
public:
    HRESULT ValidateCharacter(UINT ch) override { return AcceptOnly(ch, false, L"-."); }

protected:
    UINT TextLimit() const override { return 8; }
};
