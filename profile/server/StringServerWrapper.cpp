#include "profile/server/StringServerWrapper.h"

#include "platform/oleaut/BstrT.h"
#include "profile/server/TextServerConnection.h"

HRESULT CStringServerWrapper::Create(REFCLSID cls, const LCID* lcid) {
    return ConnectTextServer(cls, lcid, m_spServer);
}

CString CStringServerWrapper::GetString(LONG id) {
    if (!m_spServer)
        return CString();
    _bstr_t text;
    if (SUCCEEDED(m_spServer->GetString(id, text.GetAddress())) && text.GetBSTR())
        return CString(text, static_cast<int>(text.length()));
    return CString();
}

void CStringServerWrapper::SetWithAccelerators(bool with) {
    m_spServer->SetWithAccelerators(with ? VARIANT_TRUE : VARIANT_FALSE);
}
