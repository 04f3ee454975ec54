// Conversions at the boundaries where Windows text meets bytes: UTF-8 for Linux
// file names and logs, UTF-16 for resources and payloads (wchar_t is UTF-32 here).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CTextCodec {
public:
    static std::string ToUtf8(const std::wstring& text);
    static std::wstring FromUtf8(const std::string& text);
    // UTF-16 code units (surrogate pairs joined); an unpaired surrogate is kept as is.
    static std::wstring FromUtf16(const char16_t* units, size_t count);
    static std::u16string ToUtf16(const std::wstring& text);
};
