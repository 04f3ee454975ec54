// External device information: letters, digits, blanks, hyphens and points, at most 32.
#pragma once

#include "profile/online/HostInfoEdit.h"

class CENetHostExtInfo : public CHostInfoEdit {
public:
    HRESULT ValidateCharacter(UINT ch) override { return AcceptOnly(ch, true, L"-. "); }

protected:
    UINT TextLimit() const override { return 32; }
};
