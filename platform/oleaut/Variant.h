// VARIANT, the automation value, with the type codes and the calls that initialise,
// release, copy and convert it.
#pragma once

#include "platform/base/HResult.h"
#include "platform/com/Unknown.h"

struct SAFEARRAY;

using VARTYPE = USHORT;
// Days since 1899-12-30 with the time of day as the fraction.
using DATE = double;

enum VARENUM {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_RECORD = 36,
    VT_VECTOR = 0x1000,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_RESERVED = 0x8000,
    VT_ILLEGAL = 0xFFFF,
    VT_ILLEGALMASKED = 0x0FFF,
    VT_TYPEMASK = 0x0FFF,
};

// VariantChangeType flags.
constexpr USHORT VARIANT_NOVALUEPROP = 0x01;
constexpr USHORT VARIANT_ALPHABOOL = 0x02;
constexpr USHORT VARIANT_NOUSEROVERRIDE = 0x04;
constexpr USHORT VARIANT_LOCALBOOL = 0x10;

// The 64-bit Windows layout: the type, three reserved words, then 16 bytes of value
// (the widest member there is a record's pair of pointers, which this stand-in does
// not offer; its room is kept so that VARIANT arrays have Windows' element size).
struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        DATE date;
        BSTR bstrVal;
        IUnknown* punkVal;
        SAFEARRAY* parray;
        BYTE* pbVal;
        SHORT* piVal;
        LONG* plVal;
        LONGLONG* pllVal;
        float* pfltVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        DATE* pdate;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        PVOID byref;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
        CHAR* pcVal;
        USHORT* puiVal;
        ULONG* pulVal;
        ULONGLONG* pullVal;
        INT* pintVal;
        UINT* puintVal;
        PVOID recordRoom[2];
    };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;
using LPVARIANTARG = VARIANT*;

static_assert(sizeof(VARIANT) == 24, "VARIANT must have the 64-bit Windows size");
static_assert(offsetof(VARIANT, llVal) == 8, "the value follows the type and three reserved words");

// Sets vt to VT_EMPTY and nothing else.
extern "C" void VariantInit(VARIANTARG* pvarg);

// Releases what the VARIANT owns (frees a BSTR, releases an interface once, destroys
// an array; a by-reference VARIANT owns nothing) and leaves VT_EMPTY. An invalid type
// gives DISP_E_BADVARTYPE and a locked array DISP_E_ARRAYISLOCKED, the VARIANT
// unchanged.
extern "C" HRESULT VariantClear(VARIANTARG* pvarg);

// Clears the destination, then copies: BSTRs and arrays deeply, interfaces with
// AddRef, by-reference values as the pointer. dest == src does nothing. An invalid
// source type gives DISP_E_BADVARTYPE with the destination untouched; a failed copy
// leaves it VT_EMPTY.
extern "C" HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);

// Converts between the numbers (VT_I1 ... VT_UI8, VT_INT, VT_UINT, VT_R4, VT_R8),
// VT_BOOL and VT_BSTR, from VT_EMPTY, and between arrays element by element. Text is
// read and written in the invariant form ('.' as decimal point). Floating values go
// to integers with round-half-even; out of range is DISP_E_OVERFLOW, anything else
// DISP_E_TYPEMISMATCH (DISP_E_BADVARTYPE for an invalid type). The source may be the
// destination; on failure the destination is as it was. Fault point "VariantChangeType".
extern "C" HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags,
                                     VARTYPE vt);
