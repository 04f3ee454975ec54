// Modules: ELF shared objects that keep their Windows file names, loaded and counted
// the way Windows' loader does it (LoadLibraryW, FreeLibrary, DllMain attach and
// detach), plus the record behind an HMODULE that the resource calls read.
#pragma once

#include <memory>
#include <string>

#include "platform/base/WinTypes.h"

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
// LoadLibraryExW flags of a resource-only load.
constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x00000002;
constexpr DWORD LOAD_LIBRARY_AS_IMAGE_RESOURCE = 0x00000020;
constexpr DWORD LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE = 0x00000040;
constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x00000002;

// Windows declares it returning INT_PTR; void(void) is the function type GCC lets a
// caller cast to any other without -Wcast-function-type, and every caller casts.
using FARPROC = void (*)();

extern "C" {
HMODULE LoadLibraryW(LPCWSTR fileName);
// Only flags 0: a data-file load would need an ELF reader of its own.
HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE reserved, DWORD flags);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// Flags 0 and GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT.
BOOL GetModuleHandleExW(DWORD flags, LPCWSTR moduleName, HMODULE* module);
}

class CResourceTable;

// What an HMODULE points at: one loaded object, its path and its count of references.
class CModule {
public:
    // A permanent module (the executable, the stand-in itself) is never unloaded.
    CModule(std::string path, void* dlHandle, bool permanent);
    ~CModule();
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;

    // The live record behind a handle; the null handle is the executable. Null when the
    // handle names no loaded module.
    static CModule* FromHandle(HMODULE module);

    HMODULE Handle() { return reinterpret_cast<HMODULE>(this); }
    const std::string& Path() const { return m_path; }
    void* DlHandle() const { return m_dlHandle; }
    bool Permanent() const { return m_permanent; }

    void AddRef() { ++m_refCount; }
    // The count left after this release.
    LONG Release() { return --m_refCount; }
    LONG RefCount() const { return m_refCount; }

    // The address of a symbol this object itself defines, or null. dlsym on a handle
    // also searches the object's dependencies, which Windows' export table never does.
    void* OwnSymbol(const char* name) const;

    // The resources carried in the module (read when the record is made); null when it
    // carries none or they are malformed.
    const CResourceTable* Resources() const { return m_resources.get(); }

private:
    std::string m_path;
    void* m_dlHandle;
    bool m_permanent;
    LONG m_refCount = 1;
    std::unique_ptr<CResourceTable> m_resources;
};
