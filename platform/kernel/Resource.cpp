#include "platform/kernel/Resource.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Module.h"

namespace {

// A .res header: DataSize, HeaderSize, type, name (each an 0xFFFF-prefixed id or a
// terminated UTF-16 string), padding to a DWORD, then these 16 fixed bytes:
// DataVersion, MemoryFlags, LanguageId, Version, Characteristics.
constexpr size_t kSizesBytes = 8;
constexpr size_t kFixedTailBytes = 16;
constexpr size_t kLanguageOffsetInTail = 6;
constexpr size_t kSmallestHeader = kSizesBytes + 4 + 4 + kFixedTailBytes;

// Image bytes carry no alignment promise, so they are read by copying.
WORD ReadWord(const BYTE* p) {
    WORD value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

DWORD ReadDword(const BYTE* p) {
    DWORD value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

std::wstring UpperCase(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return text;
}

// Reads a type or a name at *cursor, never past limit.
bool ReadKey(const BYTE* data, size_t limit, size_t* cursor, CResourceTable::Key* key) {
    if (limit - *cursor < 2)
        return false;
    if (ReadWord(data + *cursor) == 0xFFFF) {
        if (limit - *cursor < 4)
            return false;
        key->id = ReadWord(data + *cursor + 2);
        *cursor += 4;
        return true;
    }
    std::u16string units;
    for (size_t at = *cursor; limit - at >= 2; at += 2) {
        const char16_t unit = ReadWord(data + at);
        if (unit == 0) {
            if (units.empty())
                return false;
            key->name = UpperCase(CTextCodec::FromUtf16(units.data(), units.size()));
            *cursor = at + 2;
            return true;
        }
        units += unit;
    }
    return false;
}

const CResourceTable* TableOf(HMODULE module) {
    const CModule* record = CModule::FromHandle(module);
    if (!record) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    const CResourceTable* table = record->Resources();
    if (!table)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return table;
}

const CResourceTable::Entry* EntryOf(HMODULE module, HRSRC resInfo) {
    const CResourceTable* table = TableOf(module);
    if (!table)
        return nullptr;
    if (!table->Owns(resInfo)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<const CResourceTable::Entry*>(resInfo);
}

constexpr WORD PrimaryLanguage(WORD language) {
    return language & 0x3FF;
}

} // namespace

CResourceTable::Key CResourceTable::Key::From(LPCWSTR value) {
    Key key;
    if (IS_INTRESOURCE(value)) {
        key.id = LOWORD(reinterpret_cast<ULONG_PTR>(value));
        return key;
    }
    // "#123" names the integer id 123, as Windows reads it.
    if (value[0] == L'#' && value[1] != L'\0') {
        DWORD id = 0;
        const wchar_t* p = value + 1;
        for (; *p >= L'0' && *p <= L'9' && id <= 0xFFFF; ++p)
            id = id * 10 + static_cast<DWORD>(*p - L'0');
        if (*p == L'\0' && id <= 0xFFFF) {
            key.id = static_cast<WORD>(id);
            return key;
        }
    }
    key.name = UpperCase(value);
    return key;
}

HRESULT CResourceTable::Parse(const BYTE* data, size_t size) {
    const HRESULT malformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    m_entries.clear();
    if (!data)
        return malformed;
    std::vector<Entry> entries;
    bool sawLeadingHeader = false;
    size_t offset = 0;
    while (offset < size) {
        const size_t left = size - offset;
        if (left < kSizesBytes)
            return malformed;
        const DWORD dataSize = ReadDword(data + offset);
        const DWORD headerSize = ReadDword(data + offset + 4);
        if (headerSize < kSmallestHeader || headerSize % 4 != 0 || headerSize > left)
            return malformed;
        if (dataSize > left - headerSize)
            return malformed;
        const size_t tail = offset + headerSize - kFixedTailBytes;
        size_t cursor = offset + kSizesBytes;
        Entry entry;
        if (!ReadKey(data, tail, &cursor, &entry.type) || !ReadKey(data, tail, &cursor, &entry.name))
            return malformed;
        entry.language = ReadWord(data + tail + kLanguageOffsetInTail);
        entry.data = data + offset + headerSize;
        entry.size = dataSize;
        if (!sawLeadingHeader) {
            // A 32-bit .res starts with an empty entry of type 0 and name 0; a 16-bit
            // one does not, and is not read.
            const bool empty =
                dataSize == 0 && headerSize == kSmallestHeader && entry.type == Key{} && entry.name == Key{};
            if (!empty)
                return malformed;
            sawLeadingHeader = true;
        } else {
            entries.push_back(std::move(entry));
        }
        // The next header starts on a DWORD boundary; the last entry may stop unpadded.
        offset += headerSize + dataSize;
        offset += (4 - offset % 4) % 4;
    }
    if (!sawLeadingHeader)
        return malformed;
    m_entries = std::move(entries);
    return S_OK;
}

const CResourceTable::Entry* CResourceTable::Find(const Key& type, const Key& name, WORD language,
                                                  DWORD* error) const {
    bool typeSeen = false;
    const Entry* first = nullptr;
    const Entry* neutral = nullptr;
    const Entry* exact = nullptr;
    for (const Entry& entry : m_entries) {
        if (!(entry.type == type))
            continue;
        typeSeen = true;
        if (!(entry.name == name))
            continue;
        if (!first)
            first = &entry;
        if (!exact && entry.language == language)
            exact = &entry;
        if (!neutral && PrimaryLanguage(entry.language) == LANG_NEUTRAL)
            neutral = &entry;
    }
    // A neutral request means "the thread's language": a library holds one language,
    // so the neutral entry or else the first one stands for it.
    const Entry* found = exact;
    if (!found && PrimaryLanguage(language) == LANG_NEUTRAL)
        found = neutral ? neutral : first;
    if (!found)
        *error = !typeSeen ? ERROR_RESOURCE_TYPE_NOT_FOUND
                 : !first  ? ERROR_RESOURCE_NAME_NOT_FOUND
                           : ERROR_RESOURCE_LANG_NOT_FOUND;
    return found;
}

bool CResourceTable::Owns(const void* entry) const {
    for (const Entry& own : m_entries)
        if (&own == entry)
            return true;
    return false;
}

extern "C" HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    return FindResourceExW(module, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

extern "C" HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    const CResourceTable* table = TableOf(module);
    if (!table)
        return nullptr;
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DWORD error = ERROR_SUCCESS;
    const CResourceTable::Entry* entry =
        table->Find(CResourceTable::Key::From(type), CResourceTable::Key::From(name), language, &error);
    if (!entry) {
        SetLastError(error);
        return nullptr;
    }
    return const_cast<CResourceTable::Entry*>(entry);
}

extern "C" HGLOBAL LoadResource(HMODULE module, HRSRC resInfo) {
    const CResourceTable::Entry* entry = EntryOf(module, resInfo);
    return entry ? const_cast<BYTE*>(entry->data) : nullptr;
}

// Resources are read-only bytes of the module; the handle is their address.
extern "C" LPVOID LockResource(HGLOBAL resData) {
    return resData;
}

extern "C" DWORD SizeofResource(HMODULE module, HRSRC resInfo) {
    const CResourceTable::Entry* entry = EntryOf(module, resInfo);
    return entry ? entry->size : 0;
}

// Obsolete since 32-bit Windows: nothing to free, and FALSE is its success.
extern "C" BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

extern "C" int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    // bufferMax 0 asks Windows for a read-only pointer to the string inside the
    // module; the module holds UTF-16 and wchar_t is 32 bits here, so there is no
    // such string to point at.
    if (!buffer || bufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    buffer[0] = L'\0';
    // Sixteen strings a block: string id belongs to block (id / 16) + 1.
    const WORD stringId = LOWORD(id);
    HRSRC block =
        FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>((stringId >> 4) + 1)), RT_STRING);
    if (!block)
        return 0;
    const auto* entry = static_cast<const CResourceTable::Entry*>(block);
    size_t at = 0;
    for (unsigned index = 0;; ++index) {
        if (entry->size - at < 2)
            break;
        const size_t length = ReadWord(entry->data + at);
        at += 2;
        if ((entry->size - at) / 2 < length)
            break;
        if (index == (stringId & 0xF)) {
            // An empty string is a missing string, as Windows treats it.
            if (length == 0)
                break;
            std::u16string units(length, u'\0');
            std::memcpy(units.data(), entry->data + at, length * 2);
            const std::wstring text = CTextCodec::FromUtf16(units.data(), units.size());
            const size_t copied = std::min(text.size(), static_cast<size_t>(bufferMax) - 1);
            text.copy(buffer, copied);
            buffer[copied] = L'\0';
            return static_cast<int>(copied);
        }
        at += length * 2;
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
}
