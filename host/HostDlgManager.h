// The host's dialog manager. It counts locks and keeps the registered dialogs, and
// refuses what breaks the pairing (Unlock without Lock, a window registered twice
// or unregistered without registration), so that a page that leaves the host locked
// or a dialog registered shows up in IsBalanced.
#pragma once

#include <memory>
#include <set>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/DlgManager.h"

class CHostDlgManager : public CHostObject<IPVDlgManager> {
public:
    explicit CHostDlgManager(std::shared_ptr<CHostContext> context);

    HRESULT STDMETHODCALLTYPE Lock() override;
    HRESULT STDMETHODCALLTYPE Unlock() override;
    HRESULT STDMETHODCALLTYPE RegisterDialog(HWND dialog) override;
    HRESULT STDMETHODCALLTYPE UnregisterDialog(HWND dialog) override;

    int LockCount() const { return m_locks; }
    size_t RegisteredCount() const { return m_dialogs.size(); }
    bool IsRegistered(HWND dialog) const { return m_dialogs.count(dialog) != 0; }
    // No lock held, no dialog registered, and no call refused for breaking a pair.
    bool IsBalanced() const { return m_locks == 0 && m_dialogs.empty() && m_unpaired == 0; }
    int UnpairedCalls() const { return m_unpaired; }

private:
    std::shared_ptr<CHostContext> m_context;
    int m_locks = 0;
    int m_unpaired = 0;
    std::set<HWND> m_dialogs;
};
