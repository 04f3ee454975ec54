#include "platform/registry/RegistryText.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/registry/Registry.h"

namespace {

constexpr size_t kUnit = sizeof(wchar_t);

struct TypeName {
    DWORD type;
    const wchar_t* name;
};
constexpr TypeName kTypeNames[] = {{REG_NONE, L"REG_NONE"},           {REG_SZ, L"REG_SZ"},
                                   {REG_EXPAND_SZ, L"REG_EXPAND_SZ"}, {REG_BINARY, L"REG_BINARY"},
                                   {REG_DWORD, L"REG_DWORD"},         {REG_MULTI_SZ, L"REG_MULTI_SZ"},
                                   {REG_QWORD, L"REG_QWORD"}};

bool Printable(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    return u >= 0x20 && u != 0x7F && !(u >= 0xD800 && u < 0xE000) && u <= 0x10FFFF;
}

std::wstring Hex(std::uint64_t value, int digits) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring out(static_cast<size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

std::wstring Quote(const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'"') {
            out += L'\\';
            out += c;
        } else if (Printable(c)) {
            out += c;
        } else {
            std::wstring digits = Hex(static_cast<std::uint32_t>(c), 8);
            digits.erase(0, std::min(digits.find_first_not_of(L'0'), digits.size() - 1));
            out += L"\\x{" + digits + L"}";
        }
    }
    return out + L"\"";
}

std::vector<wchar_t> Units(const std::vector<BYTE>& data) {
    std::vector<wchar_t> units(data.size() / kUnit);
    if (!units.empty())
        std::memcpy(units.data(), data.data(), units.size() * kUnit);
    return units;
}

void AppendUnits(std::vector<BYTE>* data, const std::wstring& text) {
    const size_t at = data->size();
    data->resize(at + (text.size() + 1) * kUnit);
    std::memcpy(data->data() + at, text.c_str(), (text.size() + 1) * kUnit);
}

// One string with its terminator and no other null: the form REG_SZ writers give.
bool AsSingleString(const std::vector<BYTE>& data, std::wstring* text) {
    if (data.size() % kUnit != 0 || data.empty())
        return false;
    std::vector<wchar_t> units = Units(data);
    if (units.back() != 0)
        return false;
    for (size_t i = 0; i + 1 < units.size(); ++i)
        if (units[i] == 0)
            return false;
    text->assign(units.begin(), units.end() - 1);
    return true;
}

// Non-empty strings, each terminated, then one more terminator.
bool AsStringList(const std::vector<BYTE>& data, std::vector<std::wstring>* list) {
    if (data.size() % kUnit != 0 || data.size() < 3 * kUnit)
        return false;
    std::vector<wchar_t> units = Units(data);
    if (units[units.size() - 1] != 0 || units[units.size() - 2] != 0)
        return false;
    std::wstring current;
    for (size_t i = 0; i + 1 < units.size(); ++i) {
        if (units[i] != 0) {
            current += units[i];
            continue;
        }
        if (current.empty())
            return false;
        list->push_back(current);
        current.clear();
    }
    return true;
}

std::wstring FormatValue(const CRegistryKey::Value& value) {
    std::wstring line = value.name.empty() ? L"@" : Quote(value.name);
    line += L'=';
    const wchar_t* typeName = nullptr;
    for (const TypeName& t : kTypeNames)
        if (t.type == value.type)
            typeName = t.name;
    line += typeName ? std::wstring(typeName) : L"type(" + std::to_wstring(value.type) + L")";
    line += L' ';

    std::wstring text;
    std::vector<std::wstring> list;
    if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ) && AsSingleString(value.data, &text))
        return line + Quote(text);
    if (value.type == REG_MULTI_SZ && AsStringList(value.data, &list)) {
        for (size_t i = 0; i < list.size(); ++i)
            line += (i ? L" " : L"") + Quote(list[i]);
        return line;
    }
    if ((value.type == REG_DWORD && value.data.size() == 4) ||
        (value.type == REG_QWORD && value.data.size() == 8)) {
        std::uint64_t number = 0;
        for (size_t i = value.data.size(); i-- > 0;)
            number = (number << 8) | value.data[i];
        return line + L"0x" + Hex(number, static_cast<int>(value.data.size() * 2));
    }
    line += L"hex:";
    for (size_t i = 0; i < value.data.size(); ++i)
        line += (i ? L"," : L"") + Hex(value.data[i], 2);
    return line;
}

