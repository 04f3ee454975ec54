// The module whose properties are open: its configuration tag, its safety (answered
// only by a module with safety), its state flag, the controller software version,
// the source of the page's dynamic sub-items, and the simulated device behind it,
// reached while the controller is online.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "host/device/SimulatedDevice.h"
#include "platform/com/ErrorInfo.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/Panel.h"

class CHostModule : public CHostObject<IModule, IModuleSafety, IModuleSafetyLock, IModuleState,
                                       IModuleInternal7, IDynamicSubItemSource, IDeviceInfo2,
                                       IModuleServices, IModuleMethods, ISupportErrorInfo> {
public:
    explicit CHostModule(std::shared_ptr<CHostContext> context);

    // IModule
    HRESULT STDMETHODCALLTYPE GetConfigTag(ITag** tag) override;
    // IModuleSafety, IModuleSafetyLock
    HRESULT STDMETHODCALLTYPE GetSafetyConfigTag(ITag** tag) override;
    HRESULT STDMETHODCALLTYPE GetSafetyEnabled(LONG scope, VARIANT_BOOL* enabled) override;
    HRESULT STDMETHODCALLTYPE GetSafetyLockedOut(VARIANT_BOOL* lockedOut) override;
    // IModuleState
    HRESULT STDMETHODCALLTYPE get_ModuleStateFlag(VARIANT_BOOL* flag) override;
    // IModuleInternal7
    HRESULT STDMETHODCALLTYPE get_CurrentLogixVersion(LONG* version) override;
    // IDynamicSubItemSource
    HRESULT STDMETHODCALLTYPE AdviseSubItems(IDynamicSubItemEvents* events) override;
    HRESULT STDMETHODCALLTYPE UnadviseSubItems(IDynamicSubItemEvents* events) override;
    HRESULT STDMETHODCALLTYPE GetSubItemsXml(BSTR* xml) override;
    HRESULT STDMETHODCALLTYPE SubItemSelChanged(ULONG itemId) override;
    // IDeviceInfo2, IModuleServices, IModuleMethods: answered by the device.
    HRESULT STDMETHODCALLTYPE GetIdentity(LONG* identity) override;
    HRESULT STDMETHODCALLTYPE GetAttribute(BSTR name, VARIANT argument, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE ExecuteService(BSTR name, VARIANT data) override;
    HRESULT STDMETHODCALLTYPE HasName(BSTR name, VARIANT_BOOL* known) override;
    HRESULT STDMETHODCALLTYPE InvokeMethod(BSTR name, VARIANT argument, LONG flags, LONG* result) override;
    // ISupportErrorInfo: S_OK for IModuleServices and IModuleMethods.
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // Tells every advised page that the sub-items changed.
    void FireSubItemsChanged(LONG hint);
    size_t AdvisedCount() const { return m_advised.size(); }
    const std::vector<ULONG>& SelectedSubItems() const { return m_selected; }
    // The device of the project's "device" section, made on first use; a project
    // without one has a missing device.
    CSimulatedDevice& Device();

protected:
    bool Answers(REFIID riid) const override;

private:
    // Leaves error information for a failed device request of interface `iid`.
    HRESULT Answer(HRESULT result, REFIID iid);

    std::shared_ptr<CHostContext> m_context;
    std::unique_ptr<CSimulatedDevice> m_device;
    // A list, as CComPtr cannot be moved inside a vector (its operator& is overloaded).
    std::list<CComPtr<IDynamicSubItemEvents>> m_advised;
    std::vector<ULONG> m_selected;
};
