#include "platform/kernel/MessageFormat.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <optional>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"

namespace {

// Length modifiers as the Microsoft runtime spells them.
enum class Modifier { None, hh, h, l, ll, L, w, I, I32, I64, z, j, t };

enum class Kind { Signed, Unsigned, Float, Text, Char, Pointer };

struct FormatItem {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alt = false;
    int width = -1; // -1: none
    bool widthFromArgs = false;
    int precision = -1; // -1: none
    bool precisionFromArgs = false;
    Modifier modifier = Modifier::None;
    wchar_t conversion = L's';
    Kind kind = Kind::Text;
};

// An argument as read from its source. Integers keep their raw bits; a conversion
// narrows them to the width its modifier names.
struct Value {
    Kind kind = Kind::Text;
    std::uint64_t bits = 0;
    double real = 0;
    std::wstring text;
    bool null = false;
};

std::optional<Kind> KindOf(wchar_t c) {
    switch (c) {
    case L'd':
    case L'i':
        return Kind::Signed;
    case L'u':
    case L'o':
    case L'x':
    case L'X':
        return Kind::Unsigned;
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G':
        return Kind::Float;
    case L's':
    case L'S':
        return Kind::Text;
    case L'c':
    case L'C':
        return Kind::Char;
    case L'p':
        return Kind::Pointer;
    default:
        return std::nullopt;
    }
}

int ParseNumber(const wchar_t*& p) {
    int value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
        value = value > (INT_MAX - 9) / 10 ? INT_MAX : value * 10 + (*p - L'0');
    return value;
}

// Flags, width, precision, modifier and conversion, starting just after '%'.
// Returns the characters consumed; 0 when no known conversion ends the item.
size_t ParseConversion(const wchar_t* p, FormatItem& item) {
    const wchar_t* start = p;
    for (;; ++p) {
        if (*p == L'-')
            item.left = true;
        else if (*p == L'+')
            item.plus = true;
        else if (*p == L' ')
            item.space = true;
        else if (*p == L'0')
            item.zero = true;
        else if (*p == L'#')
            item.alt = true;
        else
            break;
    }
    if (*p == L'*') {
        item.widthFromArgs = true;
        ++p;
    } else if (*p >= L'0' && *p <= L'9') {
        item.width = ParseNumber(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            item.precisionFromArgs = true;
            ++p;
        } else {
            item.precision = ParseNumber(p); // "." alone means precision 0
        }
    }
    if (p[0] == L'h' && p[1] == L'h') {
        item.modifier = Modifier::hh;
        p += 2;
    } else if (p[0] == L'l' && p[1] == L'l') {
        item.modifier = Modifier::ll;
        p += 2;
    } else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        item.modifier = Modifier::I64;
        p += 3;
    } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
        item.modifier = Modifier::I32;
        p += 3;
    } else {
        switch (*p) {
        case L'h':
            item.modifier = Modifier::h;
            break;
        case L'l':
            item.modifier = Modifier::l;
            break;
        case L'L':
            item.modifier = Modifier::L;
            break;
        case L'w':
            item.modifier = Modifier::w;
            break;
        case L'I':
            item.modifier = Modifier::I;
            break;
        case L'z':
            item.modifier = Modifier::z;
            break;
        case L'j':
            item.modifier = Modifier::j;
            break;
        case L't':
            item.modifier = Modifier::t;
            break;
        default:
            break;
        }
        if (item.modifier != Modifier::None)
            ++p;
    }
    const std::optional<Kind> kind = KindOf(*p);
    if (!kind)
        return 0;
    item.kind = *kind;
    item.conversion = *p;
    return static_cast<size_t>(p + 1 - start);
}

// Windows' long is 32 bits, so %ld reads what %d reads; I, z, j and t are pointer-sized.
int IntegerBits(const FormatItem& item) {
    switch (item.modifier) {
    case Modifier::hh:
        return 8;
    case Modifier::h:
        return 16;
    case Modifier::ll:
    case Modifier::I64:
    case Modifier::I:
    case Modifier::z:
    case Modifier::j:
    case Modifier::t:
        return 64;
    default:
        return 32;
    }
}

