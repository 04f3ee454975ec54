// Automation strings. A BSTR points at its first character; the 32-bit count of BYTES
// (characters * sizeof(wchar_t)) sits just before it and a null character follows the
// last one, so a BSTR reads as a C string and may still hold embedded nulls.
#pragma once

#include "platform/base/WinTypes.h"

// NULL gives NULL. Fault point "SysAllocString" (answers NULL, as on allocation failure).
extern "C" BSTR SysAllocString(const OLECHAR* psz);
// Copies ui characters (nulls included); a NULL strIn gives ui zeroed characters, so
// SysAllocStringLen(NULL, 0) is an empty, non-null string. Fault point "SysAllocStringLen".
// Every BSTR copy the stand-in makes (VariantCopy, safe-array elements, conversions)
// is allocated here, so an injected failure there is an out-of-memory of that call.
extern "C" BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);
// Replaces *pbstr with a copy of psz (which may point into *pbstr) and frees the old
// string. FALSE when the copy cannot be made; *pbstr is then unchanged.
extern "C" INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
// NULL is allowed.
extern "C" void SysFreeString(BSTR bstrString);
// Characters, embedded nulls included; 0 for NULL.
extern "C" UINT SysStringLen(BSTR pbstr);
extern "C" UINT SysStringByteLen(BSTR bstr);
