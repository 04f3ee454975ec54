// The parent a page receives in IPVChild::Init: the host's side of the properties
// dialog. It hands out the module, the dialog manager and the host services, tells
// the controller's mode and redundancy state, and records what the page asks of it
// (profile dirty, errors shown, message dialogs, focus requests) for the host and
// for tests. Message dialogs are answered from a queue of prepared answers.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/HostContext.h"
#include "host/HostDlgManager.h"
#include "host/HostModule.h"
#include "host/HostObject.h"
#include "profile/interfaces/PVParent.h"

struct CShownError {
    std::wstring text;
    std::wstring helpFile;
    DWORD helpContext = 0;
};

struct CMessageDlgCall {
    HWND owner = nullptr;
    std::wstring text;
    UINT type = 0;
    DWORD helpContext = 0;
    std::wstring helpFile;
    LONG button = -1;
    // False when no answer was prepared and the dialog's default button was taken.
    bool prepared = false;
};

class CHostParent : public CHostObject<IPVParent, IPVLogixProperties, IDynamicSubItemHost> {
public:
    explicit CHostParent(std::shared_ptr<CHostContext> context);

    // A query for IPVParent is the host operation "QueryInterface" on member
    // "IPVParent", so that a page's way to its parent can be made to fail.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;

    // IPVParent
    HRESULT STDMETHODCALLTYPE NotifyParent() override;
    HRESULT STDMETHODCALLTYPE RequestInputFocus(IPVChild* child) override;
    HRESULT STDMETHODCALLTYPE ShowError(BSTR text, BSTR helpFile, DWORD helpContext) override;
    HRESULT STDMETHODCALLTYPE GetParentState(BOOL* state, LONG which) override;
    HRESULT STDMETHODCALLTYPE GetModule(IModule** module) override;
    HRESULT STDMETHODCALLTYPE GetDlgManager(IPVDlgManager** manager) override;
    // The next prepared answer, which must be one of the dialog's buttons; without one
    // the dialog's default button (MB_DEFBUTTONn), as a user pressing Enter.
    HRESULT STDMETHODCALLTYPE MessageDlg(HWND owner, BSTR text, UINT type, DWORD helpContext, BSTR helpFile,
                                         LONG* button) override;
    HRESULT STDMETHODCALLTYPE GetHostService(REFCLSID service, IUnknown** object) override;
    HRESULT STDMETHODCALLTYPE SetProfileDirty(IPVPanel3* panel) override;
    // IPVLogixProperties
    HRESULT STDMETHODCALLTYPE GetLogixMode(LONG* mode) override;
    HRESULT STDMETHODCALLTYPE GetRedundancyState(LONG* state) override;
    // IDynamicSubItemHost
    HRESULT STDMETHODCALLTYPE RebuildSubItems(IPVPanel3* panel) override;

    CHostModule* Module() const { return m_module; }
    CHostDlgManager* DlgManager() const { return m_dlgManager; }

    void QueueAnswer(LONG button) { m_answers.push_back(button); }
    size_t PendingAnswers() const { return m_answers.size(); }
    const std::vector<CMessageDlgCall>& MessageDlgs() const { return m_messageDlgs; }
    const std::vector<CShownError>& ShownErrors() const { return m_shownErrors; }
    bool ProfileDirty() const { return m_profileDirty; }
    void ClearProfileDirty() { m_profileDirty = false; }
    // Called after a page marked the profile dirty (the properties dialog enables Apply).
    void SetDirtyListener(std::function<void()> listener) { m_dirtyListener = std::move(listener); }
    // Called with each error a page has the host show (the properties dialog reports it).
    void SetErrorListener(std::function<void(const CShownError&)> listener) {
        m_errorListener = std::move(listener);
    }
    int FocusRequests() const { return m_focusRequests; }
    int RebuildRequests() const { return m_rebuildRequests; }
    int Notifications() const { return m_notifications; }

private:
    std::shared_ptr<CHostContext> m_context;
    CComPtr<CHostModule> m_module;
    CComPtr<CHostDlgManager> m_dlgManager;
    std::deque<LONG> m_answers;
    std::vector<CMessageDlgCall> m_messageDlgs;
    std::vector<CShownError> m_shownErrors;
    bool m_profileDirty = false;
    std::function<void()> m_dirtyListener;
    std::function<void(const CShownError&)> m_errorListener;
    int m_focusRequests = 0;
    int m_rebuildRequests = 0;
    int m_notifications = 0;
};
