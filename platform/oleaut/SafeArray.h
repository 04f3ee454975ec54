// SAFEARRAY, the automation array: a descriptor with one bound per dimension and a
// block of elements that owns its BSTRs, interfaces and VARIANTs.
//
// As on Windows, rgsabound holds the dimensions in reverse order (rgsabound[0] is the
// last, rightmost dimension), indices passed in rgIndices are in dimension order
// (rgIndices[0] for dimension 1), and the first dimension varies fastest in pvData.
// Dimensions are numbered from 1.
//
// Fault points: the allocations "SafeArrayCreate", "SafeArrayCreateVector" (answer
// NULL), "SafeArrayCopy" and "SafeArrayRedim" (answer the injected code), and the
// calls "SafeArrayGetLBound", "SafeArrayGetUBound", "SafeArrayGetVartype",
// "SafeArrayAccessData", "SafeArrayGetElement", "SafeArrayPutElement". Calls the
// stand-in makes itself count too: SafeArrayCopy creates its copy with
// SafeArrayCreate, VariantCopy copies arrays with SafeArrayCopy, and VariantChangeType
// of an array asks SafeArrayGetVartype and creates the result with SafeArrayCreate.
#pragma once

#include "platform/oleaut/Variant.h"

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};
using LPSAFEARRAYBOUND = SAFEARRAYBOUND*;

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    PVOID pvData;
    SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

constexpr USHORT FADF_AUTO = 0x0001;
constexpr USHORT FADF_STATIC = 0x0002;
constexpr USHORT FADF_EMBEDDED = 0x0004;
constexpr USHORT FADF_FIXEDSIZE = 0x0010;
constexpr USHORT FADF_RECORD = 0x0020;
constexpr USHORT FADF_HAVEIID = 0x0040;
constexpr USHORT FADF_HAVEVARTYPE = 0x0080;
constexpr USHORT FADF_BSTR = 0x0100;
constexpr USHORT FADF_UNKNOWN = 0x0200;
constexpr USHORT FADF_DISPATCH = 0x0400;
constexpr USHORT FADF_VARIANT = 0x0800;
constexpr USHORT FADF_RESERVED = 0xF008;

// Element types: VT_I1, VT_UI1, VT_I2, VT_UI2, VT_BOOL, VT_I4, VT_UI4, VT_INT, VT_UINT,
// VT_R4, VT_ERROR, VT_I8, VT_UI8, VT_R8, VT_DATE, VT_BSTR, VT_UNKNOWN, VT_DISPATCH,
// VT_VARIANT. Elements start zeroed and unlocked. NULL for another type, no
// dimensions, or when memory runs out.
extern "C" SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
extern "C" SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);

// Releases every element's BSTR, interface or VARIANT and frees the array. NULL is
// S_OK; a locked array gives DISP_E_ARRAYISLOCKED and stays as it is.
extern "C" HRESULT SafeArrayDestroy(SAFEARRAY* psa);

// 0 for NULL.
extern "C" UINT SafeArrayGetDim(SAFEARRAY* psa);
extern "C" UINT SafeArrayGetElemsize(SAFEARRAY* psa);

// A dimension outside 1..cDims gives DISP_E_BADINDEX. The upper bound of an empty
// dimension is one below its lower bound.
extern "C" HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
extern "C" HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);

// Copies one element out: a BSTR as a new string the caller frees (NULL stays NULL),
// an interface with AddRef, a VARIANT with VariantCopy into *pv (which is taken as
// empty, not cleared first). An index out of range gives DISP_E_BADINDEX.
extern "C" HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);

// Stores a copy of one element, releasing the old one. For BSTR, VT_UNKNOWN and
// VT_DISPATCH arrays pv IS the string or interface pointer (no further indirection);
// for the others it points at the value (a VARIANT* for VT_VARIANT arrays).
extern "C" HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv);

// Gives the last (rightmost) dimension the new count and lower bound. Elements cut
// off are released, new ones are zeroed. A locked array gives DISP_E_ARRAYISLOCKED.
extern "C" HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew);

// A deep copy, unlocked. A NULL source gives S_OK and *ppsaOut NULL.
extern "C" HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);

extern "C" HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);

// AccessData locks the array and hands out pvData; UnaccessData unlocks it. Unlocking
// an unlocked array gives E_UNEXPECTED. A NULL array gives E_INVALIDARG everywhere.
extern "C" HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
extern "C" HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
extern "C" HRESULT SafeArrayLock(SAFEARRAY* psa);
extern "C" HRESULT SafeArrayUnlock(SAFEARRAY* psa);
