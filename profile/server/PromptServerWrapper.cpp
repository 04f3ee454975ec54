#include "profile/server/PromptServerWrapper.h"

#include "platform/oleaut/Bstr.h"
#include "profile/server/TextServerConnection.h"

namespace {

CString TakeText(BSTR text) {
    CString result = text ? CString(text, static_cast<int>(SysStringLen(text))) : CString();
    SysFreeString(text);
    return result;
}

} // namespace

HRESULT CPromptServerWrapper::Create(REFCLSID cls, const LCID* lcid) {
    return ConnectTextServer(cls, lcid, m_spServer);
}

HRESULT CPromptServerWrapper::GetPrompt(LONG promptId, CPromptInfo* info) {
    if (!info)
        return E_INVALIDARG;
    if (!m_spServer)
        return E_UNEXPECTED;
    info->Clear();
    BSTR helpFile = nullptr;
    BSTR text = nullptr;
    LONG helpContext = 0;
    const HRESULT hr = m_spServer->GetPrompt(promptId, &helpFile, &helpContext, &text);
    CString helpFileText = TakeText(helpFile);
    CString messageText = TakeText(text);
    if (SUCCEEDED(hr)) {
        info->m_strHelpFile = helpFileText;
        info->m_strText = messageText;
        info->m_dwHelpContext = static_cast<DWORD>(helpContext);
    }
    return hr;
}
