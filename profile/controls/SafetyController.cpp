#include "profile/controls/SafetyController.h"

#include "platform/com/ComPtr.h"
#include "profile/interfaces/Module.h"
#include "profile/server/PVLog.h"

HRESULT CSafetyController::GetSafetySecuredState(IUnknown* module, LONG* secured) {
    if (!secured)
        return E_POINTER;
    *secured = 0;
    if (!module)
        return E_FAIL;
    CComPtr<IModuleSafety> safety;
    CComPtr<IModuleSafetyLock> lock;
    if (FAILED(module->QueryInterface(IModuleSafety::Iid, reinterpret_cast<void**>(&safety))) || !safety ||
        FAILED(module->QueryInterface(IModuleSafetyLock::Iid, reinterpret_cast<void**>(&lock))) || !lock)
        return S_OK;
    VARIANT_BOOL enabled = VARIANT_FALSE;
    const HRESULT hr = safety->GetSafetyEnabled(1, &enabled);
    if (FAILED(hr)) {
        PVLog(L"Error: Failed to get safety enabled state\n");
        return hr;
    }
    if (hr == S_FALSE)
        return S_OK;
    *secured = 1;
    // A failing lock query leaves the module secured.
    VARIANT_BOOL lockedOut = VARIANT_FALSE;
    if (SUCCEEDED(lock->GetSafetyLockedOut(&lockedOut)))
        *secured = lockedOut == VARIANT_TRUE ? 0 : 1;
    return S_OK;
}
