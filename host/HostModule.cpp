#include "host/HostModule.h"

#include "host/HostTag.h"
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
