#include "host/HostParent.h"

#include <algorithm>

#include "host/HostViewService.h"
#include "platform/oleaut/Bstr.h"
#include "profile/interfaces/HostView.h"

namespace {

std::wstring Text(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// The buttons of a message box by its MB_ button bits, in placement order.
std::vector<LONG> ButtonsOf(UINT type) {
    switch (type & 0x0F) {
    case 0:
        return {1};
    case 1:
        return {1, 2};
    case 2:
        return {3, 4, 5};
    case 3:
        return {6, 7, 2};
    case 4:
        return {6, 7};
    case 5:
        return {4, 2};
    case 6:
        return {2, 10, 11};
    default:
        return {};
    }
}

} // namespace

CHostParent::CHostParent(std::shared_ptr<CHostContext> context)
    : m_context(std::move(context)), m_module(MakeHostObject<CHostModule>(m_context)),
      m_dlgManager(MakeHostObject<CHostDlgManager>(m_context)) {}

HRESULT CHostParent::QueryInterface(REFIID riid, void** ppv) {
    using Object = CHostObject<IPVParent, IPVLogixProperties, IDynamicSubItemHost>;
    if (riid != IPVParent::Iid || !ppv)
        return Object::QueryInterface(riid, ppv);
    *ppv = nullptr;
    return m_context->Faults().Run(L"QueryInterface", L"IPVParent",
                                   [&]() -> HRESULT { return Object::QueryInterface(riid, ppv); });
}

HRESULT CHostParent::NotifyParent() {
    return m_context->Faults().Run(L"NotifyParent", L"", [&]() -> HRESULT {
        ++m_notifications;
        return S_OK;
    });
}

HRESULT CHostParent::RequestInputFocus(IPVChild* child) {
    return m_context->Faults().Run(L"RequestInputFocus", L"", [&]() -> HRESULT {
        if (!child)
            return E_INVALIDARG;
        ++m_focusRequests;
        return S_OK;
    });
}

HRESULT CHostParent::ShowError(BSTR text, BSTR helpFile, DWORD helpContext) {
    return m_context->Faults().Run(L"ShowError", L"", [&]() -> HRESULT {
        m_shownErrors.push_back({Text(text), Text(helpFile), helpContext});
        if (m_errorListener)
            m_errorListener(m_shownErrors.back());
        return S_OK;
    });
}

HRESULT CHostParent::GetParentState(BOOL* state, LONG which) {
    return m_context->Faults().Run(L"GetParentState", std::to_wstring(which), [&]() -> HRESULT {
        if (!state)
            return E_POINTER;
        const auto& states = m_context->Project().Controller().parentStates;
        auto found = states.find(which);
        *state = found != states.end() && found->second ? TRUE : FALSE;
        return S_OK;
    });
}

HRESULT CHostParent::GetModule(IModule** module) {
    return m_context->Faults().Run(L"GetModule", L"", [&]() -> HRESULT {
        if (!module)
            return E_POINTER;
        *module = nullptr;
        return m_module->QueryInterface(IModule::Iid, reinterpret_cast<void**>(module));
    });
}

HRESULT CHostParent::GetDlgManager(IPVDlgManager** manager) {
    return m_context->Faults().Run(L"GetDlgManager", L"", [&]() -> HRESULT {
        if (!manager)
            return E_POINTER;
        *manager = nullptr;
        return m_dlgManager->QueryInterface(IPVDlgManager::Iid, reinterpret_cast<void**>(manager));
    });
}

HRESULT CHostParent::MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                LONG* button) {
    CMessageDlgCall call{owner, Text(text), type, helpContext, Text(helpFile), -1, false};
    const HRESULT result = m_context->Faults().Run(L"MessageDlg", L"", [&]() -> HRESULT {
        if (!button)
            return E_POINTER;
        *button = -1;
        const std::vector<LONG> buttons = ButtonsOf(type);
        if (buttons.empty())
            return E_INVALIDARG;
        if (m_answers.empty()) {
            const size_t defaultIndex = (type >> 8) & 0x0F;
            call.button = buttons[defaultIndex < buttons.size() ? defaultIndex : 0];
        } else {
            call.prepared = true;
            const LONG answer = m_answers.front();
            m_answers.pop_front();
            // A prepared answer the dialog does not offer is a mistake of the script.
            if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
                return E_INVALIDARG;
            call.button = answer;
        }
        *button = call.button;
        return S_OK;
    });
    if (FAILED(result) && button)
        *button = -1;
    m_messageDlgs.push_back(call);
    return result;
}

HRESULT CHostParent::GetHostService(REFCLSID service, IUnknown** object) {
    return m_context->Faults().Run(L"GetHostService", L"", [&]() -> HRESULT {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (service != CLSID_PVExtHostViewConnector)
            return E_NOINTERFACE;
        auto connector = MakeHostObject<CHostViewService>(m_context);
        return connector->QueryInterface(IUnknown::Iid, reinterpret_cast<void**>(object));
    });
}

HRESULT CHostParent::SetProfileDirty(IPVPanel3* panel) {
    return m_context->Faults().Run(L"SetProfileDirty", L"", [&]() -> HRESULT {
        if (!panel)
            return E_INVALIDARG;
        m_profileDirty = true;
        if (m_dirtyListener)
            m_dirtyListener();
        return S_OK;
    });
}

HRESULT CHostParent::GetLogixMode(LONG* mode) {
    return m_context->Faults().Run(L"GetLogixMode", L"", [&]() -> HRESULT {
        if (!mode)
            return E_POINTER;
        *mode = m_context->Project().Controller().mode;
        return S_OK;
    });
}

HRESULT CHostParent::GetRedundancyState(LONG* state) {
    return m_context->Faults().Run(L"GetRedundancyState", L"", [&]() -> HRESULT {
        if (!state)
            return E_POINTER;
        *state = m_context->Project().Controller().redundancyState;
        return S_OK;
    });
}

HRESULT CHostParent::RebuildSubItems(IPVPanel3* panel) {
    return m_context->Faults().Run(L"RebuildSubItems", L"", [&]() -> HRESULT {
        if (!panel)
            return E_INVALIDARG;
        ++m_rebuildRequests;
        return S_OK;
    });
}
