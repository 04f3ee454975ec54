// CStrings: an ordered list of strings (the member names of a value object, lists
// cut from delimited texts or read from BSTR safe arrays). Names compare exactly.
#pragma once

#include <vector>

#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

class CSafeArray;

class CStrings : public CObject {
public:
    CStrings() = default;
    CStrings(const CStrings& other);
    CStrings& operator=(const CStrings& other);
    // The non-empty pieces of `text` between delimiters, in order.
    CStrings(const CString& text, wchar_t delimiter);
    // The elements of a VT_BSTR array; any other array leaves the list empty.
    explicit CStrings(const CSafeArray& array);

    bool operator==(const CStrings& other) const { return m_items == other.m_items; }

    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty() ? TRUE : FALSE; }
    void RemoveAll() { m_items.clear(); }

    BOOL GetAt(UINT index, CString& out) const;
    CString operator[](int index) const;
    BOOL Contains(LPCWSTR name) const;
    BOOL Find(LPCWSTR name, int* index) const;
    BOOL Insert(LPCWSTR name, UINT index);
    HRESULT AddUnique(LPCWSTR name);
    BOOL RemoveAt(UINT index);
    void Join(CString* out, LPCWSTR delimiter) const;

private:
    std::vector<CString> m_items;
};
