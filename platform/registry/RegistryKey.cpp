#include "platform/registry/RegistryKey.h"

#include <algorithm>
#include <clocale>
#include <cwctype>
#include <locale.h>

namespace {

// The "C" locale folds only ASCII; Windows upper-cases every letter of a key name.
locale_t UnicodeCType() {
    static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

wint_t Upper(wchar_t c) {
    if (c < 0x80)
        return (c >= L'a' && c <= L'z') ? static_cast<wint_t>(c - L'a' + L'A') : static_cast<wint_t>(c);
    locale_t locale = UnicodeCType();
    return locale ? towupper_l(static_cast<wint_t>(c), locale) : std::towupper(static_cast<wint_t>(c));
}

} // namespace

CRegistryKey::CRegistryKey(std::wstring name) : m_name(std::move(name)) {}

int CRegistryKey::Compare(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t ua = Upper(a[i]);
        const wint_t ub = Upper(b[i]);
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void CRegistryKey::MarkDeleted() {
    m_deleted = true;
    for (auto& [name, child] : m_children)
        child->MarkDeleted();
}

std::shared_ptr<CRegistryKey> CRegistryKey::Child(const std::wstring& name) const {
    auto it = m_children.find(name);
    return it == m_children.end() ? nullptr : it->second;
}

std::shared_ptr<CRegistryKey> CRegistryKey::AddChild(const std::wstring& name, bool* created) {
    auto it = m_children.find(name);
    if (created)
        *created = it == m_children.end();
    if (it != m_children.end())
        return it->second;
    auto child = std::make_shared<CRegistryKey>(name);
    m_children.emplace(name, child);
    return child;
}

bool CRegistryKey::RemoveChild(const std::wstring& name) {
    auto it = m_children.find(name);
    if (it == m_children.end())
        return false;
    it->second->MarkDeleted();
    m_children.erase(it);
    return true;
}

const CRegistryKey::Value* CRegistryKey::FindValue(const std::wstring& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

void CRegistryKey::SetValue(const std::wstring& name, DWORD type, std::vector<BYTE> data) {
    auto it = m_values.find(name);
    if (it == m_values.end())
        it = m_values.emplace(name, Value{name, 0, {}}).first;
    it->second.type = type;
    it->second.data = std::move(data);
}

bool CRegistryKey::DeleteValue(const std::wstring& name) {
    return m_values.erase(name) > 0;
}
