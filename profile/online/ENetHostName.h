// A customer or location text for the device: letters, digits and blanks, at most 32.
#pragma once

#include "profile/online/HostInfoEdit.h"

class CENetHostName : public CHostInfoEdit {
public:
    HRESULT ValidateCharacter(UINT ch) override { return AcceptOnly(ch, true, L" "); }

protected:
    UINT TextLimit() const override { return 32; }
};
