#include "platform/msxml/DOMParseError.h"

#include <utility>

#include "platform/oleaut/Bstr.h"

CDOMParseError::CDOMParseError(XmlParseFailure failure) : m_failure(std::move(failure)) {}

HRESULT STDMETHODCALLTYPE CDOMParseError::get_errorCode(LONG* errorCode) {
    if (!errorCode)
        return E_INVALIDARG;
    *errorCode = m_failure.code;
    return m_failure.code ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE CDOMParseError::get_reason(BSTR* reason) {
    if (!reason)
        return E_INVALIDARG;
    if (!m_failure.code) {
        *reason = nullptr;
        return S_FALSE;
    }
    *reason = SysAllocStringLen(m_failure.reason.data(), static_cast<UINT>(m_failure.reason.size()));
    return *reason ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE CDOMParseError::get_line(LONG* lineNumber) {
    if (!lineNumber)
        return E_INVALIDARG;
    *lineNumber = m_failure.line;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CDOMParseError::get_linepos(LONG* linePosition) {
    if (!linePosition)
        return E_INVALIDARG;
    *linePosition = m_failure.linePosition;
    return S_OK;
}
