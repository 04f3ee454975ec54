#include "profile/values/Strings.h"

#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/VariantT.h"
#include "profile/server/PVLog.h"
#include "profile/values/SafeArray.h"

CStrings::CStrings(const CStrings& other) : CObject(), m_items(other.m_items) {}

CStrings& CStrings::operator=(const CStrings& other) {
    m_items = other.m_items;
    return *this;
}

CStrings::CStrings(const CString& text, wchar_t delimiter) {
    int start = 0;
    const int length = text.GetLength();
    while (start <= length) {
        int end = text.Find(delimiter, start);
        if (end < 0)
            end = length;
        if (end > start)
            m_items.push_back(text.Mid(start, end - start));
        start = end + 1;
    }
}

CStrings::CStrings(const CSafeArray& array) {
    if (array.GetType() != VT_BSTR) {
        PVLog(L"Cannot copy construct a CStrings object from a non-BSTR safearray.");
        return;
    }
    for (LONG i = array.GetBeginIndex(); i < array.GetEndIndex(); ++i) {
        _variant_t element;
        array.Get(element.GetAddress(), i);
        m_items.push_back(element.vt == VT_BSTR && element.bstrVal
                              ? CString(element.bstrVal, static_cast<int>(SysStringLen(element.bstrVal)))
                              : CString());
    }
}

BOOL CStrings::GetAt(UINT index, CString& out) const {
    if (index >= m_items.size()) {
        PVLog(L"Index out of range.");
        return FALSE;
    }
    out = m_items[index];
    return TRUE;
}

CString CStrings::operator[](int index) const {
    if (m_items.empty()) {
        PVLog(L"CStrings container is empty.");
        return CString();
    }
    if (index < 0 || index >= GetCount()) {
        PVLog(L"Index out of range.");
        return CString();
    }
    return m_items[static_cast<size_t>(index)];
}

BOOL CStrings::Contains(LPCWSTR name) const {
    int ignored = 0;
    return Find(name, &ignored);
}

BOOL CStrings::Find(LPCWSTR name, int* index) const {
    const CString wanted(name);
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i] == wanted) {
            if (index)
                *index = static_cast<int>(i);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CStrings::Insert(LPCWSTR name, UINT index) {
    const size_t at = index > m_items.size() ? m_items.size() : index;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), CString(name));
    return TRUE;
}

HRESULT CStrings::AddUnique(LPCWSTR name) {
    if (Contains(name))
        return E_INVALIDARG;
    m_items.push_back(CString(name));
    return S_OK;
}

BOOL CStrings::RemoveAt(UINT index) {
    if (index >= m_items.size())
        return FALSE;
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    return TRUE;
}

void CStrings::Join(CString* out, LPCWSTR delimiter) const {
    if (!out)
        return;
    out->Empty();
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (i)
            *out += delimiter ? delimiter : L"";
        *out += m_items[i];
    }
}
