// The configuration adapters of a tab control or tab page: one over the module's
// configuration tag and one over its safety configuration tag, each where the module
// has that tag. Built from the module the page hands down; no log lines.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/values/IPVGetSetAdapter.h"

struct IModule;

class CPVConfigAdapters {
public:
    // Replaces the adapters by new ones over the module's tags. E_FAIL when an adapter
    // cannot be made or the module has neither tag.
    HRESULT Build(IModule* module);

    // Not counted (the owner keeps them alive); null when the module had no such tag.
    IPVGetSetAdapter* Standard() const { return m_spIPVGetSetAdapter; }
    IPVGetSetAdapter* Safety() const { return m_spSafetyAdapter; }

private:
    CComPtr<IPVGetSetAdapter> m_spIPVGetSetAdapter;
    CComPtr<IPVGetSetAdapter> m_spSafetyAdapter;
};
