// The application base of the profile: its start-up loads the English resource
// library (without it the module refuses to load) and it switches the resource
// library when a panel changes the language.
#pragma once

#include "platform/mfc/WinApp.h"

class CAopWinApp : public CWinApp {
public:
    using CWinApp::CWinApp;

    BOOL InitInstance() override;

    // Whether a resource library for `lcid` exists beside the module.
    bool CanLoadLocale(LCID lcid) const;
    // Loads the resource library for `lcid`; false leaves the current one in force.
    bool LoadLocale(LCID lcid);
};
