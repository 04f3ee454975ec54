// A tab page bound to the module's configuration data: when its tab control hands it
// the module it builds the configuration adapters its value objects are made on.
#pragma once

#include "profile/panel/PVConfigAdapters.h"
#include "profile/panel/PVTabPageEnum.h"

class CPVTabPageConfigEnum : public CPVTabPageEnum {
public:
    explicit CPVTabPageConfigEnum(UINT templateId) : CPVTabPageEnum(templateId) {}

    // The controls first, then the adapters; E_FAIL when the module has neither tag.
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;

    // Not counted; null when the module had no configuration tag.
    IPVGetSetAdapter* GetIPVGetSetAdapter() const { return m_adapters.Standard(); }
    IPVGetSetAdapter* GetSafetyIPVGetSetAdapter() const { return m_adapters.Safety(); }

private:
    CPVConfigAdapters m_adapters;
};