void WriteKey(const std::wstring& path, const CRegistryKey& key, std::wstring* out) {
    *out += L"[" + path + L"]\n";
    for (const auto& [name, value] : key.ValueList())
        *out += FormatValue(value) + L"\n";
    *out += L"\n";
    for (const auto& [name, child] : key.ChildKeys())
        WriteKey(path + L"\\" + CRegistryText::EscapeKeyName(child->Name()), *child, out);
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads exactly `digits` hex digits (or, with digits 0, one or more) at `pos`.
bool ReadHex(const std::wstring& line, size_t* pos, size_t digits, std::uint64_t* value) {
    *value = 0;
    size_t n = 0;
    while (*pos < line.size() && HexDigit(line[*pos]) >= 0 && (digits == 0 || n < digits)) {
        if (n >= 16)
            return false;
        *value = (*value << 4) | static_cast<std::uint64_t>(HexDigit(line[*pos]));
        ++*pos;
        ++n;
    }
    return digits == 0 ? n > 0 : n == digits;
}

bool ReadQuoted(const std::wstring& line, size_t* pos, std::wstring* text) {
    if (*pos >= line.size() || line[*pos] != L'"')
        return false;
    ++*pos;
    text->clear();
    while (*pos < line.size()) {
        wchar_t c = line[(*pos)++];
        if (c == L'"')
            return true;
        if (c != L'\\') {
            *text += c;
            continue;
        }
        if (*pos >= line.size())
            return false;
        c = line[(*pos)++];
        if (c == L'\\' || c == L'"') {
            *text += c;
        } else if (c == L'x' && *pos < line.size() && line[*pos] == L'{') {
            ++*pos;
            std::uint64_t code = 0;
            if (!ReadHex(line, pos, 0, &code) || code > 0xFFFFFFFFu || *pos >= line.size() ||
                line[*pos] != L'}')
                return false;
            ++*pos;
            *text += static_cast<wchar_t>(static_cast<std::uint32_t>(code));
        } else {
            return false;
        }
    }
    return false;
}

bool ReadKeyName(const std::wstring& escaped, std::wstring* name) {
    name->clear();
    for (size_t i = 0; i < escaped.size();) {
        if (escaped[i] != L'%') {
            *name += escaped[i++];
            continue;
        }
        ++i;
        std::uint64_t code = 0;
        if (!ReadHex(escaped, &i, 8, &code))
            return false;
        *name += static_cast<wchar_t>(static_cast<std::uint32_t>(code));
    }
    return !name->empty();
}

std::shared_ptr<CRegistryKey> ReadKeyLine(const std::wstring& line, const CRegistryText::Roots& roots) {
    if (line.size() < 3 || line.back() != L']')
        return nullptr;
    const std::wstring path = line.substr(1, line.size() - 2);
    std::shared_ptr<CRegistryKey> key;
    size_t start = 0;
    while (true) {
        const size_t end = path.find(L'\\', start);
        const std::wstring part =
            path.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        std::wstring name;
        if (!ReadKeyName(part, &name))
            return nullptr;
        if (!key) {
            auto root = roots.find(name);
            if (root == roots.end())
                return nullptr;
            key = root->second;
        } else {
            key = key->AddChild(name, nullptr);
        }
        if (end == std::wstring::npos)
            return key;
        start = end + 1;
    }
}

bool ReadData(const std::wstring& line, size_t pos, DWORD type, std::vector<BYTE>* data) {
    if (line.compare(pos, 4, L"hex:") == 0) {
        pos += 4;
        while (pos < line.size()) {
            std::uint64_t byte = 0;
            if (!ReadHex(line, &pos, 2, &byte))
                return false;
            data->push_back(static_cast<BYTE>(byte));
            if (pos < line.size() && line[pos++] != L',')
                return false;
            if (pos == line.size() && line.back() == L',')
                return false;
        }
        return true;
    }
    if (line.compare(pos, 2, L"0x") == 0) {
        pos += 2;
        const size_t digits = line.size() - pos;
        std::uint64_t number = 0;
        if ((digits != 8 && digits != 16) || !ReadHex(line, &pos, digits, &number))
            return false;
        for (size_t i = 0; i < digits / 2; ++i, number >>= 8)
            data->push_back(static_cast<BYTE>(number & 0xFF));
        return true;
    }
    std::vector<std::wstring> list;
    while (pos < line.size()) {
        std::wstring text;
        if (!ReadQuoted(line, &pos, &text))
            return false;
        list.push_back(text);
        if (pos < line.size() && line[pos++] != L' ')
            return false;
    }
    if (list.empty())
        return false;
    if (type == REG_MULTI_SZ) {
        for (const std::wstring& text : list)
            AppendUnits(data, text);
        AppendUnits(data, L"");
        return true;
    }
    if (list.size() != 1)
        return false;
    AppendUnits(data, list.front());
    return true;
}

bool ReadValueLine(const std::wstring& line, CRegistryKey* key) {
    size_t pos = 0;
    std::wstring name;
    if (line[0] == L'@')
        pos = 1;
    else if (!ReadQuoted(line, &pos, &name) || name.empty())
        return false;
    if (pos >= line.size() || line[pos++] != L'=')
        return false;

    const size_t space = line.find(L' ', pos);
    if (space == std::wstring::npos)
        return false;
    const std::wstring typeName = line.substr(pos, space - pos);
    DWORD type = 0;
    bool known = false;
    for (const TypeName& t : kTypeNames)
        if (typeName == t.name)
            type = t.type, known = true;
    if (!known) {
        if (typeName.size() < 7 || typeName.compare(0, 5, L"type(") != 0 || typeName.back() != L')')
            return false;
        const std::wstring number = typeName.substr(5, typeName.size() - 6);
        if (number.empty() || number.size() > 10 ||
            number.find_first_not_of(L"0123456789") != std::wstring::npos)
            return false;
        const unsigned long long parsed = std::wcstoull(number.c_str(), nullptr, 10);
        if (parsed > 0xFFFFFFFFull)
            return false;
        type = static_cast<DWORD>(parsed);
    }
    std::vector<BYTE> data;
    if (!ReadData(line, space + 1, type, &data))
        return false;
    key->SetValue(name, type, std::move(data));
    return true;
}

} // namespace

std::wstring CRegistryText::EscapeKeyName(const std::wstring& name) {
    std::wstring out;
    for (wchar_t c : name) {
        if (c == L'%' || !Printable(c))
            out += L"%" + Hex(static_cast<std::uint32_t>(c), 8);
        else
            out += c;
    }
    return out;
}

std::wstring CRegistryText::Write(const std::wstring& path, const CRegistryKey& key) {
    std::wstring out;
    WriteKey(path, key, &out);
    return out;
}

bool CRegistryText::Read(const std::wstring& text, const Roots& roots, size_t* errorLine) {
    std::shared_ptr<CRegistryKey> current;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.empty() || line[0] == L';')
            continue;

        bool ok = false;
        if (line[0] == L'[') {
            current = ReadKeyLine(line, roots);
            ok = current != nullptr;
        } else if (current) {
            ok = ReadValueLine(line, current.get());
        }
        if (!ok) {
            if (errorLine)
                *errorLine = lineNumber;
            return false;
        }
    }
    return true;
}
