#include "platform/mfc/String.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "platform/base/TextCodec.h"
#include "platform/kernel/MessageFormat.h"

// Declared by the automation part of the stand-in; named here so that strings need
// not include it.
extern "C" BSTR SysAllocStringLen(const wchar_t* text, UINT length);

namespace {

int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

bool InSet(const wchar_t* set, wchar_t ch) {
    return ch != 0 && std::wcschr(set, ch) != nullptr;
}

} // namespace

CString::CString(const wchar_t* text) : m_text(text ? text : L"") {}

CString::CString(const wchar_t* text, int length) {
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(wchar_t ch, int repeat) {
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const char* utf8) {
    if (utf8)
        m_text = CTextCodec::FromUtf8(utf8);
}

CString& CString::operator=(const wchar_t* text) {
    // The text may point into this string.
    m_text = std::wstring(text ? text : L"");
    return *this;
}

CString& CString::operator=(wchar_t ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator=(const char* utf8) {
    m_text = utf8 ? CTextCodec::FromUtf8(utf8) : std::wstring();
    return *this;
}

wchar_t CString::GetAt(int index) const {
    if (index < 0 || index > GetLength())
        return 0;
    return m_text.c_str()[index];
}

void CString::SetAt(int index, wchar_t ch) {
    if (index >= 0 && index < GetLength())
        m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    if (text)
        m_text += std::wstring(text);
    return *this;
}

CString& CString::operator+=(wchar_t ch) {
    m_text += ch;
    return *this;
}

int CString::Compare(const wchar_t* other) const {
    return Sign(std::wcscmp(m_text.c_str(), other ? other : L""));
}

int CString::CompareNoCase(const wchar_t* other) const {
    const wchar_t* a = m_text.c_str();
    const wchar_t* b = other ? other : L"";
    for (;; ++a, ++b) {
        const wint_t ca = std::towlower(static_cast<wint_t>(*a));
        const wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || start >= GetLength())
        return -1;
    const size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const {
    const size_t at = m_text.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const wchar_t* charSet) const {
    if (!charSet || !*charSet)
        return -1;
    const size_t at = m_text.find_first_of(charSet);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
    CString result;
    result.m_text = m_text.substr(0, static_cast<size_t>(std::clamp(count, 0, GetLength())));
    return result;
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    CString result;
    result.m_text = m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    return result;
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    CString result;
    result.m_text = m_text.substr(static_cast<size_t>(GetLength() - count));
    return result;
}

int CString::Replace(wchar_t oldCh, wchar_t newCh) {
    if (oldCh == newCh)
        return 0;
    int count = 0;
    for (wchar_t& c : m_text) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    if (!oldText || !*oldText)
        return 0;
    const std::wstring from(oldText);
    const std::wstring to(newText ? newText : L"");
    std::wstring result;
    int count = 0;
    size_t pos = 0;
    for (size_t at; (at = m_text.find(from, pos)) != std::wstring::npos; pos = at + from.size()) {
        result.append(m_text, pos, at - pos);
        result += to;
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(m_text, pos, std::wstring::npos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(wchar_t ch) {
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, wchar_t ch) {
    m_text.insert(static_cast<size_t>(std::clamp(index, 0, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text) {
    if (text)
        m_text.insert(static_cast<size_t>(std::clamp(index, 0, GetLength())), std::wstring(text));
    return GetLength();
}

int CString::Delete(int index, int count) {
    index = std::max(index, 0);
    if (index < GetLength() && count > 0)
        m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(wchar_t target) {
    return TrimRight(target).TrimLeft(target);
}
CString& CString::Trim(const wchar_t* targets) {
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::TrimLeft() {
    const auto first = std::find_if(m_text.begin(), m_text.end(),
                                    [](wchar_t c) { return !std::iswspace(static_cast<wint_t>(c)); });
    m_text.erase(m_text.begin(), first);
    return *this;
}

CString& CString::TrimLeft(wchar_t target) {
    m_text.erase(0, std::min(m_text.find_first_not_of(target), m_text.size()));
    return *this;
}

CString& CString::TrimLeft(const wchar_t* targets) {
    if (!targets || !*targets)
        return *this;
    m_text.erase(0, std::min(m_text.find_first_not_of(targets), m_text.size()));
    return *this;
}

CString& CString::TrimRight() {
    while (!m_text.empty() && std::iswspace(static_cast<wint_t>(m_text.back())))
        m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(wchar_t target) {
    while (!m_text.empty() && m_text.back() == target)
        m_text.pop_back();
    return *this;
}

CString& CString::TrimRight(const wchar_t* targets) {
    if (!targets || !*targets)
        return *this;
    while (!m_text.empty() && InSet(targets, m_text.back()))
        m_text.pop_back();
    return *this;
}

CString& CString::MakeUpper() {
    for (wchar_t& c : m_text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (wchar_t& c : m_text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString CString::SpanIncluding(const wchar_t* charSet) const {
    if (!charSet)
        return CString();
    return Left(static_cast<int>(std::wcsspn(m_text.c_str(), charSet)));
}

CString CString::SpanExcluding(const wchar_t* charSet) const {
    if (!charSet)
        return *this;
    return Left(static_cast<int>(std::wcscspn(m_text.c_str(), charSet)));
}

CString CString::Tokenize(const wchar_t* tokens, int& start) const {
    if (start < 0) {
        start = -1;
        return CString();
    }
    // Without delimiters the rest is the token and `start` stays, as in the framework.
    if (!tokens || !*tokens) {
        if (start < GetLength())
            return Mid(start);
    } else if (start < GetLength()) {
        const wchar_t* place = m_text.c_str() + start;
        const int including = static_cast<int>(std::wcsspn(place, tokens));
        if (start + including < GetLength()) {
            const int from = start + including;
            const int length = static_cast<int>(std::wcscspn(place + including, tokens));
            start = from + length + 1;
            return Mid(from, length);
        }
    }
    start = -1;
    return CString();
}

wchar_t* CString::GetBuffer() {
    return m_text.data();
}

wchar_t* CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

wchar_t* CString::GetBufferSetLength(int length) {
    m_text.resize(static_cast<size_t>(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    // The buffer always ends in a null of std::wstring's own, so the scan stops.
    if (newLength < 0)
        newLength = static_cast<int>(std::wcslen(m_text.c_str()));
    m_text.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

BSTR CString::AllocSysString() const {
    return SysAllocStringLen(m_text.data(), static_cast<UINT>(m_text.size()));
}

void CString::FormatV(const wchar_t* format, va_list args) {
    m_text = CMessageFormat::PrintfV(format, args);
}

void CString::AppendFormatV(const wchar_t* format, va_list args) {
    m_text += CMessageFormat::PrintfV(format, args);
}

// The framework fails (throws) when the message comes out empty; here it is just empty.
void CString::FormatMessageV(const wchar_t* format, va_list args) {
    m_text = CMessageFormat::FormatV(format, args);
}

void CString::FormatArgs(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormatArgs(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::FormatMessageArgs(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatMessageV(format, args);
    va_end(args);
}

CString operator+(const CString& left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, const wchar_t* right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const wchar_t* left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, wchar_t right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(wchar_t left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

bool operator==(const CString& left, const CString& right) {
    return left.Compare(right) == 0;
}
bool operator==(const CString& left, const wchar_t* right) {
    return left.Compare(right) == 0;
}
bool operator==(const wchar_t* left, const CString& right) {
    return right.Compare(left) == 0;
}
bool operator!=(const CString& left, const CString& right) {
    return left.Compare(right) != 0;
}
bool operator!=(const CString& left, const wchar_t* right) {
    return left.Compare(right) != 0;
}
bool operator!=(const wchar_t* left, const CString& right) {
    return right.Compare(left) != 0;
}
bool operator<(const CString& left, const CString& right) {
    return left.Compare(right) < 0;
}
bool operator<(const CString& left, const wchar_t* right) {
    return left.Compare(right) < 0;
}
bool operator<(const wchar_t* left, const CString& right) {
    return right.Compare(left) > 0;
}
