#include "profile/panel/PVCtrlConfigTabCtrl.h"

HRESULT CPVCtrlConfigTabCtrl::SetIModule(IModule* module) {
    const HRESULT hr = CPVCtrlTabCtrl::SetIModule(module);
    if (FAILED(hr))
        return hr;
    return FAILED(m_adapters.Build(module)) ? E_FAIL : hr;
}
