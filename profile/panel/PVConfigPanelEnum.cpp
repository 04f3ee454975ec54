#include "profile/panel/PVConfigPanelEnum.h"

#include <new>

#include "platform/mfc/ModuleState.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/Tag.h"
#include "profile/server/PVLog.h"
#include "profile/values/PVGetSetAdapter.h"

namespace {

// A new adapter over `tag`, or null when it cannot be made.
CComPtr<IPVGetSetAdapter> MakeAdapter(ITag* tag) {
    CPVGetSetAdapterITag* adapter = new (std::nothrow) CPVGetSetAdapterITag(tag);
    CComPtr<IPVGetSetAdapter> held;
    // The adapter is born with one reference, which the smart pointer takes over.
    held.Attach(adapter);
    return held;
}

} // namespace

CPVConfigPanelEnum::CPVConfigPanelEnum(UINT dialogTemplateId) : CPVPanelEnum(dialogTemplateId) {}

CPVConfigPanelEnum::~CPVConfigPanelEnum() {
    m_spSafetyAdapter.Release();
    m_spIPVGetSetAdapter.Release();
}

HRESULT CPVConfigPanelEnum::Init(IPVParent* parent) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (FAILED(CPVPanelEnum::Init(parent))) {
        PVLog(L"Base class initialization failed.");
        return E_FAIL;
    }
    CComPtr<IModule> module;
    if (FAILED(parent->GetModule(&module)) || !module) {
        PVLog(L"Unable to get IModule interface.");
        return E_UNEXPECTED;
    }

    CComPtr<ITag> tag;
    HRESULT hr = module->GetConfigTag(&tag);
    if (FAILED(hr) && hr != E_NOINTERFACE) {
        PVLog(L"Failed to get tag component.");
        return E_FAIL;
    }
    const bool hasStandard = SUCCEEDED(hr) && tag;
    if (hasStandard) {
        m_spIPVGetSetAdapter = MakeAdapter(tag);
        if (!m_spIPVGetSetAdapter) {
            PVLog(L"Failed to create adapter object.");
            return E_FAIL;
        }
    }

    bool hasSafety = false;
    CComPtr<IModuleSafety> safety;
    if (SUCCEEDED(module.QueryInterface(&safety)) && safety) {
        CComPtr<ITag> safetyTag;
        hr = safety->GetSafetyConfigTag(&safetyTag);
        if (FAILED(hr) && hr != E_NOINTERFACE) {
            PVLog(L"Failed to get safety tag component.");
            return E_FAIL;
        }
        hasSafety = SUCCEEDED(hr) && safetyTag;
        if (hasSafety) {
            m_spSafetyAdapter = MakeAdapter(safetyTag);
            if (!m_spSafetyAdapter) {
                PVLog(L"Failed to create safety adapter object.");
                return E_FAIL;
            }
        }
    }

    if (!hasStandard && !hasSafety) {
        PVLog(L"Failed to get config tag component, Neither of safety and standard config tag exists.\n");
        return E_FAIL;
    }
    return S_OK;
}

IPVGetSetAdapter* CPVConfigPanelEnum::GetIPVGetSetAdapter() {
    if (!m_spIPVGetSetAdapter)
        PVLog(L"CPVConfigPanelEnum has a NULL adapter pointer.");
    return m_spIPVGetSetAdapter;
}
