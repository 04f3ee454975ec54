// What the host's COM objects share: the project they show and change, and the
// fault injection and call record every host operation runs through.
#pragma once

#include <memory>
#include <string>

#include "host/HostFaults.h"
#include "host/HostProject.h"

class CHostContext {
public:
    static std::shared_ptr<CHostContext> Create() { return std::make_shared<CHostContext>(); }

    CHostProject& Project() { return m_project; }
    CHostFaults& Faults() { return m_faults; }

    // Where the module's help files lie (a DOS path); empty: the program files folder.
    const std::wstring& HelpFolder() const { return m_helpFolder; }
    void SetHelpFolder(const std::wstring& folder) { m_helpFolder = folder; }

private:
    CHostProject m_project;
    CHostFaults m_faults;
    std::wstring m_helpFolder;
};
