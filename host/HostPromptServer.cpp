#include "host/HostPromptServer.h"

#include "platform/oleaut/Bstr.h"

CHostPromptServer::CHostPromptServer(std::shared_ptr<CHostContext> context, CHostTexts::PromptTable table)
    : m_context(std::move(context)), m_table(table), m_locale(m_context->Project().Controller().locale) {}

HRESULT CHostPromptServer::GetPrompt(LONG id, BSTR* helpFile, LONG* helpContext, BSTR* text) {
    return m_context->Faults().Run(L"GetPrompt", std::to_wstring(id), [&]() -> HRESULT {
        if (!helpFile || !helpContext || !text)
            return E_POINTER;
        *helpFile = nullptr;
        *text = nullptr;
        *helpContext = 0;
        CHostTexts::Prompt prompt;
        if (!CHostTexts::FindPrompt(m_table, id, m_locale, &prompt))
            return E_INVALIDARG;
        *helpFile = SysAllocStringLen(prompt.helpFile.c_str(), static_cast<UINT>(prompt.helpFile.size()));
        *text = SysAllocStringLen(prompt.text.c_str(), static_cast<UINT>(prompt.text.size()));
        if (!*helpFile || !*text) {
            SysFreeString(*helpFile);
            SysFreeString(*text);
            *helpFile = nullptr;
            *text = nullptr;
            return E_OUTOFMEMORY;
        }
        *helpContext = prompt.helpContext;
        return S_OK;
    });
}

HRESULT CHostPromptServer::SetLocale(LCID lcid) {
    return m_context->Faults().Run(L"SetLocale", L"", [&]() -> HRESULT {
        m_locale = lcid;
        return S_OK;
    });
}
