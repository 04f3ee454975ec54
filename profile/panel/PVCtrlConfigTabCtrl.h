// A tab control bound to the module's configuration data: when its page hands it
// the module it builds the configuration adapters, as the configuration panel does.
#pragma once

#include "profile/panel/PVConfigAdapters.h"
#include "profile/panel/PVCtrlTabCtrl.h"

class CPVCtrlConfigTabCtrl : public CPVCtrlTabCtrl {
public:
    explicit CPVCtrlConfigTabCtrl(UINT dialogItemId) : CPVCtrlTabCtrl(dialogItemId) {}

    // The tab pages first, then the adapters; E_FAIL when the module has neither tag.
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;

    // Not counted; null when the module had no configuration tag.
    IPVGetSetAdapter* GetIPVGetSetAdapter() const { return m_adapters.Standard(); }
    IPVGetSetAdapter* GetSafetyIPVGetSetAdapter() const { return m_adapters.Safety(); }

private:
    CPVConfigAdapters m_adapters;
};
