// One key of the registry tree: its name as created, its values and its subkeys.
// Names compare without regard to case, as Windows compares them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

class CRegistryKey {
public:
    // Orders names as Windows compares them: by their upper-case form.
    struct NameLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const { return Compare(a, b) < 0; }
    };
    struct Value {
        std::wstring name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    using Children = std::map<std::wstring, std::shared_ptr<CRegistryKey>, NameLess>;
    using Values = std::map<std::wstring, Value, NameLess>;

    explicit CRegistryKey(std::wstring name);

    static int Compare(const std::wstring& a, const std::wstring& b);

    const std::wstring& Name() const { return m_name; }
    // A deleted key stays alive while handles hold it, and answers ERROR_KEY_DELETED.
    bool IsDeleted() const { return m_deleted; }
    // Marks this key and everything under it deleted.
    void MarkDeleted();

    std::shared_ptr<CRegistryKey> Child(const std::wstring& name) const;
    // The existing child of that name, or a new one; `created` tells which.
    std::shared_ptr<CRegistryKey> AddChild(const std::wstring& name, bool* created);
    // Detaches the child and marks it deleted; false when there is none.
    bool RemoveChild(const std::wstring& name);
    const Children& ChildKeys() const { return m_children; }

    const Value* FindValue(const std::wstring& name) const;
    // Keeps the name's case of the first write, as Windows does when overwriting.
    void SetValue(const std::wstring& name, DWORD type, std::vector<BYTE> data);
    bool DeleteValue(const std::wstring& name);
    const Values& ValueList() const { return m_values; }

private:
    std::wstring m_name;
    bool m_deleted = false;
    Children m_children;
    Values m_values;
};
