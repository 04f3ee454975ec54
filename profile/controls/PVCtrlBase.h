// The base of every control a page shows: the control interface and the control's
// own event handler, the links to the module and the page, the controller state
// queries and the dirty flag. A control is a member of its page; its reference
// counting counts nothing (RuntimeClassFlags<Embedded>).
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/com/RuntimeClass.h"
#include "profile/contracts/IPVCloseDlgHandler.h"
#include "profile/contracts/IPVCtrl.h"
#include "profile/interfaces/HostView.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/PVParent.h"
#include "profile/interfaces/Panel.h"

struct IPVDlgManager;

class CPVCtrlBase : public RuntimeClass<RuntimeClassFlags<Embedded>, IPVCtrl, IPVEventHandler2,
                                        IPVCloseDlgHandler, IPVDocumentation, IPVLogixProperties> {
public:
    // The host's codes the enable rules compare against.
    static constexpr LONG kDefaultLogixMode = 8;
    static constexpr LONG kDefaultRedundancyState = 1;
    static constexpr LONG kDefaultSafetySecuredState = 1;

    CPVCtrlBase() = default;
    ~CPVCtrlBase() override = 0;

    // IPVCtrl
    HRESULT STDMETHODCALLTYPE SetIPVPropPageEnum(IPVPropPageEnum* page) override;
    HRESULT STDMETHODCALLTYPE SetIModule(IModule* module) override;
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override;
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    HRESULT STDMETHODCALLTYPE OnDeactivate() override;
    HRESULT STDMETHODCALLTYPE Save() override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE ClearDirty() override;
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    HRESULT STDMETHODCALLTYPE PostModDefChange() override;

    // IPVEventHandler2
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE DataChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override;
    HRESULT STDMETHODCALLTYPE Reverted() override;
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override;

    // IPVCloseDlgHandler
    HRESULT STDMETHODCALLTYPE OnCloseDlg() override;

    // IPVDocumentation
    HRESULT STDMETHODCALLTYPE GetDocumentationDirtyState(VARIANT_BOOL* dirty) override;

    // IPVLogixProperties
    HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) override;
    HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) override;

    virtual HRESULT UpdateEnabledState() = 0;
    // Reports a modification of `wnd` to the page; marks the control dirty while
    // changes are tracked.
    virtual HRESULT CtrlModified(CWnd* wnd, UINT id);
    virtual void MarkDirty();

    IModule* GetIModule() const;
    IPVPropPageEnum* GetIPVPropPageEnum() const;
    CComPtr<IPVDlgManager> GetIPVDlgManager() const;
    CWnd* GetParentCWnd() const;
    CComPtr<IApplication> GetIApplication() const;
    // The controller's state; each falls back to its default (logged) when unknown.
    LONG GetLogixMode() const;
    LONG GetRedundancyState() const;
    LONG GetSafetySecuredState() const;
    bool GetModuleStateFlag() const;
    bool IsValid() const;

    void SetTrackChanges(BOOL track) { m_bTrackChanges = track; }
    BOOL GetTrackChanges() const { return m_bTrackChanges; }
    BOOL IsDirty() const { return m_bDirty; }
    void SetIgnoreSafetyLock(LONG ignore) { m_lIgnoreSafetyLock = ignore; }
    LONG GetIgnoreSafetyLock() const { return m_lIgnoreSafetyLock; }

private:
    CComPtr<IModule> m_spIModule;
    IPVPropPageEnum* m_pIPVPropPageEnum = nullptr;
    BOOL m_bTrackChanges = TRUE;
    BOOL m_bDirty = FALSE;
    LONG m_lIgnoreSafetyLock = 0;
};
