#include "host/TagModel.h"

bool CTagModel::Add(CTagMember member) {
    if (Find(member.Name()))
        return false;
    m_members.push_back(std::move(member));
    return true;
}

CTagMember* CTagModel::Find(const std::wstring& name) {
    for (CTagMember& member : m_members)
        if (member.Name() == name)
            return &member;
    return nullptr;
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
