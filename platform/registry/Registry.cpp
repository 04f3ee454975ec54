#include "platform/registry/Registry.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryText.h"

namespace {

constexpr wchar_t kMachineName[] = L"HKEY_LOCAL_MACHINE";
constexpr wchar_t kUserName[] = L"HKEY_CURRENT_USER";
constexpr wchar_t kClassesName[] = L"HKEY_CLASSES_ROOT";
constexpr wchar_t kFileHeader[] =
    L"; Registry tree: [key] lines, then the key's values as name=TYPE data.\n\n";

LONG ErrnoToWin32(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
        return ERROR_DISK_FULL;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

std::shared_ptr<CRegistryKey> ClassesUnder(const std::shared_ptr<CRegistryKey>& machine, bool create) {
    if (!create) {
        auto software = machine->Child(L"SOFTWARE");
        return software ? software->Child(L"Classes") : nullptr;
    }
    return machine->AddChild(L"SOFTWARE", nullptr)->AddChild(L"Classes", nullptr);
}

} // namespace

CRegistry& CRegistry::Instance() {
    static CRegistry instance;
    return instance;
}

CRegistry::CRegistry()
    : m_machine(std::make_shared<CRegistryKey>(kMachineName)),
      m_user(std::make_shared<CRegistryKey>(kUserName)) {}

bool CRegistry::IsPredefined(HKEY handle) {
    return handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER || handle == HKEY_LOCAL_MACHINE;
}

std::shared_ptr<CRegistryKey> CRegistry::Root(HKEY predefined) {
    if (predefined == HKEY_LOCAL_MACHINE)
        return m_machine;
    if (predefined == HKEY_CURRENT_USER)
        return m_user;
    return ClassesUnder(m_machine, true);
}

LONG CRegistry::Resolve(HKEY handle, REGSAM needed, std::shared_ptr<CRegistryKey>* key) {
    if (IsPredefined(handle)) {
        *key = Root(handle);
        return ERROR_SUCCESS;
    }
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return ERROR_INVALID_HANDLE;
    if (it->second.key->IsDeleted())
        return ERROR_KEY_DELETED;
    if ((it->second.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    *key = it->second.key;
    return ERROR_SUCCESS;
}

HKEY CRegistry::OpenHandle(std::shared_ptr<CRegistryKey> key, REGSAM access) {
    // Values a real handle table could give: small multiples of four, never reused, so a
    // closed handle stays invalid.
    HKEY handle = reinterpret_cast<HKEY>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[handle] = OpenKey{std::move(key), access};
    return handle;
}

LONG CRegistry::CloseHandle(HKEY handle) {
    return m_handles.erase(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

void CRegistry::Changed() {
    // The change stands in memory even if the file cannot be written, as a later save
    // writes the whole tree again.
    if (!m_backingFile.empty())
        SaveToFile(m_backingFile);
}

void CRegistry::ReplaceRoots(std::shared_ptr<CRegistryKey> machine, std::shared_ptr<CRegistryKey> user) {
    m_machine->MarkDeleted();
    m_user->MarkDeleted();
    m_machine = std::move(machine);
    m_user = std::move(user);
}

void CRegistry::Clear() {
    ReplaceRoots(std::make_shared<CRegistryKey>(kMachineName), std::make_shared<CRegistryKey>(kUserName));
    m_backingFile.clear();
}

LONG CRegistry::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ErrnoToWin32(errno);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return ERROR_BADDB;

    auto machine = std::make_shared<CRegistryKey>(kMachineName);
    auto user = std::make_shared<CRegistryKey>(kUserName);
    CRegistryText::Roots roots{{kMachineName, machine}, {kUserName, user}};
    size_t errorLine = 0;
    if (!CRegistryText::Read(CTextCodec::FromUtf8(content.str()), roots, &errorLine))
        return ERROR_BADDB;
    ReplaceRoots(std::move(machine), std::move(user));
    return ERROR_SUCCESS;
}

LONG CRegistry::SaveToFile(const std::string& path) const {
    const std::wstring text = kFileHeader + CRegistryText::Write(kMachineName, *m_machine) +
                              CRegistryText::Write(kUserName, *m_user);
    const std::string bytes = CTextCodec::ToUtf8(text);
    // Written beside the file and renamed over it, so a reader never sees half a tree.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return ErrnoToWin32(errno);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return ERROR_DISK_FULL;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const LONG error = ErrnoToWin32(errno);
        std::remove(temporary.c_str());
        return error;
    }
    return ERROR_SUCCESS;
}

LONG CRegistry::SetBackingFile(const std::string& path) {
    if (path.empty()) {
        m_backingFile.clear();
        return ERROR_SUCCESS;
    }
    LONG result = LoadFromFile(path);
    if (result == ERROR_FILE_NOT_FOUND)
        result = SaveToFile(path);
    if (result == ERROR_SUCCESS)
        m_backingFile = path;
    return result;
}

std::wstring CRegistry::Dump(HKEY root, const std::wstring& subkeyPath) const {
    std::shared_ptr<CRegistryKey> key;
    std::wstring name;
    if (root == HKEY_LOCAL_MACHINE) {
        key = m_machine;
        name = kMachineName;
    } else if (root == HKEY_CURRENT_USER) {
        key = m_user;
        name = kUserName;
    } else if (root == HKEY_CLASSES_ROOT) {
        key = ClassesUnder(m_machine, false);
        name = kClassesName;
    }
    size_t start = 0;
    while (key && start < subkeyPath.size()) {
        size_t end = subkeyPath.find(L'\\', start);
        if (end == std::wstring::npos)
            end = subkeyPath.size();
        if (end > start) {
            key = key->Child(subkeyPath.substr(start, end - start));
            if (key)
                name += L"\\" + CRegistryText::EscapeKeyName(key->Name());
        }
        start = end + 1;
    }
    if (!key)
        return {};
    return CRegistryText::Write(name, *key);
}
