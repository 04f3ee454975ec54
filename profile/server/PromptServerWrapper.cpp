#include "profile/server/PromptServerWrapper.h"

#include "platform/oleaut/BstrT.h"
#include "profile/server/TextServerConnection.h"

namespace {

CString TextOf(const _bstr_t& text) {
    return text.GetBSTR() ? CString(text, static_cast<int>(text.length())) : CString();
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
    _bstr_t helpFile;
    _bstr_t text;
    LONG helpContext = 0;
    const HRESULT hr =
        m_spServer->GetPrompt(promptId, helpFile.GetAddress(), &helpContext, text.GetAddress());
    if (SUCCEEDED(hr)) {
        info->m_strHelpFile = TextOf(helpFile);
        info->m_strText = TextOf(text);
        info->m_dwHelpContext = static_cast<DWORD>(helpContext);
    }
    return hr;
}
