// CSafeArray: owns one one-dimensional SAFEARRAY and reads and writes its elements
// through VARIANTs. Failures are logged, never thrown.
#pragma once

#include "platform/oleaut/SafeArray.h"
#include "platform/oleaut/Variant.h"

class CSafeArray {
public:
    CSafeArray() = default;
    CSafeArray(const CSafeArray& other);
    CSafeArray(SAFEARRAY* array, bool copy);
    CSafeArray(VARTYPE type, LONG lowerBound, ULONG count);
    virtual ~CSafeArray();
    CSafeArray& operator=(const CSafeArray& other);

    BOOL Create(VARTYPE type, LONG lowerBound, ULONG count);
    void Destroy();
    SAFEARRAY* Detach();
    SAFEARRAY* GetSafeArray() const { return m_pArray; }
    bool IsAttached() const { return m_pArray != nullptr; }

    ULONG GetCount() const;
    BOOL IsEmpty() const { return GetCount() == 0 ? TRUE : FALSE; }
    LONG GetBeginIndex() const;
    // One past the last element.
    LONG GetEndIndex() const { return GetBeginIndex() + static_cast<LONG>(GetCount()); }
    VARTYPE GetType() const;

    // A copy of the element the caller owns.
    VARIANT Get(LONG index) const;
    void Get(VARIANT* out, LONG index) const;
    HRESULT Set(LONG index, const VARIANT& element);
    HRESULT Add(const VARIANT& element);
    HRESULT Append(const CSafeArray& other);

private:
    HRESULT Resize(ULONG count);

    SAFEARRAY* m_pArray = nullptr;
};
