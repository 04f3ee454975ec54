#include "pdfreport/ReportFile.h"

#include <cerrno>
#include <cstdio>
#include <cwctype>
#include <limits>

#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Files.h"

namespace {

// Temporary names tried beside the target before giving up.
constexpr int kAttempts = 16;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

HRESULT LastError() {
    const DWORD error = GetLastError();
    return HRESULT_FROM_WIN32(error == ERROR_SUCCESS ? static_cast<DWORD>(ERROR_ACCESS_DENIED) : error);
}

} // namespace

CReportFile::CReportFile(std::wstring fileName) : m_fileName(std::move(fileName)) {}

HRESULT CReportFile::CheckTarget() const {
    const std::wstring& name = m_fileName;
    const bool fullPath = name.size() >= 4 && iswalpha(name[0]) && name[1] == L':' && IsSeparator(name[2]) &&
                          !IsSeparator(name.back());
    if (!fullPath)
        return HRESULT_FROM_WIN32(ERROR_BAD_PATHNAME);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? S_OK : LastError();
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    return S_OK;
}

HRESULT CReportFile::Write(const std::string& bytes) const {
    if (HRESULT hr = CheckTarget(); FAILED(hr))
        return hr;
    if (bytes.size() > std::numeric_limits<DWORD>::max())
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const std::wstring temporary = m_fileName + L"." + std::to_wstring(attempt) + L".tmp";
        const HRESULT hr = WriteNew(temporary, bytes);
        if (hr == HRESULT_FROM_WIN32(ERROR_FILE_EXISTS))
            continue; // someone else's file: leave it and try the next name
        if (FAILED(hr))
            return hr;
        // The stand-in has no MoveFileExW: rename the mapped paths, which replaces an
        // existing target in one step as MOVEFILE_REPLACE_EXISTING does.
        if (std::rename(CDosPath::ToUnix(temporary).c_str(), CDosPath::ToUnix(m_fileName).c_str()) != 0) {
            const int error = errno;
            DeleteFileW(temporary.c_str());
            return HRESULT_FROM_WIN32(error == ENOSPC ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED);
        }
        return S_OK;
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

HRESULT CReportFile::WriteNew(const std::wstring& path, const std::string& bytes) const {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    DWORD written = 0;
    HRESULT hr = S_OK;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        hr = LastError();
    else if (written != bytes.size())
        hr = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    if (!CloseHandle(file) && SUCCEEDED(hr))
        hr = LastError();
    if (FAILED(hr))
        DeleteFileW(path.c_str());
    return hr;
}
