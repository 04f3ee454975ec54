#include "platform/kernel/Locale.h"

#include <cwchar>

#include "platform/base/Win32Error.h"

namespace {

struct LocaleInfo {
    LCID lcid;
    const wchar_t* abbreviation;
    const wchar_t* englishLanguage;
    const wchar_t* decimal;
    const wchar_t* thousand;
};

// Windows' national language data for these locales. French and Russian group
// thousands with a no-break space.
constexpr LocaleInfo kLocales[] = {
    {1033, L"ENU", L"English", L".", L","},      {2057, L"ENG", L"English", L".", L","},
    {1031, L"DEU", L"German", L",", L"."},       {1036, L"FRA", L"French", L",", L"\u00A0"},
    {1034, L"ESP", L"Spanish", L",", L"."},      {3082, L"ESN", L"Spanish", L",", L"."},
    {1040, L"ITA", L"Italian", L",", L"."},      {1046, L"PTB", L"Portuguese", L",", L"."},
    {2052, L"CHS", L"Chinese", L".", L","},      {1028, L"CHT", L"Chinese", L".", L","},
    {1041, L"JPN", L"Japanese", L".", L","},     {1042, L"KOR", L"Korean", L".", L","},
    {1049, L"RUS", L"Russian", L",", L"\u00A0"},
};

constexpr LCID kDefaultLocale = 1033;
LCID g_threadLocale = kDefaultLocale;

const LocaleInfo* Find(LCID lcid) {
    if (lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT)
        lcid = g_threadLocale;
    for (const LocaleInfo& info : kLocales)
        if (info.lcid == lcid)
            return &info;
    return nullptr;
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

} // namespace

extern "C" int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int size) {
    if (size < 0 || (size > 0 && !data))
        return Fail(ERROR_INVALID_PARAMETER);
    const LocaleInfo* info = Find(locale);
    if (!info)
        return Fail(ERROR_INVALID_PARAMETER);

    const wchar_t* text = nullptr;
    switch (type & ~LOCALE_NOUSEROVERRIDE) {
    case LOCALE_SABBREVLANGNAME:
        text = info->abbreviation;
        break;
    case LOCALE_SENGLANGUAGE:
        text = info->englishLanguage;
        break;
    case LOCALE_SDECIMAL:
        text = info->decimal;
        break;
    case LOCALE_STHOUSAND:
        text = info->thousand;
        break;
    default:
        return Fail(ERROR_INVALID_FLAGS);
    }
    const int needed = static_cast<int>(std::wcslen(text)) + 1;
    if (size == 0)
        return needed;
    if (size < needed)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::wmemcpy(data, text, static_cast<size_t>(needed));
    return needed;
}

extern "C" LCID GetUserDefaultLCID() {
    return g_threadLocale;
}

extern "C" LCID GetThreadLocale() {
    return g_threadLocale;
}

extern "C" BOOL SetThreadLocale(LCID locale) {
    const LocaleInfo* info = Find(locale);
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    g_threadLocale = info->lcid;
    return TRUE;
}
