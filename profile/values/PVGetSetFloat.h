// CPVGetSetFloat: a float member, as an edit box shows it.
#pragma once

#include "profile/values/PVGetSetFloatValue.h"

class CPVGetSetFloat : public CPVGetSetFloatValue {
public:
    CPVGetSetFloat(LPCWSTR memberName, IPVGetSetAdapter* adapter);

protected:
    ~CPVGetSetFloat() override;
};
