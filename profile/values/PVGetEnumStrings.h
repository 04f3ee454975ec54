// CPVGetEnumStrings: all display texts of an enumeration member in one text, each
// followed by a line feed, for filling a combo box.
#pragma once

#include "profile/values/PVGetSetMemberNameValue.h"

class CPVGetEnumStrings : public CPVGetSetMemberNameValue {
public:
    // The `vt` its callers pass to ask for the strings; its meaning as a type plays no part.
    static constexpr VARTYPE EnumStringsSelector = 6;

    CPVGetEnumStrings(LPCWSTR memberName, IPVGetSetAdapter* adapter);

    using CPVGetSetValue::GetValue;
    HRESULT STDMETHODCALLTYPE GetValue(CString* text, VARTYPE vt, CPromptInfo* prompt) override;

protected:
    ~CPVGetEnumStrings() override;
};
