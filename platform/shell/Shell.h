// Shell folders and path tests: SHGetFolderPathW (shell32/shfolder) and
// PathFileExistsW (shlwapi), over DOS paths mapped with CDosPath.
#pragma once

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"

constexpr int CSIDL_PERSONAL = 0x0005;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_COMMON_APPDATA = 0x0023;
constexpr int CSIDL_PROGRAM_FILES = 0x0026;
constexpr int CSIDL_COMMON_DOCUMENTS = 0x002E;
constexpr int CSIDL_FLAG_DONT_VERIFY = 0x4000;
constexpr int CSIDL_FLAG_CREATE = 0x8000;
constexpr int CSIDL_FLAG_MASK = 0xFF00;

constexpr DWORD SHGFP_TYPE_CURRENT = 0;
constexpr DWORD SHGFP_TYPE_DEFAULT = 1;

extern "C" {
// Writes the folder's DOS path (no trailing '\', at most MAX_PATH characters) to `path`.
// The current location always exists afterwards: on Windows these folders always do.
// E_INVALIDARG for a folder not offered here.
HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path);
// TRUE when the path names an existing file or folder.
BOOL PathFileExistsW(LPCWSTR path);
}
