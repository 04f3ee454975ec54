// What the host's COM objects share: the project they show and change, and the
// fault injection and call record every host operation runs through.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "host/HostFaults.h"
#include "host/HostProject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ErrorInfo.h"

// A write the host refused: the member, the host's code and the error it published.
struct CHostRefusal {
    std::wstring member;
    HRESULT code = S_OK;
    CComPtr<IErrorInfo> error;
};

class CHostContext {
public:
    static std::shared_ptr<CHostContext> Create() { return std::make_shared<CHostContext>(); }

    CHostProject& Project() { return m_project; }
    CHostFaults& Faults() { return m_faults; }

    // Where the module's help files lie (a DOS path); empty: the program files folder.
    const std::wstring& HelpFolder() const { return m_helpFolder; }
    void SetHelpFolder(const std::wstring& folder) { m_helpFolder = folder; }

    // The host keeps its last refused write so that it can offer the error to the page
    // whose save failed on it. Taking it clears it.
    void SetRefusal(CHostRefusal refusal) { m_refusal = std::move(refusal); }
    CHostRefusal TakeRefusal() { return std::exchange(m_refusal, CHostRefusal{}); }

private:
    CHostProject m_project;
    CHostFaults m_faults;
    std::wstring m_helpFolder;
    CHostRefusal m_refusal;
};
