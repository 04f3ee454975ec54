// PvTestMfcApp.dll: a module with an application object. It reports its InitInstance
// (with the help file the framework named and whether it is the current application
// there) and its ExitInstance to the test program through PvMfcTestRecord.
#include <dlfcn.h>

#include <string>

#include "platform/base/TextCodec.h"
#include "platform/mfc/ModuleState.h"
#include "platform/mfc/WinApp.h"

namespace {

void Record(const std::string& event) {
    using RecordProc = void (*)(const char*);
    if (auto record = reinterpret_cast<RecordProc>(dlsym(RTLD_DEFAULT, "PvMfcTestRecord")))
        record(event.c_str());
}

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(L"TestMfcApp") {}

    BOOL InitInstance() override {
        Record("init " + CTextCodec::ToUtf8(m_pszHelpFilePath ? m_pszHelpFilePath : L"(none)") +
               (AfxGetApp() == this ? " current" : " not current"));
        return CWinApp::InitInstance();
    }
    int ExitInstance() override {
        Record(AfxGetApp() == this ? "exit current" : "exit not current");
        return CWinApp::ExitInstance();
    }
};

CTestApp theApp;

} // namespace
