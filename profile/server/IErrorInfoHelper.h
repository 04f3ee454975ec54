// Reads the fields of an error object a failing host call left behind.
#pragma once

#include "platform/com/ComPtrT.h"
#include "platform/mfc/String.h"

class CIErrorInfoHelper {
public:
    explicit CIErrorInfoHelper(IErrorInfo* info = nullptr) : m_spErrorInfo(info) {}
    virtual ~CIErrorInfoHelper() = default;

    // Each raises the COM error E_POINTER without an error object; a failing read
    // answers empty text, a zero GUID or context 0.
    CString GetDescription() const;
    CString GetHelpFile() const;
    CString GetSource() const;
    GUID GetGUID() const;
    DWORD GetHelpContext() const;

    // The same error object (compared through IUnknown).
    bool operator==(const CIErrorInfoHelper& other) const;

    IErrorInfo* Get() const { return m_spErrorInfo; }
    IErrorInfo** GetAddress() { return &m_spErrorInfo; }

private:
    CString ReadText(HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) const;

    _com_ptr_t<IErrorInfo> m_spErrorInfo;
};
