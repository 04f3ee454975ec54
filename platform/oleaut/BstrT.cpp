#include "platform/oleaut/BstrT.h"

#include <utility>

#include "platform/base/TextCodec.h"

namespace {

BSTR Copy(const wchar_t* text, unsigned int length) {
    return text ? SysAllocStringLen(text, length) : nullptr;
}

} // namespace

_bstr_t::_bstr_t(const wchar_t* text) : m_bstr(SysAllocString(text)) {}

_bstr_t::_bstr_t(const char* utf8) {
    if (!utf8)
        return;
    const std::wstring wide = CTextCodec::FromUtf8(utf8);
    m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

_bstr_t::_bstr_t(BSTR text, bool copy) : m_bstr(copy ? Copy(text, SysStringLen(text)) : text) {}

_bstr_t::_bstr_t(const _bstr_t& other) : m_bstr(other.copy()) {}

_bstr_t::_bstr_t(_bstr_t&& other) noexcept : m_bstr(std::exchange(other.m_bstr, nullptr)) {}

_bstr_t::~_bstr_t() {
    Free();
}

_bstr_t& _bstr_t::operator=(const _bstr_t& other) {
    if (this != &other)
        Attach(other.copy());
    return *this;
}

_bstr_t& _bstr_t::operator=(_bstr_t&& other) noexcept {
    if (this != &other)
        Attach(std::exchange(other.m_bstr, nullptr));
    return *this;
}

_bstr_t& _bstr_t::operator=(const wchar_t* text) {
    Attach(SysAllocString(text));
    return *this;
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& other) {
    std::wstring joined(m_bstr ? m_bstr : L"", length());
    joined.append(other.m_bstr ? other.m_bstr : L"", other.length());
    Attach(SysAllocStringLen(joined.data(), static_cast<UINT>(joined.size())));
    return *this;
}

_bstr_t _bstr_t::operator+(const _bstr_t& other) const {
    _bstr_t result(*this);
    result += other;
    return result;
}

BSTR* _bstr_t::GetAddress() {
    Free();
    return &m_bstr;
}

BSTR _bstr_t::copy() const {
    return Copy(m_bstr, length());
}

void _bstr_t::Attach(BSTR text) {
    Free();
    m_bstr = text;
}

BSTR _bstr_t::Detach() {
    return std::exchange(m_bstr, nullptr);
}

int _bstr_t::Compare(const _bstr_t& other) const {
    const unsigned int mine = length();
    const unsigned int theirs = other.length();
    const unsigned int common = mine < theirs ? mine : theirs;
    for (unsigned int i = 0; i < common; ++i) {
        if (m_bstr[i] != other.m_bstr[i])
            return m_bstr[i] < other.m_bstr[i] ? -1 : 1;
    }
    return mine == theirs ? 0 : (mine < theirs ? -1 : 1);
}

void _bstr_t::Free() {
    SysFreeString(m_bstr);
    m_bstr = nullptr;
}
