// Small helpers shared by every part of the profile.
#pragma once

#include "platform/com/ErrorInfo.h"
#include "platform/mfc/String.h"

// True for a non-null pointer; a null one is logged.
bool InterfaceIsValid(const void* pointer);

// Takes the error object `object` left after a failing call of interface `iid`.
HRESULT GetErrorInfoFromObject(IUnknown* object, REFIID iid, IErrorInfo** error);

inline bool IsSucceeded(HRESULT hr) {
    return hr >= 0;
}
// Only the automation true (all bits set) counts.
inline bool IsVariantTrue(VARIANT_BOOL value) {
    return static_cast<WORD>(value) == 0xFFFF;
}
// The controller modes 1 to 6 are online.
inline bool IsOnlineMode(LONG mode) {
    return mode >= 1 && mode <= 6;
}

// Finds `ch` in `text`: false with *pos -1 when it occurs twice or more, otherwise
// true with its position (-1 when absent).
bool FindSingleSeparator(const wchar_t* text, wchar_t ch, int* pos);
// True with both positions when `ch` occurs exactly twice, true with -1 for the
// missing ones when it occurs fewer times, false with both -1 when three or more.
bool FindTwoSeparators(const wchar_t* text, wchar_t ch, int* first, int* second);

// The compiled help file for `name` and `lcid`: the program files folder, a
// backslash, the name without leading backslashes, the language abbreviation and
// ".chm"; empty when the folder cannot be had.
CString GetHelpFilePath(const wchar_t* name, LCID lcid);
