// The registry: the predefined root keys, the Reg* calls the profile and COM use, and
// CRegistry, the tree behind them, which a host may keep in a file.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/base/Win32Error.h"
#include "platform/base/WinTypes.h"

class CRegistryKey;
struct SECURITY_ATTRIBUTES;
struct FILETIME;

using REGSAM = DWORD;

// Windows' values, sign-extended as a 64-bit Windows build sees them.
inline const HKEY HKEY_CLASSES_ROOT =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000000)));
inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000001)));
inline const HKEY HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(0x80000002)));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
constexpr REGSAM KEY_READ = 0x00020019;
constexpr REGSAM KEY_WRITE = 0x00020006;
constexpr REGSAM KEY_ALL_ACCESS = 0x000F003F;
constexpr REGSAM MAXIMUM_ALLOWED = 0x02000000;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

extern "C" {
// Only REG_OPTION_NON_VOLATILE: volatile keys would need a second, unsaved tree.
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM desired,
                     SECURITY_ATTRIBUTES* security, HKEY* result, DWORD* disposition);
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, HKEY* result);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// Keys keep no class and no write time: the class comes back empty, the time untouched.
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameSize, DWORD* reserved, LPWSTR keyClass,
                   DWORD* classSize, FILETIME* lastWriteTime);
LONG RegCloseKey(HKEY key);
}

// The tree, its open handles and its file. HKEY_CLASSES_ROOT is a view of
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes, as on Windows for machine-wide registrations.
class CRegistry {
public:
    static CRegistry& Instance();

    // Replaces the tree with the file's content (ERROR_FILE_NOT_FOUND, ERROR_BADDB when
    // it cannot be read; the tree is then unchanged). Handles open on the old tree
    // answer ERROR_KEY_DELETED from then on.
    LONG LoadFromFile(const std::string& path);
    LONG SaveToFile(const std::string& path) const;
    // Keeps the tree in this file from now on: an existing file is loaded, a missing
    // one is written; then every change is saved. An empty path stops saving.
    LONG SetBackingFile(const std::string& path);
    // An empty tree and no backing file; open handles answer ERROR_KEY_DELETED.
    void Clear();

    // A readable listing of the key and everything under it, in the file's notation,
    // named from `root` ("HKEY_CLASSES_ROOT\..."). Empty when the key does not exist.
    std::wstring Dump(HKEY root, const std::wstring& subkeyPath) const;

    // For the Reg* calls: the key behind a handle, when the handle grants `needed`.
    LONG Resolve(HKEY handle, REGSAM needed, std::shared_ptr<CRegistryKey>* key);
    HKEY OpenHandle(std::shared_ptr<CRegistryKey> key, REGSAM access);
    // ERROR_INVALID_HANDLE for a handle that is not open.
    LONG CloseHandle(HKEY handle);
    // Called after every change: saves to the backing file, if any.
    void Changed();

    static bool IsPredefined(HKEY handle);

private:
    CRegistry();
    std::shared_ptr<CRegistryKey> Root(HKEY predefined);
    void ReplaceRoots(std::shared_ptr<CRegistryKey> machine, std::shared_ptr<CRegistryKey> user);

    struct OpenKey {
        std::shared_ptr<CRegistryKey> key;
        REGSAM access = 0;
    };
    std::shared_ptr<CRegistryKey> m_machine;
    std::shared_ptr<CRegistryKey> m_user;
    std::map<HKEY, OpenKey> m_handles;
    ULONG_PTR m_nextHandle = 0x1000;
    std::string m_backingFile;
};