// In a wide format %s and %c are wide, %S and %C narrow; h forces narrow, l and w wide.
bool IsNarrow(const FormatItem& item) {
    switch (item.modifier) {
    case Modifier::h:
    case Modifier::hh:
        return true;
    case Modifier::l:
    case Modifier::w:
    case Modifier::ll:
        return false;
    default:
        return item.conversion == L'S' || item.conversion == L'C';
    }
}

std::int64_t SignExtend(std::uint64_t raw, int bits) {
    switch (bits) {
    case 8:
        return static_cast<std::int8_t>(raw);
    case 16:
        return static_cast<std::int16_t>(raw);
    case 32:
        return static_cast<std::int32_t>(raw);
    default:
        return static_cast<std::int64_t>(raw);
    }
}

std::uint64_t ZeroExtend(std::uint64_t raw, int bits) {
    return bits >= 64 ? raw : raw & ((std::uint64_t{1} << bits) - 1);
}

Value TextValue(const wchar_t* text) {
    Value v;
    v.kind = Kind::Text;
    if (text)
        v.text = text;
    else
        v.null = true;
    return v;
}

Value NarrowTextValue(const char* text) {
    Value v;
    v.kind = Kind::Text;
    if (text)
        v.text = CTextCodec::FromUtf8(text);
    else
        v.null = true;
    return v;
}

Value BitsValue(Kind kind, std::uint64_t bits) {
    Value v;
    v.kind = kind;
    v.bits = bits;
    return v;
}

// A va_list inside a struct can be handed to helpers by reference on every ABI.
struct ArgList {
    va_list ap;
};

Value ReadArg(const FormatItem& item, ArgList& list) {
    switch (item.kind) {
    case Kind::Signed:
    case Kind::Unsigned:
        if (IntegerBits(item) == 64)
            return BitsValue(item.kind, va_arg(list.ap, unsigned long long));
        return BitsValue(item.kind, va_arg(list.ap, unsigned int));
    case Kind::Float: {
        Value v;
        v.kind = Kind::Float;
        v.real = va_arg(list.ap, double);
        return v;
    }
    case Kind::Text:
        if (IsNarrow(item))
            return NarrowTextValue(va_arg(list.ap, const char*));
        return TextValue(va_arg(list.ap, const wchar_t*));
    case Kind::Char:
        return BitsValue(Kind::Char, static_cast<unsigned int>(va_arg(list.ap, int)));
    case Kind::Pointer:
        return BitsValue(Kind::Pointer, reinterpret_cast<std::uintptr_t>(va_arg(list.ap, void*)));
    }
    return {};
}

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// Number pieces only: the narrow format is built here from a parsed item, never
// passed through from a caller.
template <typename T> std::wstring NarrowPrintf(const std::string& format, T value) {
    const int needed = std::snprintf(nullptr, 0, format.c_str(), value);
    if (needed <= 0)
        return {};
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(out.data(), out.size(), format.c_str(), value);
    out.resize(static_cast<size_t>(needed));
    return Widen(out);
}

std::string NarrowConversion(const FormatItem& item, const char* modifier, char conversion) {
    std::string format = "%";
    if (item.left)
        format += '-';
    if (item.plus)
        format += '+';
    if (item.space)
        format += ' ';
    if (item.zero)
        format += '0';
    if (item.alt)
        format += '#';
    if (item.width >= 0)
        format += std::to_string(item.width);
    if (item.precision >= 0)
        format += "." + std::to_string(item.precision);
    format += modifier;
    format += conversion;
    return format;
}

// The Microsoft runtime pads text with zeros too when the 0 flag is given.
std::wstring Pad(std::wstring body, const FormatItem& item) {
    if (item.width <= 0 || body.size() >= static_cast<size_t>(item.width))
        return body;
    const size_t fill = static_cast<size_t>(item.width) - body.size();
    if (item.left)
        return body + std::wstring(fill, L' ');
    return std::wstring(fill, item.zero ? L'0' : L' ') + body;
}

std::uint64_t IntegerOf(const Value& v) {
    switch (v.kind) {
    case Kind::Text:
        return v.null ? 0 : static_cast<std::uint64_t>(std::wcstoll(v.text.c_str(), nullptr, 10));
    case Kind::Float:
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(v.real));
    default:
        return v.bits;
    }
}

