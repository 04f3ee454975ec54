#include "tests/profile/convert/TestPromptServer.h"

#include "platform/com/ClassTable.h"
#include "platform/oleaut/Bstr.h"

HRESULT CTestPromptServer::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IUnknown::Iid) || IsEqualIID(riid, IPVPromptServer::Iid))
        *ppv = static_cast<IPVPromptServer*>(this);
    else if (IsEqualIID(riid, IPVLocale::Iid))
        *ppv = static_cast<IPVLocale*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

const wchar_t* CTestPromptServer::PromptText(LONG id) {
    switch (id) {
    case 2:
        return L"Enter a value.";
    case 3:
        return L"'%1' is not an integer.";
    case 4:
        return L"'%1' is not a number.";
    case 5:
        return L"'%1' is above the maximum %2.";
    case 6:
        return L"'%1' is below the minimum %2.";
    case 7:
        return L"%1 decimal places are not allowed.";
    case 14:
        return L"'%1' is outside %2 to %3.";
    case 20:
        return L"'%1' is not a time of day.";
    case 21:
        return L"'%1' is not a date.";
    default:
        return nullptr;
    }
}

HRESULT CTestPromptServer::GetPrompt(LONG id, BSTR* helpFile, LONG* helpContext, BSTR* text) {
    m_requested.push_back(id);
    const wchar_t* pattern = PromptText(id);
    if (!pattern)
        return E_INVALIDARG;
    *helpFile = SysAllocString(L"framework.chm");
    *helpContext = HelpContext(id);
    *text = SysAllocString(pattern);
    return S_OK;
}

HRESULT CTestPromptServer::SetLocale(LCID) {
    return S_OK;
}

HRESULT CTestPromptServerRegistration::CFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (!IsEqualIID(riid, IUnknown::Iid) && !IsEqualIID(riid, IClassFactory::Iid)) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    return S_OK;
}

HRESULT CTestPromptServerRegistration::CFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return m_server->QueryInterface(riid, ppv);
}

CTestPromptServerRegistration::CTestPromptServerRegistration() {
    m_status = CoRegisterClassObject(CLSID_PVFrameworkPromptServer, &m_factory, CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_cookie);
}

CTestPromptServerRegistration::~CTestPromptServerRegistration() {
    if (SUCCEEDED(m_status))
        CoRevokeClassObject(m_cookie);
}
