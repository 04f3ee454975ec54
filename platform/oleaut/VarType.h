// What the VARIANT and SAFEARRAY code needs to know about a type code.
#pragma once

#include "platform/oleaut/Variant.h"

class CVarType {
public:
    // A type a VARIANT may carry: a base type, optionally with VT_ARRAY and/or
    // VT_BYREF. VT_EMPTY and VT_NULL take no flag; VT_VARIANT needs one. Records and
    // decimals are not offered by this stand-in and count as invalid.
    static bool IsValidInVariant(VARTYPE vt);

    // Bytes of one element of this type in a SAFEARRAY (and of the value a VT_BYREF
    // pointer points at); 0 for a type that cannot be an element.
    static ULONG ElementSize(VARTYPE vt);

    // A VT_UNKNOWN or VT_DISPATCH value: a counted interface pointer.
    static bool IsInterface(VARTYPE vt) { return vt == VT_UNKNOWN || vt == VT_DISPATCH; }
};
