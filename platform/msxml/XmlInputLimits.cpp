#include "platform/msxml/XmlInputLimits.h"

#include <cwchar>
#include <string>
#include <vector>

#include "platform/base/HResult.h"

namespace {

bool IsXmlSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

bool StartsWith(const wchar_t* text, size_t length, size_t at, const wchar_t* prefix) {
    const size_t count = std::wcslen(prefix);
    return at + count <= length && std::wmemcmp(text + at, prefix, count) == 0;
}

// Where `end` is found at or after `from`, just past it; `length` when it is not.
size_t After(const wchar_t* text, size_t length, size_t from, const wchar_t* end) {
    const size_t count = std::wcslen(end);
    for (size_t i = from; i + count <= length; ++i)
        if (std::wmemcmp(text + i, end, count) == 0)
            return i + count;
    return length;
}

bool Refuse(const wchar_t* text, size_t at, const std::wstring& reason, XmlParseFailure* failure) {
    failure->code = E_FAIL;
    failure->reason = reason;
    failure->line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < at; ++i)
        if (text[i] == L'\n') {
            ++failure->line;
            lineStart = i + 1;
        }
    failure->linePosition = static_cast<LONG>(at - lineStart + 1);
    return false;
}

} // namespace

bool CXmlInputLimits::Check(const wchar_t* text, size_t length, XmlParseFailure* failure) {
    if (length > kMaxCharacters)
        return Refuse(text, 0,
                      L"The document is longer than " + std::to_wstring(kMaxCharacters) + L" characters.", failure);
    // Declarations made by each open element; their sum is what is in scope.
    std::vector<size_t> declared;
    size_t inScope = 0;
    size_t i = 0;
    while (i < length) {
        if (text[i] != L'<') {
            ++i;
            continue;
        }
        const size_t start = i;
        if (StartsWith(text, length, i, L"<!--")) {
            i = After(text, length, i + 4, L"-->");
        } else if (StartsWith(text, length, i, L"<![CDATA[")) {
            i = After(text, length, i + 9, L"]]>");
        } else if (StartsWith(text, length, i, L"<?")) {
            i = After(text, length, i + 2, L"?>");
        } else if (StartsWith(text, length, i, L"<!")) {
            return true; // a document type: the parser refuses it before reading past it
        } else if (StartsWith(text, length, i, L"</")) {
            if (!declared.empty()) {
                inScope -= declared.back();
                declared.pop_back();
            }
            i = After(text, length, i + 2, L">");
        } else {
            // A start tag: its attributes are counted by their '=' outside quoted values.
            size_t attributes = 0, declarations = 0, nameStart = i + 1;
            bool empty = false;
            for (++i; i < length && text[i] != L'>'; ++i) {
                if (text[i] == L'"' || text[i] == L'\'') {
                    const wchar_t quote = text[i];
                    while (++i < length && text[i] != quote) {
                    }
                } else if (text[i] == L'=') {
                    ++attributes;
                    declarations += StartsWith(text, length, nameStart, L"xmlns") ? 1 : 0;
                } else if (IsXmlSpace(text[i])) {
                    nameStart = i + 1;
                }
                empty = i < length && text[i] == L'/';
            }
            ++i;
            if (attributes > kMaxAttributes)
                return Refuse(text, start,
                              L"An element has more than " + std::to_wstring(kMaxAttributes) + L" attributes.",
                              failure);
            if (declared.size() + 1 > kMaxDepth)
                return Refuse(text, start,
                              L"Elements are nested deeper than " + std::to_wstring(kMaxDepth) + L" levels.",
                              failure);
            if (inScope + declarations > kMaxDeclarationsInScope)
                return Refuse(text, start,
                              L"More than " + std::to_wstring(kMaxDeclarationsInScope) +
                                  L" namespace declarations are in scope.",
                              failure);
            if (!empty) {
                declared.push_back(declarations);
                inScope += declarations;
            }
        }
    }
    return true;
}
