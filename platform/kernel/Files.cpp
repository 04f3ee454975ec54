#include "platform/kernel/Files.h"

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"

namespace {

struct OpenFile {
    int fd = -1;
    DWORD access = 0;
};

// The open files by handle. Handle values are never reused, so a closed handle stays
// invalid instead of naming the next file opened.
class CFileTable {
public:
    static CFileTable& Instance() {
        static CFileTable table;
        return table;
    }
    HANDLE Add(OpenFile file) {
        HANDLE handle = reinterpret_cast<HANDLE>(m_next);
        m_next += 4;
        m_files[handle] = file;
        return handle;
    }
    OpenFile* Find(HANDLE handle) {
        auto it = m_files.find(handle);
        return it == m_files.end() ? nullptr : &it->second;
    }
    void Remove(HANDLE handle) { m_files.erase(handle); }

private:
    std::map<HANDLE, OpenFile> m_files;
    ULONG_PTR m_next = 0x2000;
};

bool Injected(const char* api) {
    LONG code = 0;
    if (!CFaultInjector::Instance().ShouldFail(api, &code))
        return false;
    SetLastError(static_cast<DWORD>(code));
    return true;
}

// Windows tells a missing file in an existing folder from a missing folder.
DWORD MissingError(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    const size_t slash = path.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    struct stat st {};
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                 : ERROR_PATH_NOT_FOUND;
}

DWORD ErrnoError(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
        return MissingError(path);
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_FILE_EXISTS;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// The Linux path of a DOS path, or empty (with the error set) when there is none.
std::string MapPath(LPCWSTR dosPath) {
    std::string path = dosPath && *dosPath ? CDosPath::ToUnix(dosPath) : std::string();
    if (path.empty())
        SetLastError(ERROR_PATH_NOT_FOUND);
    return path;
}

// Stats the mapped path; on failure sets the Windows error and answers false.
bool StatPath(const std::string& path, struct stat* st) {
    if (stat(path.c_str(), st) == 0)
        return true;
    SetLastError(ErrnoError(errno, path));
    return false;
}

bool OwnerCanWrite(const struct stat& st) {
    return (st.st_mode & S_IWUSR) != 0;
}

} // namespace

extern "C" HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                              SECURITY_ATTRIBUTES* security, DWORD creationDisposition,
                              DWORD flagsAndAttributes, HANDLE templateFile) {
    if (Injected("CreateFileW"))
        return INVALID_HANDLE_VALUE;
    const std::string path = MapPath(fileName);
    if (path.empty())
        return INVALID_HANDLE_VALUE;
    const bool write = (desiredAccess & GENERIC_WRITE) != 0;
    if (creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING ||
        (creationDisposition == TRUNCATE_EXISTING && !write)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }

    struct stat st {};
    const bool exists = stat(path.c_str(), &st) == 0;
    if (exists) {
        if (creationDisposition == CREATE_NEW) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
        const bool truncates =
            creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
        // A folder is not a file; the read-only attribute binds even an administrator,
        // so both are refused here rather than left to the process's rights.
        if (S_ISDIR(st.st_mode) || (!OwnerCanWrite(st) && (write || truncates))) {
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
    } else if (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING) {
        SetLastError(ErrnoError(errno, path));
        return INVALID_HANDLE_VALUE;
    }

    int flags = O_CLOEXEC;
    switch (creationDisposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        flags |= O_TRUNC;
        break;
    default:
        break;
    }
    // Truncation needs a writable descriptor even when the caller only reads; the
    // handle's own rights are checked by ReadFile and WriteFile.
    flags |= (write || (flags & O_TRUNC)) ? O_RDWR : O_RDONLY;
    const mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    const int fd = open(path.c_str(), flags, mode);
    if (fd < 0) {
        SetLastError(ErrnoError(errno, path));
        return INVALID_HANDLE_VALUE;
    }
    const bool opensExisting = creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS;
    SetLastError(exists && opensExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return CFileTable::Instance().Add(OpenFile{fd, desiredAccess});
}

extern "C" BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, DWORD* bytesRead,
                         OVERLAPPED* overlapped) {
    if (Injected("ReadFile"))
        return FALSE;
    OpenFile* open = CFileTable::Instance().Find(file);
    if (!open) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!bytesRead || overlapped || (!buffer && bytesToRead > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *bytesRead = 0;
    if (!(open->access & GENERIC_READ)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    auto* bytes = static_cast<BYTE*>(buffer);
    while (*bytesRead < bytesToRead) {
        const ssize_t n = read(open->fd, bytes + *bytesRead, bytesToRead - *bytesRead);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastError(ErrnoError(errno, {}));
            return FALSE;
        }
        if (n == 0)
            break; // end of file: success with fewer bytes
        *bytesRead += static_cast<DWORD>(n);
    }
    return TRUE;
}

extern "C" BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, DWORD* bytesWritten,
                          OVERLAPPED* overlapped) {
    if (Injected("WriteFile"))
        return FALSE;
    OpenFile* open = CFileTable::Instance().Find(file);
    if (!open) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!bytesWritten || overlapped || (!buffer && bytesToWrite > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *bytesWritten = 0;
    if (!(open->access & GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const auto* bytes = static_cast<const BYTE*>(buffer);
    while (*bytesWritten < bytesToWrite) {
        const ssize_t n = write(open->fd, bytes + *bytesWritten, bytesToWrite - *bytesWritten);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastError(ErrnoError(errno, {}));
            return FALSE;
        }
        *bytesWritten += static_cast<DWORD>(n);
    }
    return TRUE;
}

extern "C" BOOL CloseHandle(HANDLE object) {
    if (Injected("CloseHandle"))
        return FALSE;
    CFileTable& table = CFileTable::Instance();
    OpenFile* open = table.Find(object);
    if (!open) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    close(open->fd);
    table.Remove(object);
    return TRUE;
}

extern "C" BOOL DeleteFileW(LPCWSTR fileName) {
    if (Injected("DeleteFileW"))
        return FALSE;
    const std::string path = MapPath(fileName);
    struct stat st {};
    if (path.empty() || !StatPath(path, &st))
        return FALSE;
    // Windows deletes neither folders nor read-only files through this call.
    if (S_ISDIR(st.st_mode) || !OwnerCanWrite(st)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (unlink(path.c_str()) != 0) {
        SetLastError(ErrnoError(errno, path));
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD GetFileAttributesW(LPCWSTR fileName) {
    if (Injected("GetFileAttributesW"))
        return INVALID_FILE_ATTRIBUTES;
    const std::string path = MapPath(fileName);
    struct stat st {};
    if (path.empty() || !StatPath(path, &st))
        return INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return OwnerCanWrite(st) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

extern "C" BOOL SetFileAttributesW(LPCWSTR fileName, DWORD attributes) {
    if (Injected("SetFileAttributesW"))
        return FALSE;
    const std::string path = MapPath(fileName);
    struct stat st {};
    if (path.empty() || !StatPath(path, &st))
        return FALSE;
    // Windows ignores the read-only attribute of a folder; other attributes have no
    // Linux counterpart and are accepted without effect.
    if (S_ISDIR(st.st_mode))
        return TRUE;
    const mode_t mode =
        (attributes & FILE_ATTRIBUTE_READONLY) ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
    if (chmod(path.c_str(), mode & 07777) != 0) {
        SetLastError(ErrnoError(errno, path));
        return FALSE;
    }
    return TRUE;
}

extern "C" DWORD GetLongPathNameW(LPCWSTR shortPath, LPWSTR longPath, DWORD bufferLength) {
    if (Injected("GetLongPathNameW"))
        return 0;
    if (!shortPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string path = MapPath(shortPath);
    struct stat st {};
    if (path.empty() || !StatPath(path, &st))
        return 0;
    const size_t length = std::wcslen(shortPath);
    // Too small: the size needed, terminator included, and the buffer untouched.
    if (!longPath || bufferLength < length + 1)
        return static_cast<DWORD>(length + 1);
    std::wmemmove(longPath, shortPath, length + 1);
    return static_cast<DWORD>(length);
}

extern "C" BOOL CreateDirectoryW(LPCWSTR pathName, SECURITY_ATTRIBUTES* security) {
    if (Injected("CreateDirectoryW"))
        return FALSE;
    const std::string path = MapPath(pathName);
    if (path.empty())
        return FALSE;
    if (mkdir(path.c_str(), 0777) != 0) {
        SetLastError(errno == EEXIST ? ERROR_ALREADY_EXISTS
                                     : (errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrnoError(errno, path)));
        return FALSE;
    }
    return TRUE;
}
