// Locale names and number separators for the languages the profile ships in.
// One user-interface thread: its thread locale stands for the user's locale as well,
// so a host switches the profile's language with SetThreadLocale.
#pragma once

#include "platform/base/Win32Error.h"
#include "platform/base/WinTypes.h"

using LCTYPE = DWORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr LCTYPE LOCALE_SABBREVLANGNAME = 0x0003;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
constexpr LCTYPE LOCALE_SENGLANGUAGE = 0x1001;
constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;

extern "C" {
// The values are the system's own (there are no user overrides), so
// LOCALE_NOUSEROVERRIDE changes nothing. Returns the characters written, terminator
// included; with `size` 0 the characters needed.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size);
LCID GetUserDefaultLCID();
LCID GetThreadLocale();
// FALSE with ERROR_INVALID_PARAMETER for a locale not in the table.
BOOL SetThreadLocale(LCID locale);
}
