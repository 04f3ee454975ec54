#include "profile/server/StringServerWrapper.h"

#include "platform/oleaut/Bstr.h"
#include "profile/server/TextServerConnection.h"

HRESULT CStringServerWrapper::Create(REFCLSID cls, const LCID* lcid) {
    return ConnectTextServer(cls, lcid, m_spServer);
}

CString CStringServerWrapper::GetString(LONG id) {
    if (!m_spServer)
        return CString();
    BSTR text = nullptr;
    CString result;
    if (SUCCEEDED(m_spServer->GetString(id, &text)) && text)
        result = CString(text, static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return result;
}

void CStringServerWrapper::SetWithAccelerators(bool with) {
    m_spServer->SetWithAccelerators(with ? VARIANT_TRUE : VARIANT_FALSE);
}
