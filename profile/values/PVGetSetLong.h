// CPVGetSetLong: a LONG member, as an edit box shows it.
#pragma once

#include "profile/values/PVGetSetIntegerValue.h"

class CPVGetSetLong : public CPVGetSetIntegerValue {
public:
    CPVGetSetLong(LPCWSTR memberName, IPVGetSetAdapter* adapter);

protected:
    ~CPVGetSetLong() override;
};