double RealOf(const Value& v) {
    switch (v.kind) {
    case Kind::Float:
        return v.real;
    case Kind::Text:
        return v.null ? 0 : std::wcstod(v.text.c_str(), nullptr);
    case Kind::Signed:
        return static_cast<double>(static_cast<std::int64_t>(v.bits));
    default:
        return static_cast<double>(v.bits);
    }
}

std::wstring TextOf(const Value& v) {
    switch (v.kind) {
    case Kind::Text:
        return v.null ? L"(null)" : v.text;
    case Kind::Signed:
        return std::to_wstring(static_cast<std::int64_t>(v.bits));
    case Kind::Char:
        return std::wstring(1, static_cast<wchar_t>(v.bits));
    default:
        return std::to_wstring(v.bits);
    }
}

std::wstring FormatValue(const FormatItem& item, const Value& v) {
    switch (item.kind) {
    case Kind::Signed: {
        const std::int64_t n = SignExtend(IntegerOf(v), IntegerBits(item));
        return NarrowPrintf(NarrowConversion(item, "ll", 'd'), static_cast<long long>(n));
    }
    case Kind::Unsigned: {
        const std::uint64_t n = ZeroExtend(IntegerOf(v), IntegerBits(item));
        return NarrowPrintf(NarrowConversion(item, "ll", static_cast<char>(item.conversion)),
                            static_cast<unsigned long long>(n));
    }
    case Kind::Float:
        return NarrowPrintf(NarrowConversion(item, "", static_cast<char>(item.conversion)), RealOf(v));
    case Kind::Text: {
        std::wstring body = TextOf(v);
        if (item.precision >= 0 && body.size() > static_cast<size_t>(item.precision))
            body.resize(static_cast<size_t>(item.precision));
        return Pad(std::move(body), item);
    }
    case Kind::Char: {
        if (v.kind == Kind::Text)
            return Pad(v.text.substr(0, 1), item);
        // A narrow character is taken as Latin-1 (Windows would use the ANSI code page).
        const wchar_t c = IsNarrow(item) ? static_cast<wchar_t>(static_cast<unsigned char>(v.bits))
                                         : static_cast<wchar_t>(v.bits);
        return Pad(std::wstring(1, c), item);
    }
    case Kind::Pointer: {
        // As on 64-bit Windows: sixteen upper-case hexadecimal digits, no prefix.
        return Pad(NarrowPrintf(std::string("%016llX"), static_cast<unsigned long long>(IntegerOf(v))), item);
    }
    }
    return {};
}

// ---- message patterns ----

struct Token {
    enum class Type { Literal, Insert, Malformed };
    Type type = Type::Literal;
    std::wstring text; // Literal: the output; Insert and Malformed: the pattern's own text
    int number = 0;
    FormatItem item;
};

