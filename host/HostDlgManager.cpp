#include "host/HostDlgManager.h"

#include "host/HostResults.h"

CHostDlgManager::CHostDlgManager(std::shared_ptr<CHostContext> context) : m_context(std::move(context)) {}

HRESULT CHostDlgManager::Lock() {
    return m_context->Faults().Run(L"Lock", L"", [&]() -> HRESULT {
        ++m_locks;
        return S_OK;
    });
}

HRESULT CHostDlgManager::Unlock() {
    return m_context->Faults().Run(L"Unlock", L"", [&]() -> HRESULT {
        if (m_locks == 0) {
            ++m_unpaired;
            return HOST_E_NOTPAIRED;
        }
        --m_locks;
        return S_OK;
    });
}

HRESULT CHostDlgManager::RegisterDialog(HWND dialog) {
    return m_context->Faults().Run(L"RegisterDialog", L"", [&]() -> HRESULT {
        if (!dialog)
            return E_INVALIDARG;
        if (!m_dialogs.insert(dialog).second) {
            ++m_unpaired;
            return HOST_E_NOTPAIRED;
        }
        return S_OK;
    });
}

HRESULT CHostDlgManager::UnregisterDialog(HWND dialog) {
    return m_context->Faults().Run(L"UnregisterDialog", L"", [&]() -> HRESULT {
        if (m_dialogs.erase(dialog) == 0) {
            ++m_unpaired;
            return HOST_E_NOTPAIRED;
        }
        return S_OK;
    });
}
