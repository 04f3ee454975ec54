#include "profile/server/IErrorInfoHelper.h"

#include "platform/oleaut/BstrT.h"

CString CIErrorInfoHelper::ReadText(HRESULT (STDMETHODCALLTYPE IErrorInfo::*getter)(BSTR*)) const {
    IErrorInfo* info = m_spErrorInfo.operator->();
    _bstr_t text;
    if (SUCCEEDED((info->*getter)(text.GetAddress())) && text.GetBSTR())
        return CString(text, static_cast<int>(text.length()));
    return CString();
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
