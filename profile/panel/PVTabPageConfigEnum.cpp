#include "profile/panel/PVTabPageConfigEnum.h"

HRESULT CPVTabPageConfigEnum::SetIModule(IModule* module) {
    const HRESULT hr = CPVTabPageEnum::SetIModule(module);
    if (FAILED(hr))
        return hr;
    return FAILED(m_adapters.Build(module)) ? E_FAIL : hr;
}
