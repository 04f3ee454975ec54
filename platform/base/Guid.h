// GUIDs and their registry text form "{8-4-4-4-12}".
#pragma once

#include "platform/base/HResult.h"

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPCLSID = CLSID*;

constexpr bool IsEqualGUID(REFGUID a, REFGUID b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
constexpr bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
constexpr bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }

constexpr GUID GUID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// Writes "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper case, 38 characters and the
// terminator). Returns the characters written including the terminator, or 0 when
// cchMax is below 39.
extern "C" int StringFromGUID2(REFGUID guid, LPOLESTR text, int cchMax);

// Reads the registry form, braces required, hexadecimal digits of either case.
// Anything else gives CO_E_CLASSSTRING and leaves *clsid as it was.
extern "C" HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid);
