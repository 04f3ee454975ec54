// The one formatter behind FormatMessageW, CString::FormatMessage and CString::Format.
// Message patterns follow FormatMessage's insert rules (%1..%99, %1!d!, %0, %n, ...);
// printf formats follow the Microsoft C runtime's wide rules (%s is a wide string,
// %S a narrow one, %d and %ld read 32 bits), never glibc's.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "platform/base/WinTypes.h"

constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;

// Only FORMAT_MESSAGE_FROM_STRING, optionally with FORMAT_MESSAGE_ARGUMENT_ARRAY (then
// `arguments` points at DWORD_PTR values: text pointers for %n and !s!, integers for
// !d!); without it, `arguments` is a va_list. Any other flag fails with
// ERROR_INVALID_PARAMETER. Returns the characters stored without the terminating null;
// 0 with ERROR_INSUFFICIENT_BUFFER when `buffer` is too small, ERROR_NO_WORK_DONE for
// an empty result, ERROR_INVALID_PARAMETER for a malformed pattern or inserts without
// arguments.
extern "C" DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                                DWORD size, va_list* arguments);

class CMessageFormat {
public:
    // One insert value: text, or a signed or unsigned integer.
    struct Arg {
        Arg(const wchar_t* text) : value(std::wstring(text ? text : L"")) {}
        Arg(std::wstring text) : value(std::move(text)) {}
        template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>> Arg(T number) {
            if constexpr (std::is_signed_v<T>)
                value = static_cast<std::int64_t>(number);
            else
                value = static_cast<std::uint64_t>(number);
        }
        std::variant<std::wstring, std::int64_t, std::uint64_t> value;
    };

    // Message patterns. An insert whose number exceeds the arguments, and a malformed
    // insert, are kept as their literal text. A text argument used with a numeric
    // format is read as a decimal number; a number used with !s! prints in decimal.
    static std::wstring Format(const wchar_t* pattern, const std::vector<std::wstring>& args);
    static std::wstring Format(const wchar_t* pattern, const std::vector<Arg>& args);
    // Arguments read from a va_list as FormatMessage reads them: in order %1, %2, ...,
    // each with the type of the first insert naming it (a number no insert names is
    // skipped as one pointer-sized argument).
    static std::wstring FormatV(const wchar_t* pattern, va_list args);

    // Microsoft's wide printf. An unknown conversion is copied literally.
    static std::wstring PrintfV(const wchar_t* format, va_list args);
};
