// A converter for plain texts: the base's character set and checks, nothing more.
#pragma once

#include "profile/convert/CnvTextToValue.h"

class CCnvTextToText : public CCnvTextToValue {
public:
    static CCnvTextToText* GetInstance();

private:
    CCnvTextToText() = default;
};
