// The verification settings page on the host with one online button that sends the
// device one request by its name, as the service buttons do, and shows the device's
// error information when it fails.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/com/ErrorInfo.h"
#include "platform/kernel/Clock.h"
#include "profile/interfaces/Device.h"
#include "profile/online/PVCtrlOnlineButton.h"
#include "profile/resources/ResourceIds.h"
#include "profile/server/PromptInfo.h"
#include "tests/host/HostTestSupport.h"
#include "tests/profile/controls/ControlPageSupport.h"

class CTestServiceButton : public CPVCtrlOnlineButton {
public:
    CTestServiceButton(int timerMode, int notifyMode, int confirm)
        : CPVCtrlOnlineButton(IDC_VERSET_REFRESH, IDC_VERSET_STATUS, L"Refresh", 1, timerMode, notifyMode,
                              confirm, 0, MB_ICONEXCLAMATION) {}
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override {
        const HRESULT hr = CPVCtrlOnlineButton::SetIModule(module);
        return FAILED(hr)
                   ? hr
                   : module->QueryInterface(IModuleServices::Iid, reinterpret_cast<void**>(&m_services));
    }
    HRESULT PerformService(IErrorInfo** error) override {
        if (during)
            during();
        VARIANT empty;
        VariantInit(&empty);
        const HRESULT hr = m_services->ExecuteService(CTestBstr(GetMemberNames()[0].GetString()), empty);
        CComPtr<ISupportErrorInfo> support;
        if (FAILED(hr) && SUCCEEDED(m_services.QueryInterface(&support)) &&
            support->InterfaceSupportsErrorInfo(IModuleServices::Iid) == S_OK)
            GetErrorInfo(0, error);
        return hr;
    }
    HRESULT GetConfirmationMessage(CPromptInfo* prompt) override {
        prompt->m_strText = L"Send the request?";
        return S_OK;
    }
    // Runs inside the action, before the request.
    std::function<void()> during;

private:
    CComPtr<IModuleServices> m_services;
};

struct OnlinePage : PageOnHost {
    CTestServiceButton button;
    CallLog calls;
    CRecordingCtrl watcher{L"watcher", &calls};

    explicit OnlinePage(int timerMode, int notifyMode = 0, int confirm = 0,
                        const std::function<void(CDeviceConfig&)>& device = nullptr)
        : PageOnHost(IDD_VERIFICATION_SETTINGS), button(timerMode, notifyMode, confirm) {
        CClock::Instance().SetVirtual(true);
        CUserHand::Instance().Reset();
        CDeviceConfig config = context->Project().Device();
        if (device)
            device(config);
        context->Project().SetDevice(config);
        Add(&button);
        Add(&watcher);
        Create();
        Subclass(button, IDC_VERSET_REFRESH);
        start = CClock::Instance().Now();
        EXPECT_EQ(S_OK, page->OnActivate());
    }
    ~OnlinePage() { page->OnDeactivate(); }

    HWND Button() const { return Item(IDC_VERSET_REFRESH); }
    bool Click() { return CUserHand::Instance().Click(Button()); }
    void Wait(ULONGLONG ms) { CUserHand::Instance().AdvanceClock(ms); }
    void SetMode(LONG mode) {
        context->Project().Controller().mode = mode;
        page->LogixStateChanged(mode);
    }
    CSimulatedDevice& Device() { return parent->Module()->Device(); }
    // When each "Refresh" reached the device, counted from the activation.
    std::vector<ULONGLONG> Refreshes() {
        std::vector<ULONGLONG> ticks;
        for (const CDeviceRequest& request : Device().Requests())
            if (request.name == L"Refresh")
                ticks.push_back(request.tick - start);
        return ticks;
    }
    // The host calls around an action, in order.
    std::vector<std::wstring> HostCalls() const {
        std::vector<std::wstring> seen;
        for (const CHostCall& call : context->Faults().Calls())
            if (call.operation == L"Lock" || call.operation == L"Unlock" || call.operation == L"MessageDlg" ||
                call.operation == L"ExecuteService" || call.operation == L"ShowError")
                seen.push_back(call.operation);
        return seen;
    }

    ULONGLONG start = 0;
};