// Splits a pattern into literal output and inserts, applying the escapes and %0.
std::vector<Token> Tokenize(const wchar_t* pattern) {
    std::vector<Token> tokens;
    std::wstring literal;
    auto add = [&tokens](Token::Type type, std::wstring text) {
        Token token;
        token.type = type;
        token.text = std::move(text);
        tokens.push_back(std::move(token));
    };
    auto push = [&](Token::Type type, std::wstring text) {
        if (!literal.empty())
            add(Token::Type::Literal, std::move(literal));
        literal.clear();
        add(type, std::move(text));
    };
    for (const wchar_t* p = pattern; *p;) {
        const wchar_t c = *p;
        if (c == L'\r' || c == L'\n') {
            // The pattern's own line breaks come out as CR LF, as Windows writes them.
            literal += L"\r\n";
            p += (c == L'\r' && p[1] == L'\n') ? 2 : 1;
            continue;
        }
        if (c != L'%') {
            literal += c;
            ++p;
            continue;
        }
        const wchar_t e = p[1];
        if (e == 0) {
            push(Token::Type::Malformed, L"%");
            break;
        }
        if (e == L'0')
            break;
        if (e >= L'1' && e <= L'9') {
            const wchar_t* start = p;
            int number = e - L'0';
            p += 2;
            if (*p >= L'0' && *p <= L'9')
                number = number * 10 + (*p++ - L'0');
            FormatItem item;
            if (*p == L'!') {
                const wchar_t* close = std::wcschr(p + 1, L'!');
                if (!close) {
                    push(Token::Type::Malformed, start);
                    break;
                }
                const std::wstring conversionText(p + 1, close);
                p = close + 1;
                const size_t used = ParseConversion(conversionText.c_str(), item);
                // FormatMessage has no floating point; '*' widths are not offered.
                if (used == 0 || used != conversionText.size() || item.widthFromArgs || item.precisionFromArgs ||
                    item.kind == Kind::Float) {
                    push(Token::Type::Malformed, std::wstring(start, p));
                    continue;
                }
            }
            push(Token::Type::Insert, std::wstring(start, p));
            tokens.back().number = number;
            tokens.back().item = item;
            continue;
        }
        switch (e) {
        case L'n':
            literal += L"\r\n";
            break;
        case L'r':
            literal += L'\r';
            break;
        case L't':
            literal += L'\t';
            break;
        case L'b':
            literal += L' ';
            break;
        default: // "%%", "%.", "%!", "% " and any other character stand for themselves
            literal += e;
            break;
        }
        p += 2;
    }
    if (!literal.empty())
        add(Token::Type::Literal, std::move(literal));
    return tokens;
}

class InsertSource {
public:
    virtual ~InsertSource() = default;
    // The argument of insert `number` as `item` reads it; nullopt when there is none.
    virtual std::optional<Value> Get(int number, const FormatItem& item) const = 0;
};

class TextArgs : public InsertSource {
public:
    explicit TextArgs(const std::vector<std::wstring>& args) : m_args(args) {}
    std::optional<Value> Get(int number, const FormatItem&) const override {
        if (static_cast<size_t>(number) > m_args.size())
            return std::nullopt;
        return TextValue(m_args[static_cast<size_t>(number) - 1].c_str());
    }

private:
    const std::vector<std::wstring>& m_args;
};

class VariantArgs : public InsertSource {
public:
    explicit VariantArgs(const std::vector<CMessageFormat::Arg>& args) : m_args(args) {}
    std::optional<Value> Get(int number, const FormatItem&) const override {
        if (static_cast<size_t>(number) > m_args.size())
            return std::nullopt;
        const auto& value = m_args[static_cast<size_t>(number) - 1].value;
        if (const auto* text = std::get_if<std::wstring>(&value))
            return TextValue(text->c_str());
        if (const auto* n = std::get_if<std::int64_t>(&value))
            return BitsValue(Kind::Signed, static_cast<std::uint64_t>(*n));
        return BitsValue(Kind::Unsigned, std::get<std::uint64_t>(value));
    }

private:
    const std::vector<CMessageFormat::Arg>& m_args;
};

// FORMAT_MESSAGE_ARGUMENT_ARRAY: one DWORD_PTR per insert; its length is the caller's affair.
class ArrayArgs : public InsertSource {
public:
    explicit ArrayArgs(const DWORD_PTR* args) : m_args(args) {}
    std::optional<Value> Get(int number, const FormatItem& item) const override {
        if (!m_args)
            return std::nullopt;
        const DWORD_PTR raw = m_args[number - 1];
        if (item.kind == Kind::Text) {
            if (IsNarrow(item))
                return NarrowTextValue(reinterpret_cast<const char*>(raw));
            return TextValue(reinterpret_cast<const wchar_t*>(raw));
        }
        return BitsValue(Kind::Unsigned, raw);
    }

private:
    const DWORD_PTR* m_args;
};

class ValueArgs : public InsertSource {
public:
    explicit ValueArgs(std::vector<Value> values) : m_values(std::move(values)) {}
    std::optional<Value> Get(int number, const FormatItem&) const override {
        if (static_cast<size_t>(number) > m_values.size())
            return std::nullopt;
        return m_values[static_cast<size_t>(number) - 1];
    }

private:
    std::vector<Value> m_values;
};

