#include "host/HostModule.h"

#include "host/HostTag.h"
#include "platform/com/ComPtr.h"
#include "platform/oleaut/Bstr.h"

CHostModule::CHostModule(std::shared_ptr<CHostContext> context) : m_context(std::move(context)) {}

bool CHostModule::Answers(REFIID riid) const {
    if (riid == IModuleSafety::Iid || riid == IModuleSafetyLock::Iid)
        return m_context->Project().Controller().hasSafety;
    return true;
}

HRESULT CHostModule::GetConfigTag(ITag** tag) {
    return m_context->Faults().Run(L"GetConfigTag", L"", [&]() -> HRESULT {
        if (!tag)
            return E_POINTER;
        *tag = nullptr;
        if (!m_context->Project().HasConfigTag())
            return E_NOINTERFACE;
        auto object = MakeHostObject<CHostTag>(m_context, CHostTag::Which::Config);
        return object->QueryInterface(ITag::Iid, reinterpret_cast<void**>(tag));
    });
}

HRESULT CHostModule::GetSafetyConfigTag(ITag** tag) {
    return m_context->Faults().Run(L"GetSafetyConfigTag", L"", [&]() -> HRESULT {
        if (!tag)
            return E_POINTER;
        *tag = nullptr;
        if (!m_context->Project().HasSafetyConfigTag())
            return E_NOINTERFACE;
        auto object = MakeHostObject<CHostTag>(m_context, CHostTag::Which::SafetyConfig);
        return object->QueryInterface(ITag::Iid, reinterpret_cast<void**>(tag));
    });
}

HRESULT CHostModule::GetSafetyEnabled(LONG scope, VARIANT_BOOL* enabled) {
    return m_context->Faults().Run(L"GetSafetyEnabled", L"", [&]() -> HRESULT {
        if (!enabled)
            return E_POINTER;
        const bool on = m_context->Project().Controller().safetyEnabled;
        *enabled = on ? VARIANT_TRUE : VARIANT_FALSE;
        return on ? S_OK : S_FALSE;
    });
}

HRESULT CHostModule::GetSafetyLockedOut(VARIANT_BOOL* lockedOut) {
    return m_context->Faults().Run(L"GetSafetyLockedOut", L"", [&]() -> HRESULT {
        if (!lockedOut)
            return E_POINTER;
        *lockedOut = m_context->Project().Controller().safetyLockedOut ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostModule::get_ModuleStateFlag(VARIANT_BOOL* flag) {
    return m_context->Faults().Run(L"get_ModuleStateFlag", L"", [&]() -> HRESULT {
        if (!flag)
            return E_POINTER;
        *flag = m_context->Project().Controller().moduleStateFlag ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostModule::get_CurrentLogixVersion(LONG* version) {
    return m_context->Faults().Run(L"get_CurrentLogixVersion", L"", [&]() -> HRESULT {
        if (!version)
            return E_POINTER;
        *version = m_context->Project().Controller().logixVersion;
        return S_OK;
    });
}

HRESULT CHostModule::AdviseSubItems(IDynamicSubItemEvents* events) {
    return m_context->Faults().Run(L"AdviseSubItems", L"", [&]() -> HRESULT {
        if (!events)
            return E_POINTER;
        m_advised.emplace_back(events);
        return S_OK;
    });
}

HRESULT CHostModule::UnadviseSubItems(IDynamicSubItemEvents* events) {
    return m_context->Faults().Run(L"UnadviseSubItems", L"", [&]() -> HRESULT {
        for (auto it = m_advised.begin(); it != m_advised.end(); ++it) {
            if (it->p() == events) {
                m_advised.erase(it);
                return S_OK;
            }
        }
        return E_INVALIDARG;
    });
}

HRESULT CHostModule::GetSubItemsXml(BSTR* xml) {
    return m_context->Faults().Run(L"GetSubItemsXml", L"", [&]() -> HRESULT {
        if (!xml)
            return E_POINTER;
        const std::wstring& text = m_context->Project().SubItemsXml();
        *xml = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
        return *xml ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT CHostModule::SubItemSelChanged(ULONG itemId) {
    return m_context->Faults().Run(L"SubItemSelChanged", L"", [&]() -> HRESULT {
        m_selected.push_back(itemId);
        return S_OK;
    });
}

void CHostModule::FireSubItemsChanged(LONG hint) {
    // A page may unadvise from inside its notification: walk a copy.
    const auto advised = m_advised;
    for (const auto& events : advised)
        events->OnSubItemsChanged(hint);
}

CSimulatedDevice& CHostModule::Device() {
    if (!m_device) {
        CDeviceConfig config = m_context->Project().Device();
        if (!m_context->Project().HasDevice())
            config.identity = CDeviceConfig::Identity::Missing;
        // The context outlives the module and so the device.
        CHostContext* context = m_context.get();
        m_device = std::make_unique<CSimulatedDevice>(
            config, [context] { return CControllerState::IsOnlineMode(context->Project().Controller().mode); });
    }
    return *m_device;
}

HRESULT CHostModule::Answer(HRESULT result, REFIID iid) {
    if (SUCCEEDED(result))
        return result;
    CComPtr<ICreateErrorInfo> created;
    CComPtr<IErrorInfo> error;
    if (SUCCEEDED(CreateErrorInfo(&created)) &&
        SUCCEEDED(created->QueryInterface(IErrorInfo::Iid, reinterpret_cast<void**>(&error)))) {
        std::wstring source = L"Simulated device";
        std::wstring description = Device().LastError();
        created->SetGUID(iid);
        created->SetSource(source.data());
        created->SetDescription(description.data());
        SetErrorInfo(0, error);
    }
    return result;
}

namespace {
std::wstring NameOf(BSTR name) {
    return name ? std::wstring(name, SysStringLen(name)) : std::wstring();
}
} // namespace

HRESULT CHostModule::GetIdentity(LONG* identity) {
    return m_context->Faults().Run(L"GetIdentity", L"", [&]() -> HRESULT {
        return Answer(Device().GetIdentity(identity), IDeviceInfo2::Iid);
    });
}

HRESULT CHostModule::GetAttribute(BSTR name, VARIANT argument, VARIANT* value) {
    return m_context->Faults().Run(L"GetAttribute", NameOf(name), [&]() -> HRESULT {
        return Answer(Device().GetAttribute(NameOf(name), argument, value), IModuleServices::Iid);
    });
}

HRESULT CHostModule::ExecuteService(BSTR name, VARIANT data) {
    return m_context->Faults().Run(L"ExecuteService", NameOf(name), [&]() -> HRESULT {
        return Answer(Device().ExecuteService(NameOf(name), data), IModuleServices::Iid);
    });
}

HRESULT CHostModule::HasName(BSTR name, VARIANT_BOOL* known) {
    return m_context->Faults().Run(L"HasName", NameOf(name), [&]() -> HRESULT {
        if (!known)
            return E_POINTER;
        *known = CSimulatedDevice::KnowsName(NameOf(name)) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT CHostModule::InvokeMethod(BSTR name, VARIANT argument, LONG flags, LONG* result) {
    return m_context->Faults().Run(L"InvokeMethod", NameOf(name), [&]() -> HRESULT {
        return Answer(Device().InvokeMethod(NameOf(name), argument, flags, result), IModuleMethods::Iid);
    });
}

HRESULT CHostModule::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == IModuleServices::Iid || riid == IModuleMethods::Iid ? S_OK : S_FALSE;
}
