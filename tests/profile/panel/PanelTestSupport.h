// What the panel tests share: a control that records the events it receives and
// answers each with a prepared result, a page over the configuration panel that can
// be given a window and run its dialog initialisation, and host contexts.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "host/HostParent.h"
#include "logger/AopLogCapture.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/WinUser.h"
#include "profile/contracts/IPVCtrl.h"
#include "profile/panel/PVConfigPanelEnum.h"
#include "profile/server/ResourceDllManager.h"

// The calls every recording control of one test writes to, as "name:operation".
using CallLog = std::vector<std::wstring>;

// A control as the page sees it: IPVCtrl and, unless withheld, IPVEventHandler2.
// Unlike the control base it accepts its page more than once, so that it can stand
// in a list twice.
class CRecordingCtrl : public IPVCtrl, public IPVEventHandler2 {
public:
    CRecordingCtrl(std::wstring name, CallLog* log, bool handlesEvents = true)
        : m_name(std::move(name)), m_log(log), m_handlesEvents(handlesEvents) {}

    // The answer of `operation` (S_OK unless set).
    void Answer(const std::wstring& operation, HRESULT result) { m_results[operation] = result; }
    IPVPropPageEnum* Page() const { return m_page; }
    IModule* Module() const { return m_module; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid == IUnknown::Iid || riid == IPVCtrl::Iid)
            *ppv = static_cast<IPVCtrl*>(this);
        else if (riid == IPVEventHandler2::Iid && m_handlesEvents)
            *ppv = static_cast<IPVEventHandler2*>(this);
        else
            return E_NOINTERFACE;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SetIPVPropPageEnum(IPVPropPageEnum* page) override {
        m_page = page;
        return Call(L"SetIPVPropPageEnum");
    }
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override {
        m_module = module;
        return Call(L"SetIModule");
    }
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override { return Call(L"PreInitialActivate"); }
    HRESULT STDMETHODCALLTYPE OnActivate() override { return Call(L"OnActivate"); }
    HRESULT STDMETHODCALLTYPE OnDeactivate() override { return Call(L"OnDeactivate"); }
    HRESULT STDMETHODCALLTYPE Save() override { return Call(L"Save"); }
    HRESULT STDMETHODCALLTYPE Refresh() override { return Call(L"Refresh"); }
    HRESULT STDMETHODCALLTYPE ClearDirty() override { return Call(L"ClearDirty"); }
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd*, UINT id) override {
        return Call(L"OnChangedCtrlData" + std::to_wstring(id));
    }
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG, BSTR, IErrorInfo**) override {
        return Call(L"ValidationErrorHandler");
    }
    HRESULT STDMETHODCALLTYPE PostModDefChange() override { return Call(L"PostModDefChange"); }

    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override {
        return Call(L"LogixStateChanged" + std::to_wstring(state));
    }
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override { return Call(L"ModuleStatusChanged"); }
    HRESULT STDMETHODCALLTYPE Flush() override { return Call(L"Flush"); }
    HRESULT STDMETHODCALLTYPE DataChanged() override { return Call(L"DataChanged"); }
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override { return Call(L"ModuleDefinitionChanged"); }
    HRESULT STDMETHODCALLTYPE Reverted() override { return Call(L"Reverted"); }
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override { return Call(L"DirtyStateChanged"); }
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override { return Call(L"ModuleDeleted"); }

private:
    HRESULT Call(const std::wstring& operation) {
        m_log->push_back(m_name + L":" + operation);
        auto found = m_results.find(operation);
        return found == m_results.end() ? S_OK : found->second;
    }

    std::wstring m_name;
    CallLog* m_log;
    bool m_handlesEvents;
    std::map<std::wstring, HRESULT> m_results;
    IPVPropPageEnum* m_page = nullptr;
    IModule* m_module = nullptr;
};

// A page with up to three recording controls, as a device page is built.
class CTestPage : public CPVConfigPanelEnum {
public:
    explicit CTestPage(UINT templateId = 0) : CPVConfigPanelEnum(templateId) {
        // The module's start-up makes the English resource library current.
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        CResourceDllManager::GetInstance();
        SetHelpProvider(TRUE);
    }

    // Gives the page a window of its own, as the dialog layer will.
    void AdoptWindow(HWND hwnd) { SubclassWindow(hwnd); }
    BOOL RunDialogInit() { return OnInitDialog(); }
};

// A new page held by the test, as the class factory hands it out.
inline CComPtr<CTestPage> NewPage(UINT templateId = 0) {
    return Make<CTestPage>(templateId);
}

// A project as JSON for the host stand-in, with or without each tag.
inline std::string ProjectJson(bool configTag, bool safety, bool safetyTag,
                               const std::string& subItems = "") {
    std::string json = R"({"format":"pvhost-project","version":1,"controller":{"safety":)";
    json += safety ? "true" : "false";
    json += "}";
    json += configTag ? R"(,"configTag":{"name":"Flow:C","members":[]})" : R"(,"configTag":null)";
    if (safetyTag)
        json += R"(,"safetyConfigTag":{"name":"Flow:S","members":[]})";
    if (!subItems.empty())
        json += R"(,"subItems":")" + subItems + "\"";
    return json + "}";
}

inline std::shared_ptr<CHostContext> ContextFor(const std::string& json) {
    auto context = CHostContext::Create();
    std::string error;
    EXPECT_TRUE(context->Project().LoadText(json, "test project", &error)) << error;
    return context;
}

// "function | message" for every captured line.
inline std::vector<std::wstring> LogLines(const CAopLogCapture& log) {
    std::vector<std::wstring> lines;
    for (const auto& record : log.Records())
        lines.push_back(record.function + L" | " + record.message);
    return lines;
}

using Lines = std::vector<std::wstring>;
