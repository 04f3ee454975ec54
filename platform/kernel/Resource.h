// Resources: a module carries the bytes of a compiled 32-bit resource file (.res),
// exported under one symbol, and these calls read them as Windows reads a module's
// resource section. Dialog templates and RCDATA come back as the raw bytes.
#pragma once

#include <string>
#include <vector>

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"

inline LPWSTR MAKEINTRESOURCEW(WORD id) {
    return reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(id));
}
inline bool IS_INTRESOURCE(const void* p) {
    return (reinterpret_cast<ULONG_PTR>(p) >> 16) == 0;
}

inline const LPWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPWSTR RT_VERSION = MAKEINTRESOURCEW(16);

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_NEUTRAL = 0x00;

// The symbols under which a resource library exports its .res bytes and their count
// (cmake/PvResources.cmake generates them).
constexpr char kResourceDataSymbol[] = "PvResourceData";
constexpr char kResourceSizeSymbol[] = "PvResourceSize";

extern "C" {
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resInfo);
LPVOID LockResource(HGLOBAL resData);
DWORD SizeofResource(HMODULE module, HRSRC resInfo);
BOOL FreeResource(HGLOBAL resData);
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
}

// The index of one .res image: every resource's type, name, language and bytes. The
// bytes stay where they are (inside the module), so the table lives no longer than it.
class CResourceTable {
public:
    // A type or a name: an integer id, or a string kept upper-case (names compare
    // without regard to case).
    struct Key {
        WORD id = 0;
        std::wstring name;

        // From the Windows argument: MAKEINTRESOURCE(id), "#123" or a string.
        static Key From(LPCWSTR value);
        bool operator==(const Key& other) const { return id == other.id && name == other.name; }
    };

    struct Entry {
        Key type;
        Key name;
        WORD language = 0;
        const BYTE* data = nullptr;
        DWORD size = 0;
    };

    // Reads a whole .res image; every header is checked against the end, and anything
    // malformed or truncated refuses the whole image (HRESULT_FROM_WIN32(ERROR_INVALID_DATA)).
    HRESULT Parse(const BYTE* data, size_t size);

    // FindResourceExW's choice: the exact language, or for LANG_NEUTRAL the neutral
    // entry, else the first of that type and name. Null with the Win32 error in *error.
    const Entry* Find(const Key& type, const Key& name, WORD language, DWORD* error) const;

    // Whether an HRSRC handed out points at one of this table's entries.
    bool Owns(const void* entry) const;

    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
