#include "profile/values/PVGetSetFloat2.h"

CPVGetSetFloat2::CPVGetSetFloat2(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetFloatValue(memberName, adapter) {}

CPVGetSetFloat2::~CPVGetSetFloat2() = default;
