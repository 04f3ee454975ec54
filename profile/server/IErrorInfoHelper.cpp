#include "profile/server/IErrorInfoHelper.h"

#include "platform/oleaut/Bstr.h"

CString CIErrorInfoHelper::ReadText(HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) const {
    IErrorInfo* info = m_spErrorInfo.operator->();
    BSTR text = nullptr;
    CString result;
    if (SUCCEEDED((info->*getter)(&text)) && text)
        result = CString(text, static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return result;
}

CString CIErrorInfoHelper::GetDescription() const {
    return ReadText(&IErrorInfo::GetDescription);
}
CString CIErrorInfoHelper::GetHelpFile() const {
    return ReadText(&IErrorInfo::GetHelpFile);
}
CString CIErrorInfoHelper::GetSource() const {
    return ReadText(&IErrorInfo::GetSource);
}

GUID CIErrorInfoHelper::GetGUID() const {
    GUID guid = GUID_NULL;
    if (FAILED(m_spErrorInfo->GetGUID(&guid)))
        guid = GUID_NULL;
    return guid;
}

DWORD CIErrorInfoHelper::GetHelpContext() const {
    DWORD context = 0;
    if (FAILED(m_spErrorInfo->GetHelpContext(&context)))
        context = 0;
    return context;
}

bool CIErrorInfoHelper::operator==(const CIErrorInfoHelper& other) const {
    CComPtr<IErrorInfo> mine(m_spErrorInfo.GetInterfacePtr());
    return mine.IsEqualObject(other.m_spErrorInfo.GetInterfacePtr());
}
