// The Reg* calls over CRegistry's tree.
#include <cstring>
#include <cwchar>
#include <iterator>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryKey.h"

namespace {

bool Injected(const char* api, LONG* code) {
    return CFaultInjector::Instance().ShouldFail(api, code);
}

// "a\b\c" into its names. A trailing '\' is allowed, an empty name elsewhere is not.
LONG SplitPath(LPCWSTR path, std::vector<std::wstring>* parts) {
    std::wstring text = path ? path : L"";
    if (!text.empty() && text.back() == L'\\')
        text.pop_back();
    if (text.empty())
        return ERROR_SUCCESS;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(L'\\', start);
        std::wstring part = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (part.empty())
            return ERROR_BAD_PATHNAME;
        parts->push_back(std::move(part));
        if (end == std::wstring::npos)
            return ERROR_SUCCESS;
        start = end + 1;
    }
}

REGSAM HandleAccess(REGSAM desired) {
    if (desired & MAXIMUM_ALLOWED)
        return KEY_ALL_ACCESS;
    return desired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
}

std::wstring ValueName(LPCWSTR name) {
    return name ? name : L"";
}

// The key behind a handle, and the sub-key path below it split into names.
LONG ResolveWithPath(HKEY key, LPCWSTR subKey, std::shared_ptr<CRegistryKey>* current,
                     std::vector<std::wstring>* parts) {
    const LONG status = CRegistry::Instance().Resolve(key, 0, current);
    return status != ERROR_SUCCESS ? status : SplitPath(subKey, parts);
}

} // namespace

extern "C" LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                                REGSAM desired, SECURITY_ATTRIBUTES* security, HKEY* result,
                                DWORD* disposition) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegCreateKeyExW", &status))
        return status;
    if (!result || !subKey)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (options != REG_OPTION_NON_VOLATILE)
        return ERROR_INVALID_PARAMETER;

    CRegistry& registry = CRegistry::Instance();
    std::shared_ptr<CRegistryKey> current;
    std::vector<std::wstring> parts;
    if ((status = ResolveWithPath(key, subKey, &current, &parts)) != ERROR_SUCCESS)
        return status;

    size_t existing = 0;
    for (; existing < parts.size(); ++existing) {
        auto child = current->Child(parts[existing]);
        if (!child)
            break;
        current = std::move(child);
    }
    const bool create = existing < parts.size();
    if (create) {
        std::shared_ptr<CRegistryKey> parent;
        if ((status = registry.Resolve(key, KEY_CREATE_SUB_KEY, &parent)) != ERROR_SUCCESS)
            return status;
        for (size_t i = existing; i < parts.size(); ++i)
            current = current->AddChild(parts[i], nullptr);
        registry.Changed();
    }
    *result = registry.OpenHandle(current, HandleAccess(desired));
    if (disposition)
        *disposition = create ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

extern "C" LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, HKEY* result) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegOpenKeyExW", &status))
        return status;
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (options != 0)
        return ERROR_INVALID_PARAMETER;

    CRegistry& registry = CRegistry::Instance();
    std::shared_ptr<CRegistryKey> current;
    std::vector<std::wstring> parts;
    if ((status = ResolveWithPath(key, subKey, &current, &parts)) != ERROR_SUCCESS)
        return status;
    // With no sub-key a predefined key answers itself; any other key a new handle.
    if (parts.empty() && CRegistry::IsPredefined(key)) {
        *result = key;
        return ERROR_SUCCESS;
    }
    for (const std::wstring& part : parts) {
        current = current->Child(part);
        if (!current)
            return ERROR_FILE_NOT_FOUND;
    }
    *result = registry.OpenHandle(current, HandleAccess(desired));
    return ERROR_SUCCESS;
}

extern "C" LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD dataSize) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegSetValueExW", &status))
        return status;
    CRegistry& registry = CRegistry::Instance();
    std::shared_ptr<CRegistryKey> target;
    if ((status = registry.Resolve(key, KEY_SET_VALUE, &target)) != ERROR_SUCCESS)
        return status;
    if (!data && dataSize > 0)
        return ERROR_NOACCESS;
    target->SetValue(ValueName(valueName), type, std::vector<BYTE>(data, data + (data ? dataSize : 0)));
    registry.Changed();
    return ERROR_SUCCESS;
}

