// Where the shell folders live on drive C:, with a way for a host or a test to move
// one (its DOS path; the Linux folder follows from CDosPath).
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

class CShellFolders {
public:
    // Moves a folder; an empty path returns it to its default. E_INVALIDARG for a
    // folder not offered here.
    static HRESULT SetFolder(int csidl, std::wstring dosPath);
    // The folder's current (or default) DOS path; false for a folder not offered here.
    static bool Folder(int csidl, bool defaultLocation, std::wstring* dosPath);
    // Every folder back at its default.
    static void Reset();
};