// Reads %1 .. %highest from a va_list in order; a number that no insert names is
// skipped as one pointer-sized argument.
std::vector<Value> ReadVaList(const std::vector<Token>& tokens, va_list args) {
    std::map<int, FormatItem> firstUse;
    int highest = 0;
    for (const Token& t : tokens) {
        if (t.type != Token::Type::Insert)
            continue;
        firstUse.emplace(t.number, t.item);
        highest = std::max(highest, t.number);
    }
    std::vector<Value> values;
    ArgList list;
    va_copy(list.ap, args);
    for (int n = 1; n <= highest; ++n) {
        const auto it = firstUse.find(n);
        if (it != firstUse.end())
            values.push_back(ReadArg(it->second, list));
        else
            values.push_back(
                BitsValue(Kind::Unsigned, reinterpret_cast<std::uintptr_t>(va_arg(list.ap, void*))));
    }
    va_end(list.ap);
    return values;
}

// Strict rendering (FormatMessageW) fails on a malformed pattern or a missing
// argument; lenient rendering keeps such pieces as their literal text.
std::optional<std::wstring> Render(const std::vector<Token>& tokens, const InsertSource& source,
                                   bool strict) {
    std::wstring out;
    for (const Token& t : tokens) {
        switch (t.type) {
        case Token::Type::Literal:
            out += t.text;
            break;
        case Token::Type::Malformed:
            if (strict)
                return std::nullopt;
            out += t.text;
            break;
        case Token::Type::Insert: {
            const std::optional<Value> value = source.Get(t.number, t.item);
            if (!value) {
                if (strict)
                    return std::nullopt;
                out += t.text;
            } else {
                out += FormatValue(t.item, *value);
            }
            break;
        }
        }
    }
    return out;
}

} // namespace

std::wstring CMessageFormat::Format(const wchar_t* pattern, const std::vector<std::wstring>& args) {
    if (!pattern)
        return {};
    return *Render(Tokenize(pattern), TextArgs(args), false);
}

std::wstring CMessageFormat::Format(const wchar_t* pattern, const std::vector<Arg>& args) {
    if (!pattern)
        return {};
    return *Render(Tokenize(pattern), VariantArgs(args), false);
}

std::wstring CMessageFormat::FormatV(const wchar_t* pattern, va_list args) {
    if (!pattern)
        return {};
    const std::vector<Token> tokens = Tokenize(pattern);
    return *Render(tokens, ValueArgs(ReadVaList(tokens, args)), false);
}

std::wstring CMessageFormat::PrintfV(const wchar_t* format, va_list args) {
    std::wstring out;
    if (!format)
        return out;
    ArgList list;
    va_copy(list.ap, args);
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        if (p[1] == L'%') {
            out += L'%';
            p += 2;
            continue;
        }
        FormatItem item;
        const size_t used = ParseConversion(p + 1, item);
        if (used == 0) {
            out += *p++;
            continue;
        }
        if (item.widthFromArgs) {
            const int width = va_arg(list.ap, int);
            if (width < 0)
                item.left = true;
            item.width = width == INT_MIN ? INT_MAX : std::abs(width);
        }
        if (item.precisionFromArgs) {
            const int precision = va_arg(list.ap, int);
            item.precision = precision < 0 ? -1 : precision;
        }
        out += FormatValue(item, ReadArg(item, list));
        p += 1 + used;
    }
    va_end(list.ap);
    return out;
}

extern "C" DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                                DWORD size, va_list* arguments) {
    const DWORD supported = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY;
    if (!(flags & FORMAT_MESSAGE_FROM_STRING) || (flags & ~supported) || !source || !buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::vector<Token> tokens = Tokenize(static_cast<const wchar_t*>(source));
    std::optional<std::wstring> text;
    if (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY)
        text = Render(tokens, ArrayArgs(reinterpret_cast<const DWORD_PTR*>(arguments)), true);
    else
        text = Render(tokens, ValueArgs(arguments ? ReadVaList(tokens, *arguments) : std::vector<Value>{}),
                      true);
    if (!text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (text->size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(text->begin(), text->end(), buffer);
    buffer[text->size()] = L'\0';
    if (text->empty()) {
        SetLastError(ERROR_NO_WORK_DONE);
        return 0;
    }
    return static_cast<DWORD>(text->size());
}
