#include "host/HostStringServer.h"

#include "host/HostTexts.h"
#include "platform/oleaut/Bstr.h"

namespace {

// "&&" stands for one '&'; a single '&' marks the accelerator and goes.
std::wstring WithoutAccelerators(const std::wstring& label) {
    std::wstring plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == L'&' && i + 1 < label.size())
            ++i;
        plain += label[i];
    }
    return plain;
}

} // namespace

CHostStringServer::CHostStringServer(std::shared_ptr<CHostContext> context)
    : m_context(std::move(context)), m_locale(m_context->Project().Controller().locale) {}

HRESULT CHostStringServer::GetString(LONG id, BSTR* text) {
    return m_context->Faults().Run(L"GetString", std::to_wstring(id), [&]() -> HRESULT {
        if (!text)
            return E_POINTER;
        *text = nullptr;
        std::wstring found;
        if (!CHostTexts::String(id, m_locale, &found))
            return E_INVALIDARG;
        if (!m_withAccelerators)
            found = WithoutAccelerators(found);
        *text = SysAllocStringLen(found.c_str(), static_cast<UINT>(found.size()));
        return *text ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT CHostStringServer::SetWithAccelerators(VARIANT_BOOL with) {
    return m_context->Faults().Run(L"SetWithAccelerators", L"", [&]() -> HRESULT {
        m_withAccelerators = with == VARIANT_TRUE;
        return S_OK;
    });
}

HRESULT CHostStringServer::SetLocale(LCID lcid) {
    return m_context->Faults().Run(L"SetLocale", L"", [&]() -> HRESULT {
        m_locale = lcid;
        return S_OK;
    });
}
