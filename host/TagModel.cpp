#include "host/TagModel.h"

bool CTagModel::Add(CTagMember member) {
    if (!m_index.emplace(member.Name(), m_members.size()).second)
        return false;
    m_members.push_back(std::move(member));
    return true;
}

CTagMember* CTagModel::Find(const std::wstring& name) {
    const auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : &m_members[found->second];
}

const CTagMember* CTagModel::Find(const std::wstring& name) const {
    return const_cast<CTagModel*>(this)->Find(name);
}

bool CTagModel::IsDirty() const {
    return DirtyCount() != 0;
}

size_t CTagModel::DirtyCount() const {
    size_t count = 0;
    for (const CTagMember& member : m_members)
        count += member.IsDirty() ? 1 : 0;
    return count;
}

void CTagModel::Revert() {
    for (CTagMember& member : m_members)
        member.Revert();
}

void CTagModel::Commit() {
    for (CTagMember& member : m_members)
        member.Commit();
}
