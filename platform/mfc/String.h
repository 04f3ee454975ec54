// The framework's wide string (CStringW). Indices and lengths are int, and the
// operations clamp out-of-range arguments as the framework does instead of failing.
#pragma once

#include <cstdarg>
#include <string>
#include <type_traits>

#include "platform/base/WinTypes.h"

class CString {
public:
    CString() = default;
    CString(const wchar_t* text);             // null is the empty string
    CString(const wchar_t* text, int length); // the first `length` characters
    explicit CString(wchar_t ch, int repeat = 1);
    CString(const char* utf8); // converted from UTF-8; null is the empty string
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* text);
    CString& operator=(wchar_t ch);
    CString& operator=(const char* utf8);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Index GetLength() reads the terminating null; indices outside [0, GetLength()]
    // read 0 (the framework throws there).
    wchar_t GetAt(int index) const;
    wchar_t operator[](int index) const { return GetAt(index); }
    // Ignored outside [0, GetLength()).
    void SetAt(int index, wchar_t ch);

    operator const wchar_t*() const { return m_text.c_str(); }
    const wchar_t* GetString() const { return m_text.c_str(); }

    CString& operator+=(const CString& other);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);

    // Ordinal comparison up to the first null, as wcscmp: negative, 0 or positive.
    int Compare(const wchar_t* other) const;
    // Compares characters folded with towlower.
    int CompareNoCase(const wchar_t* other) const;

    // -1 when absent or when `start` is out of range (a character search needs
    // start < length, a substring search start <= length; an empty substring is
    // found at `start`).
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* charSet) const;

    // A negative count is 0; a count beyond the end takes the whole rest.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Each returns how many occurrences were replaced or removed. Replacing a
    // character by itself and replacing an empty text both replace nothing.
    int Replace(wchar_t oldCh, wchar_t newCh);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    // An index below 0 inserts at the start, one beyond the end appends. Both return
    // the new length.
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    // White space as iswspace sees it; or one character; or any character of a set.
    CString& Trim();
    CString& Trim(wchar_t target);
    CString& Trim(const wchar_t* targets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t target);
    CString& TrimLeft(const wchar_t* targets);
    CString& TrimRight();
    CString& TrimRight(wchar_t target);
    CString& TrimRight(const wchar_t* targets);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // The leading characters that are (Including) or are not (Excluding) in the set.
    CString SpanIncluding(const wchar_t* charSet) const;
    CString SpanExcluding(const wchar_t* charSet) const;
    // The next token from `start`, skipping leading delimiters; `start` moves past
    // the token's delimiter, or becomes -1 (with an empty result) when none is left.
    CString Tokenize(const wchar_t* tokens, int& start) const;

    // A writable buffer of at least `minLength` characters plus a null; until
    // ReleaseBuffer the length is the buffer's. ReleaseBuffer(-1) takes the length up
    // to the first null.
    wchar_t* GetBuffer();
    wchar_t* GetBuffer(int minLength);
    wchar_t* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // A new BSTR holding the whole text (embedded nulls included); the caller frees it.
    BSTR AllocSysString() const;

    // Microsoft printf rules: %s is a wide string, %S a narrow (UTF-8) one, %d and %ld
    // read 32 bits. A CString argument is passed on as its text.
    template <typename... Args> void Format(const wchar_t* format, const Args&... args) {
        FormatArgs(format, VarArg(args)...);
    }
    template <typename... Args> void AppendFormat(const wchar_t* format, const Args&... args) {
        AppendFormatArgs(format, VarArg(args)...);
    }
    void FormatV(const wchar_t* format, va_list args);
    void AppendFormatV(const wchar_t* format, va_list args);

    // FormatMessage inserts (%1, %1!d!, ...) read from the arguments in order.
    template <typename... Args> void FormatMessage(const wchar_t* format, const Args&... args) {
        FormatMessageArgs(format, VarArg(args)...);
    }
    void FormatMessageV(const wchar_t* format, va_list args);

private:
    // A class object must not travel through "..."; a CString goes as its text.
    static const wchar_t* VarArg(const CString& text) { return text.GetString(); }
    template <typename T> static T VarArg(T value) {
        static_assert(std::is_trivially_copyable_v<T>, "pass text to a format as const wchar_t*");
        return value;
    }
    void FormatArgs(const wchar_t* format, ...);
    void AppendFormatArgs(const wchar_t* format, ...);
    void FormatMessageArgs(const wchar_t* format, ...);

    std::wstring m_text;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const wchar_t* right);
CString operator+(const wchar_t* left, const CString& right);
CString operator+(const CString& left, wchar_t right);
CString operator+(wchar_t left, const CString& right);

bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, const wchar_t* right);
bool operator==(const wchar_t* left, const CString& right);
bool operator!=(const CString& left, const CString& right);
bool operator!=(const CString& left, const wchar_t* right);
bool operator!=(const wchar_t* left, const CString& right);
bool operator<(const CString& left, const CString& right);
bool operator<(const CString& left, const wchar_t* right);
bool operator<(const wchar_t* left, const CString& right);
