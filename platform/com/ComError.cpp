#include "platform/com/ComError.h"

#include <cwchar>

#include "platform/oleaut/Bstr.h"

namespace {

using Getter = HRESULT (IErrorInfo::*)(BSTR*);

std::wstring ReadText(IErrorInfo* info, Getter getter) {
    if (!info)
        return {};
    BSTR text = nullptr;
    std::wstring result;
    if (SUCCEEDED((info->*getter)(&text)) && text)
        result.assign(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

} // namespace

_com_error::_com_error(HRESULT hr, IErrorInfo* errorInfo, bool addRef) : m_hr(hr) {
    if (addRef)
        m_errorInfo = errorInfo;
    else
        m_errorInfo.Attach(errorInfo);
}

WORD _com_error::WCode() const {
    // Codes 0x80040200 and up of the interface facility are "wCode" errors (IDispatch
    // exceptions) as in the Windows helper.
    const std::uint32_t code = static_cast<std::uint32_t>(m_hr);
    return (code >= 0x80040200u && code <= 0x8004FFFFu) ? static_cast<WORD>(code - 0x80040200u) : 0;
}

IErrorInfo* _com_error::ErrorInfo() const {
    IErrorInfo* info = m_errorInfo.p();
    if (info)
        info->AddRef();
    return info;
}

std::wstring _com_error::Description() const {
    return ReadText(m_errorInfo.p(), &IErrorInfo::GetDescription);
}
std::wstring _com_error::Source() const {
    return ReadText(m_errorInfo.p(), &IErrorInfo::GetSource);
}
std::wstring _com_error::HelpFile() const {
    return ReadText(m_errorInfo.p(), &IErrorInfo::GetHelpFile);
}

DWORD _com_error::HelpContext() const {
    DWORD context = 0;
    if (m_errorInfo)
        m_errorInfo->GetHelpContext(&context);
    return context;
}

GUID _com_error::GUID_() const {
    GUID guid = GUID_NULL;
    if (m_errorInfo)
        m_errorInfo->GetGUID(&guid);
    return guid;
}

std::wstring _com_error::ErrorMessage() const {
    wchar_t text[64];
    if (WORD code = WCode())
        std::swprintf(text, 64, L"IDispatch error #%u", static_cast<unsigned>(code));
    else
        std::swprintf(text, 64, L"Unknown error 0x%08X", static_cast<unsigned>(m_hr));
    return text;
}

void _com_issue_error(HRESULT hr) {
    throw _com_error(hr);
}

void _com_issue_errorex(HRESULT hr, IUnknown* object, REFIID riid) {
    CComPtr<IErrorInfo> info;
    CComPtr<ISupportErrorInfo> support;
    if (object &&
        SUCCEEDED(object->QueryInterface(ISupportErrorInfo::Iid, reinterpret_cast<void**>(&support))) &&
        support->InterfaceSupportsErrorInfo(riid) == S_OK)
        GetErrorInfo(0, &info);
    throw _com_error(hr, info.Detach());
}
