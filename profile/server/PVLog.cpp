#include "profile/server/PVLog.h"

#include <cctype>
#include <string_view>

#include "logger/AopLog.h"
#include "platform/base/TextCodec.h"

std::wstring PVLogQualifiedName(const char* prettyFunction) {
    std::string_view text(prettyFunction ? prettyFunction : "");
    // The name ends at the parameter list: the first '(' outside template brackets.
    int depth = 0;
    size_t end = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        else if (c == '(' && depth == 0) {
            end = i;
            break;
        }
    }
    // It starts after the last blank outside template brackets (after the return type).
    depth = 0;
    size_t begin = 0;
    for (size_t i = end; i-- > 0;) {
        char c = text[i];
        if (c == '>')
            ++depth;
        else if (c == '<')
            --depth;
        else if (c == ' ' && depth == 0) {
            begin = i + 1;
            break;
        }
    }
    std::string name(text.substr(begin, end - begin));
    // Template arguments of the class are not part of the name the log shows.
    std::string plain;
    depth = 0;
    for (char c : name) {
        if (c == '<')
            ++depth;
        else if (c == '>')
            --depth;
        else if (depth == 0)
            plain += c;
    }
    // Operators are named as the log names them: "CStrings::operator []".
    const std::string keyword = "::operator";
    if (size_t at = plain.find(keyword); at != std::string::npos) {
        const size_t after = at + keyword.size();
        if (after < plain.size() && !std::isalnum(static_cast<unsigned char>(plain[after])) &&
            plain[after] != ' ')
            plain = plain.substr(0, after) + " " + plain.substr(after);
    }
    return CTextCodec::FromUtf8(plain);
}

std::wstring PVLogSourceName(const char* fileName) {
    std::string_view path(fileName ? fileName : "");
    size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    size_t dot = path.find_last_of('.');
    if (dot != std::string_view::npos)
        path = path.substr(0, dot);
    return CTextCodec::FromUtf8(std::string(path));
}

void PVLog(const wchar_t* message, std::source_location where) {
    const std::wstring source = PVLogSourceName(where.file_name());
    const std::wstring function = PVLogQualifiedName(where.function_name());
    AopLog(0, message, source.c_str(), function.c_str(), static_cast<int>(where.line()));
}
