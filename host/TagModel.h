// A host tag as data: its name, its suffix, whether forces are in effect, and its
// members in the order the project lists them. Members are found by name through an
// index, so that loading a project of many members stays linear.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "host/TagMember.h"

class CTagModel {
public:
    CTagModel() = default;
    CTagModel(std::wstring name, std::wstring suffix)
        : m_name(std::move(name)), m_suffix(std::move(suffix)) {}

    const std::wstring& Name() const { return m_name; }
    const std::wstring& Suffix() const { return m_suffix; }
    bool ForcesEnabled() const { return m_forcesEnabled; }
    void SetForcesEnabled(bool enabled) { m_forcesEnabled = enabled; }

    // False when a member of that name exists already.
    bool Add(CTagMember member);
    // Member names are exact: a page that binds a misspelt name finds nothing.
    CTagMember* Find(const std::wstring& name);
    const CTagMember* Find(const std::wstring& name) const;
    // Read-only, so that the index cannot go stale.
    const std::vector<CTagMember>& Members() const { return m_members; }

    bool IsDirty() const;
    size_t DirtyCount() const;
    // Back to the values stored with the project.
    void Revert();
    // The current values become the stored ones.
    void Commit();

private:
    std::wstring m_name;
    std::wstring m_suffix;
    bool m_forcesEnabled = false;
    std::vector<CTagMember> m_members;
    std::unordered_map<std::wstring, size_t> m_index; // name -> position in m_members
};
