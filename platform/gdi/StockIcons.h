// The system's stock icons (LoadIconW with a null instance). A stock icon's handle tells
// which icon it is, so that drawing records and pictures can name it.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/kernel/Resource.h"

inline const LPWSTR IDI_APPLICATION = MAKEINTRESOURCEW(32512);
inline const LPWSTR IDI_HAND = MAKEINTRESOURCEW(32513);
inline const LPWSTR IDI_QUESTION = MAKEINTRESOURCEW(32514);
inline const LPWSTR IDI_EXCLAMATION = MAKEINTRESOURCEW(32515);
inline const LPWSTR IDI_ASTERISK = MAKEINTRESOURCEW(32516);
inline const LPWSTR IDI_WINLOGO = MAKEINTRESOURCEW(32517);
inline const LPWSTR IDI_SHIELD = MAKEINTRESOURCEW(32518);
inline const LPWSTR IDI_WARNING = IDI_EXCLAMATION;
inline const LPWSTR IDI_ERROR = IDI_HAND;
inline const LPWSTR IDI_INFORMATION = IDI_ASTERISK;

extern "C" {
// Stock icons only: with a module instance, or a name that is no stock icon, null with
// ERROR_RESOURCE_NAME_NOT_FOUND (modules' own icons are not offered).
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
// A stock icon is shared: destroying it does nothing and succeeds. FALSE with
// ERROR_INVALID_CURSOR_HANDLE for anything else.
BOOL DestroyIcon(HICON icon);
}

// The IDI_ number of a stock icon handle; 0 for any other handle.
WORD StockIconId(HICON icon);
