// The module whose properties are open: its configuration tag, its safety (answered
// only by a module with safety), its state flag, the controller software version,
// and the source of the page's dynamic sub-items.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/Panel.h"

class CHostModule : public CHostObject<IModule, IModuleSafety, IModuleSafetyLock, IModuleState,
                                       IModuleInternal7, IDynamicSubItemSource> {
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

    // Tells every advised page that the sub-items changed.
    void FireSubItemsChanged(LONG hint);
    size_t AdvisedCount() const { return m_advised.size(); }
    const std::vector<ULONG>& SelectedSubItems() const { return m_selected; }

protected:
    bool Answers(REFIID riid) const override;

private:
    std::shared_ptr<CHostContext> m_context;
    // A list, as CComPtr cannot be moved inside a vector (its operator& is overloaded).
    std::list<CComPtr<IDynamicSubItemEvents>> m_advised;
    std::vector<ULONG> m_selected;
};
