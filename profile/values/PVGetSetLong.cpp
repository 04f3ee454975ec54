#include "profile/values/PVGetSetLong.h"

CPVGetSetLong::CPVGetSetLong(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetIntegerValue(memberName, adapter) {}

CPVGetSetLong::~CPVGetSetLong() = default;
