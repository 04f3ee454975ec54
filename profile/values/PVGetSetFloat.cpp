#include "profile/values/PVGetSetFloat.h"

CPVGetSetFloat::CPVGetSetFloat(LPCWSTR memberName, IPVGetSetAdapter* adapter)
    : CPVGetSetFloatValue(memberName, adapter) {}

CPVGetSetFloat::~CPVGetSetFloat() = default;