extern "C" LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                 DWORD* dataSize) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegQueryValueExW", &status))
        return status;
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<CRegistryKey> target;
    if ((status = CRegistry::Instance().Resolve(key, KEY_QUERY_VALUE, &target)) != ERROR_SUCCESS)
        return status;
    const CRegistryKey::Value* value = target->FindValue(ValueName(valueName));
    if (!value)
        return ERROR_FILE_NOT_FOUND;

    if (type)
        *type = value->type;
    const DWORD size = static_cast<DWORD>(value->data.size());
    if (data) {
        if (*dataSize < size)
            status = ERROR_MORE_DATA;
        else if (size > 0)
            std::memcpy(data, value->data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return status;
}

extern "C" LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegDeleteKeyW", &status))
        return status;
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    CRegistry& registry = CRegistry::Instance();
    std::shared_ptr<CRegistryKey> parent;
    if ((status = registry.Resolve(key, 0, &parent)) != ERROR_SUCCESS)
        return status;
    std::vector<std::wstring> parts;
    if ((status = SplitPath(subKey, &parts)) != ERROR_SUCCESS)
        return status;
    // Deleting the handle's own key through an empty name is not offered.
    if (parts.empty())
        return ERROR_INVALID_PARAMETER;

    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        parent = parent->Child(parts[i]);
        if (!parent)
            return ERROR_FILE_NOT_FOUND;
    }
    auto target = parent->Child(parts.back());
    if (!target)
        return ERROR_FILE_NOT_FOUND;
    // Windows refuses a key that still has subkeys with this code.
    if (!target->ChildKeys().empty())
        return ERROR_ACCESS_DENIED;
    parent->RemoveChild(parts.back());
    registry.Changed();
    return ERROR_SUCCESS;
}

extern "C" LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegDeleteValueW", &status))
        return status;
    CRegistry& registry = CRegistry::Instance();
    std::shared_ptr<CRegistryKey> target;
    if ((status = registry.Resolve(key, KEY_SET_VALUE, &target)) != ERROR_SUCCESS)
        return status;
    if (!target->DeleteValue(ValueName(valueName)))
        return ERROR_FILE_NOT_FOUND;
    registry.Changed();
    return ERROR_SUCCESS;
}

extern "C" LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameSize, DWORD* reserved,
                              LPWSTR keyClass, DWORD* classSize, FILETIME* lastWriteTime) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegEnumKeyExW", &status))
        return status;
    if (!name || !nameSize || reserved)
        return ERROR_INVALID_PARAMETER;
    std::shared_ptr<CRegistryKey> target;
    if ((status = CRegistry::Instance().Resolve(key, KEY_ENUMERATE_SUB_KEYS, &target)) != ERROR_SUCCESS)
        return status;
    const CRegistryKey::Children& children = target->ChildKeys();
    if (index >= children.size())
        return ERROR_NO_MORE_ITEMS;
    const std::wstring& childName = std::next(children.begin(), index)->second->Name();
    // The buffer size counts the terminator; the answer does not.
    if (childName.size() + 1 > *nameSize)
        return ERROR_MORE_DATA;
    std::wmemcpy(name, childName.c_str(), childName.size() + 1);
    *nameSize = static_cast<DWORD>(childName.size());
    if (keyClass && classSize) {
        if (*classSize < 1)
            return ERROR_MORE_DATA;
        keyClass[0] = L'\0';
        *classSize = 0;
    }
    return ERROR_SUCCESS;
}

extern "C" LONG RegCloseKey(HKEY key) {
    LONG status = ERROR_SUCCESS;
    if (Injected("RegCloseKey", &status))
        return status;
    if (CRegistry::IsPredefined(key))
        return ERROR_SUCCESS;
    return CRegistry::Instance().CloseHandle(key);
}
