#include "profile/server/FilePath.h"

#include "platform/kernel/Files.h"
#include "platform/kernel/Module.h"
#include "platform/shell/Shell.h"

CFilePath::CFilePath(const wchar_t* path) : m_path(path) {}

CFilePath::CFilePath(HMODULE module) {
    constexpr DWORD kLength = 261;
    wchar_t name[kLength] = {};
    if (GetModuleFileNameW(module, name, kLength) == 0)
        return;
    wchar_t longName[kLength] = {};
    const DWORD length = GetLongPathNameW(name, longName, kLength);
    if (length == 0 || length >= kLength)
        return;
    m_path = longName;
}

CString CFilePath::GetDirectory() const {
    const int slash = m_path.ReverseFind(L'\\');
    return slash < 0 ? CString() : m_path.Left(slash);
}

CString CFilePath::GetFileName(bool withExtension) const {
    const int slash = m_path.ReverseFind(L'\\');
    CString name = m_path.Mid(slash + 1);
    if (withExtension)
        return name;
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFilePath::GetExtension() const {
    const int dot = m_path.ReverseFind(L'.');
    return dot < 0 ? CString() : m_path.Mid(dot + 1);
}

bool CFilePath::Exists() const {
    return !m_path.IsEmpty() && PathFileExistsW(m_path) != FALSE;
}

bool CFilePath::Exists(const wchar_t* path) {
    return CFilePath(path).Exists();
}
