// _com_error: what the smart-pointer layer raises when a COM call fails where the
// caller asked for exceptions. It carries the HRESULT and, when there was one, the
// error object the failing call left.
#pragma once

#include <string>

#include "platform/com/ComPtr.h"
#include "platform/com/ErrorInfo.h"

class _com_error {
public:
    explicit _com_error(HRESULT hr, IErrorInfo* errorInfo = nullptr, bool addRef = false);
    _com_error(const _com_error& other) = default;
    _com_error& operator=(const _com_error& other) = default;
    virtual ~_com_error() = default;

    HRESULT Error() const { return m_hr; }
    WORD WCode() const;
    // The error object, AddRef'ed for the caller (null when there is none).
    IErrorInfo* ErrorInfo() const;
    std::wstring Description() const;
    std::wstring Source() const;
    std::wstring HelpFile() const;
    DWORD HelpContext() const;
    GUID GUID_() const;
    // A readable text for the code, as "IDispatch error #n" or "Unknown error 0x...".
    std::wstring ErrorMessage() const;

private:
    HRESULT m_hr;
    CComPtr<IErrorInfo> m_errorInfo;
};

// Raise a COM error for `hr`; the Ex form takes the thread's error object when
// `object` says through ISupportErrorInfo that it leaves one for `riid`.
[[noreturn]] void _com_issue_error(HRESULT hr);
[[noreturn]] void _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID riid);
