// The window menu (system menu) of a window with WS_SYSMENU: its standard commands and
// their enabled state. Nothing draws or opens it; callers grey commands in it, and
// tests and pictures read that state back.
#pragma once

#include "platform/base/WinTypes.h"

constexpr UINT SC_SIZE = 0xF000;
constexpr UINT SC_MOVE = 0xF010;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BYPOSITION = 0x0400;

extern "C" {
// The window's own copy of its window menu (made on the first call); null for a window
// without WS_SYSMENU and for revert = TRUE, which throws the copy away.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
// MF_BYCOMMAND or MF_BYPOSITION with MF_ENABLED, MF_GRAYED or MF_DISABLED: answers the
// item's previous state, or (UINT)-1 when the menu has no such item.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
// The item's MF_GRAYED and MF_DISABLED bits, or (UINT)-1 when the menu has no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
}
