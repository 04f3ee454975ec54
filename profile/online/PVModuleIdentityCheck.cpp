#include "profile/online/PVModuleIdentityCheck.h"

#include "platform/mfc/WaitCursor.h"
#include "profile/contracts/IPVPropPageEnum.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/PVLog.h"
#include "profile/server/PromptServerWrapper.h"
#include "profile/server/ResourceDllManager.h"

HRESULT CPVModuleIdentityCheck::Initialize(IDeviceInfo2* device, IPVPropPageEnum* page) {
    if (!device || !page) {
        PVLog(L"Pointer passed to this method is NULL.");
        return E_POINTER;
    }
    const HRESULT hr = Initialize(device);
    if (SUCCEEDED(hr))
        m_pIPVPropPageEnum = page;
    return hr;
}

HRESULT CPVModuleIdentityCheck::Initialize(IDeviceInfo2* device) {
    if (!device) {
        PVLog(L"Pointer passed to this method is NULL.");
        return E_POINTER;
    }
    CComPtr<IDeviceInfo2> info;
    if (FAILED(device->QueryInterface(IDeviceInfo2::Iid, reinterpret_cast<void**>(&info))) || !info) {
        PVLog(L"Pointer passed to CPVModuleIdentityCheck::Initialize did not upcast properly.");
        return E_POINTER;
    }
    m_spIDeviceInfo2 = info;
    return S_OK;
}

BOOL CPVModuleIdentityCheck::InitializationIsValid() const {
    if (!m_spIDeviceInfo2) {
        PVLog(L"Error: Failed to initialize the data members.");
        return FALSE;
    }
    return TRUE;
}

bool CPVModuleIdentityCheck::IsOnline() const {
    if (!m_pIPVPropPageEnum)
        return true;
    LONG mode = 0;
    if (FAILED(m_pIPVPropPageEnum->GetLogixMode(&mode))) {
        PVLog(L"Failed to get GetLogixMode() return value.");
        return false;
    }
    return IsOnlineMode(mode);
}

int CPVModuleIdentityCheck::CheckModuleIdentity(CPromptInfo* prompt, int refresh) {
    if (!InitializationIsValid())
        return kNotChecked;
    // Offline nothing reaches the device, and nothing needs to.
    if (!IsOnline())
        return kUsable;
    if (refresh == 1 || m_nStatus == kNotChecked) {
        CWaitCursor wait;
        LONG identity = 0;
        if (FAILED(m_spIDeviceInfo2->GetIdentity(&identity))) {
            m_nStatus = kQueryFailed;
        } else {
            m_lIdentity = identity;
            m_nStatus = identity == kIdentityMissing || identity == kIdentityMismatched ? kMissingOrMismatched
                                                                                        : kUsable;
        }
    }
    if (m_nStatus == kUsable || m_nStatus == kNotChecked)
        return m_nStatus;
    return GetPromptInfo(prompt);
}

int CPVModuleIdentityCheck::GetPromptInfo(CPromptInfo* prompt) {
    LONG promptId = 0;
    if (m_nStatus == kQueryFailed)
        promptId = kPromptQueryFailed;
    else if (m_lIdentity == kIdentityMissing)
        promptId = kPromptMissing;
    else if (m_lIdentity == kIdentityMismatched)
        promptId = kPromptMismatched;
    else {
        PVLog(L"Called GetPromptInfo but module is neither Missing nor Mismatched.");
        return m_nStatus;
    }
    // In the language the pages show.
    const LCID lcid = CResourceDllManager::GetInstance()->GetLocale();
    CPromptServerWrapper server;
    if (FAILED(server.Create(CLSID_PVPromptServer, &lcid))) {
        PVLog(L"Failure to initialize CPromptServerWrapper class.");
        return m_nStatus;
    }
    if (FAILED(server.GetPrompt(promptId, prompt)))
        PVLog(L"Failed to get the GetPrompt() return value.");
    return m_nStatus;
}
