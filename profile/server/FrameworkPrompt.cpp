#include "profile/server/FrameworkPrompt.h"

#include <string>
#include <vector>

#include "platform/kernel/MessageFormat.h"
#include "profile/interfaces/TextServers.h"
#include "profile/server/PromptServerWrapper.h"
#include "profile/server/ResourceDllManager.h"

namespace {

HRESULT GetFormattedPrompt(LONG promptId, const std::vector<std::wstring>& args, CPromptInfo* info) {
    const HRESULT hr = GetFrameworkPrompt(promptId, info);
    if (FAILED(hr))
        return hr;
    info->m_strText = CString(CMessageFormat::Format(info->m_strText, args).c_str());
    return hr;
}

std::wstring Text(const wchar_t* text) {
    return text ? text : L"";
}

} // namespace

HRESULT GetFrameworkPrompt(LONG promptId, CPromptInfo* info) {
    if (!info)
        return E_INVALIDARG;
    info->Clear();
    const LCID lcid = CResourceDllManager::GetInstance()->GetLocale();
    CPromptServerWrapper server;
    server.Create(CLSID_PVFrameworkPromptServer, &lcid);
    return server.GetPrompt(promptId, info);
}

HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, CPromptInfo* info) {
    return GetFormattedPrompt(promptId, {Text(arg1)}, info);
}

HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, const wchar_t* arg2, CPromptInfo* info) {
    return GetFormattedPrompt(promptId, {Text(arg1), Text(arg2)}, info);
}

HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, const wchar_t* arg2, const wchar_t* arg3,
                           CPromptInfo* info) {
    return GetFormattedPrompt(promptId, {Text(arg1), Text(arg2), Text(arg3)}, info);
}

void PrefixPromptText(CPromptInfo* info, const wchar_t* name) {
    if (!info || !name)
        return;
    info->m_strText = CString(name) + L":  " + info->m_strText;
}
