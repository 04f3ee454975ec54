// The base of the device pages: a panel bound to the module's configuration data.
// While the host initialises the page it wraps the module's configuration tag (and
// the safety configuration tag, where the module has one) in tag adapters; the pages
// build their value objects on the standard one.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/panel/PVPanelEnum.h"
#include "profile/values/IPVGetSetAdapter.h"

class CPVConfigPanelEnum : public CPVPanelEnum {
public:
    explicit CPVConfigPanelEnum(UINT dialogTemplateId);
    ~CPVConfigPanelEnum() override;

    HRESULT STDMETHODCALLTYPE Init(IPVParent* parent) override;

    // The standard adapter, not counted (the page keeps it alive); null (logged) when
    // the module had no configuration tag.
    IPVGetSetAdapter* GetIPVGetSetAdapter();
    // The safety adapter, not counted; null when the module has no safety tag.
    IPVGetSetAdapter* GetSafetyIPVGetSetAdapter() const { return m_spSafetyAdapter; }

private:
    CComPtr<IPVGetSetAdapter> m_spIPVGetSetAdapter;
    CComPtr<IPVGetSetAdapter> m_spSafetyAdapter;
};
