#include "platform/shell/Shell.h"

#include <cerrno>
#include <cwchar>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "platform/base/FaultInjector.h"
#include "platform/base/HResult.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/shell/ShellFolders.h"

extern "C" HRESULT SHGetFolderPathW(HWND owner, int csidl, HANDLE token, DWORD flags, LPWSTR path) {
    LONG injected = S_OK;
    if (CFaultInjector::Instance().ShouldFail("SHGetFolderPathW", &injected))
        return injected;
    if (!path)
        return E_INVALIDARG;
    path[0] = L'\0';
    if (flags != SHGFP_TYPE_CURRENT && flags != SHGFP_TYPE_DEFAULT)
        return E_INVALIDARG;

    std::wstring folder;
    if (!CShellFolders::Folder(csidl & ~CSIDL_FLAG_MASK, flags == SHGFP_TYPE_DEFAULT, &folder))
        return E_INVALIDARG;
    if (folder.size() >= MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    if (flags == SHGFP_TYPE_CURRENT) {
        const std::string unixPath = CDosPath::ToUnix(folder);
        if (unixPath.empty())
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        std::error_code error;
        std::filesystem::create_directories(unixPath, error);
        if (error || !std::filesystem::is_directory(unixPath, error))
            return HRESULT_FROM_WIN32(static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
    std::wmemcpy(path, folder.c_str(), folder.size() + 1);
    return S_OK;
}

extern "C" BOOL PathFileExistsW(LPCWSTR path) {
    LONG injected = 0;
    if (CFaultInjector::Instance().ShouldFail("PathFileExistsW", &injected)) {
        SetLastError(static_cast<DWORD>(injected));
        return FALSE;
    }
    const std::string unixPath = path && *path ? CDosPath::ToUnix(path) : std::string();
    if (unixPath.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct stat st {};
    if (stat(unixPath.c_str(), &st) == 0)
        return TRUE;
    SetLastError(errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    return FALSE;
}
