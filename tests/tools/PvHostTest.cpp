// pvhost as a user runs it: the built program from PV_BIN_DIR, its output and its
// exit code.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "host/HostProject.h"
#include "host/PropertiesDialog.h"
#include "platform/base/Win32Error.h"
#include "platform/registry/Registry.h"
#include "tests/tools/PvHostTestSupport.h"

namespace {

TEST_F(PvHostTest, UsageAndExitCodes) {
    struct Case {
        std::string arguments;
        int exitCode;
        const char* output;
    } cases[] = {
        {"--help", 0, "usage: pvhost [COMMAND] [OPTIONS]"},
        {"demo --help", 0, "usage: pvhost [demo] [--out DIR]"},
        {"--out", 2, "pvhost demo: the option --out needs a value"},
        {"register --help", 0, "usage: pvhost register|unregister"},
        {"unregister --help", 0, "usage: pvhost register|unregister"},
        {"pages --help", 0, "usage: pvhost pages"},
        {"project --help", 0, "usage: pvhost project"},
        {"frobnicate", 2, "pvhost: unknown command 'frobnicate'"},
        {"project --colour red", 2, "pvhost project: unknown argument '--colour'"},
        {"project --out", 2, "the option --out needs a value"},
        {"pages --output x", 2, "unknown argument '--output'"},
    };
    for (const Case& c : cases) {
        const CRunResult run = Pvhost(c.arguments);
        EXPECT_EQ(c.exitCode, run.exitCode) << c.arguments << "\n" << run.out;
        EXPECT_TRUE(Contains(run.out, c.output)) << c.arguments << "\n" << run.out;
    }
}

TEST_F(PvHostTest, ProjectChecksAndWritesTheEmbeddedProject) {
    const CRunResult run = Pvhost("project --out '" + Path("out.json") + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "project: embedded project")) << run.out;
    EXPECT_TRUE(Contains(run.out, "controller: mode 0 (offline)")) << run.out;
    EXPECT_TRUE(Contains(run.out, "configuration tag Local:1:C: 73 members (60 enumerations), 0 changed"))
        << run.out;
    CHostProject written;
    std::string error;
    ASSERT_TRUE(written.LoadFile(Path("out.json"), &error)) << error;
    CHostProject embedded;
    ASSERT_TRUE(embedded.LoadDefault(&error)) << error;
    EXPECT_TRUE(embedded.ToJson() == written.ToJson()) << "the written project differs from the embedded one";

    // The written file is a project of its own, and reads back to the same text.
    const CRunResult again =
        Pvhost("project --project '" + Path("out.json") + "' --out '" + Path("again.json") + "'");
    ASSERT_EQ(0, again.exitCode) << again.out;
    std::ifstream first(Path("out.json")), second(Path("again.json"));
    std::stringstream a, b;
    a << first.rdbuf();
    b << second.rdbuf();
    EXPECT_TRUE(a.str() == b.str()) << "writing the project again changed it";
}

TEST_F(PvHostTest, ABrokenProjectIsNamedAndNothingIsWritten) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"{ not json", "not JSON"},
        {R"({"format": "pvhost-project", "version": 1, "configTag": {"name": "T", "members": [
            {"name": "SystemDamping", "type": "DINT", "min": 0, "max": 15, "value": 99}]}})",
         "configTag: member 'SystemDamping': field 'value': 99 is outside the range 0 to 15"},
    };
    for (const Case& c : cases) {
        { std::ofstream(Path("broken.json")) << c.text; }
        const CRunResult run =
            Pvhost("project --project '" + Path("broken.json") + "' --out '" + Path("out.json") + "'");
        EXPECT_EQ(1, run.exitCode) << run.out;
        EXPECT_TRUE(Contains(run.out, Path("broken.json") + ": ")) << run.out;
        EXPECT_TRUE(Contains(run.out, c.message)) << run.out;
        EXPECT_FALSE(std::filesystem::exists(Path("out.json")));
    }
}

TEST_F(PvHostTest, RegisterAndUnregisterKeepTheRegistryInItsFile) {
    const CRunResult registered = Pvhost("register --registry '" + registry + "'");
    ASSERT_EQ(0, registered.exitCode) << registered.out;
    EXPECT_TRUE(Contains(registered.out, "registered ")) << registered.out;
    EXPECT_TRUE(std::filesystem::exists(registry));

    // Every page listed is one of the profile's classes with its template.
    const CRunResult listed = Pvhost("pages --registry '" + registry + "'");
    ASSERT_EQ(0, listed.exitCode) << listed.out;
    std::istringstream lines(listed.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("{", 0) != 0)
            continue;
        EXPECT_TRUE(Contains(line, "  CPVPageTavrin")) << line;
        EXPECT_FALSE(Contains(line, "  -  ")) << line;
    }

    const CRunResult unregistered = Pvhost("unregister --registry '" + registry + "'");
    ASSERT_EQ(0, unregistered.exitCode) << unregistered.out;
    const CRunResult none = Pvhost("pages --registry '" + registry + "'");
    EXPECT_EQ(0, none.exitCode);
    EXPECT_TRUE(Contains(none.out, "no page classes of PVZQTavrin100.dll are registered")) << none.out;

    const CRunResult badProfile =
        Pvhost("register --registry '" + registry + "' --profile '" + Path("none.dll") + "'");
    EXPECT_EQ(2, badProfile.exitCode);
    EXPECT_TRUE(Contains(badProfile.out, "--profile '" + Path("none.dll") + "': no such file")) << badProfile.out;
}

TEST_F(PvHostTest, PagesListsTheClassKeysOfTheProfile) {
    // Class keys as the profile's registration writes them, and one of another server.
    CRegistry::Instance().Clear();
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SetBackingFile(registry));
    const struct {
        const wchar_t* clsid;
        const wchar_t* name;
        const wchar_t* server;
    } keys[] = {
        {L"{11111111-2222-3333-4444-555555555555}", L"PVPageTavrinLOWFLOW Page",
         L"Z:\\opt\\PVZQTavrin100.dll"},
        {L"{66666666-2222-3333-4444-555555555555}", L"Other Page", L"Z:\\opt\\Other.dll"},
    };
    for (const auto& key : keys) {
        HKEY classKey = nullptr, server = nullptr;
        const std::wstring path = std::wstring(L"CLSID\\") + key.clsid;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &classKey, nullptr));
        RegSetValueExW(classKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(key.name),
                       static_cast<DWORD>((wcslen(key.name) + 1) * sizeof(wchar_t)));
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(classKey, L"InProcServer32", 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &server, nullptr));
        RegSetValueExW(server, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(key.server),
                       static_cast<DWORD>((wcslen(key.server) + 1) * sizeof(wchar_t)));
        RegCloseKey(server);
        RegCloseKey(classKey);
    }
    CRegistry::Instance().SetBackingFile("");

    const CRunResult run = Pvhost("pages --registry '" + registry + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "{11111111-2222-3333-4444-555555555555}  CPVPageTavrinLOWFLOW  9102  "))
        << run.out;
    EXPECT_FALSE(Contains(run.out, "66666666")) << run.out;
    EXPECT_TRUE(Contains(run.out, "1 page classes registered")) << run.out;
}

// The properties dialog from the command line, on the test page module
// (PVZQHostTestPages.dll: two pages, each with an edit 1001 bound to a REAL member, a
// combo box 1002, a button 1003 that works online only).
class PvHostOpenTest : public PvHostTest {
protected:
    void SetUp() override {
        PvHostTest::SetUp();
        pages = std::string(std::getenv("PV_BIN_DIR")) + "/PVZQHostTestPages.dll";
        const CRunResult registered =
            Pvhost("register --registry '" + registry + "' --profile '" + pages + "'");
        ASSERT_EQ(0, registered.exitCode) << registered.out;
    }

    CRunResult Open(const std::string& script, const std::string& more = "") {
        { std::ofstream(Path("script.txt")) << script; }
        return Pvhost("open --registry '" + registry + "' --profile '" + pages + "' --script '" +
                      Path("script.txt") + "' " + more + " </dev/null");
    }

    std::string pages;
};

TEST_F(PvHostOpenTest, UsageErrorsNameTheBadInputAndRunNothing) {
    struct Case {
        std::string script;
        std::string arguments;
        const char* output;
    } cases[] = {
        {"", "--help", "usage: pvhost open"},
        {"page 1\n\n# a comment\njump 3\n", "", "script.txt: line 4: unknown command 'jump'"},
        {"type abc hello\n", "", "line 1: 'abc' is no control id"},
        {"pick 1002\n", "", "line 1: pick needs a number"},
        {"wait soon\n", "", "line 1: wait needs a number, not 'soon'"},
        {"apply now\n", "", "line 1: apply takes nothing more, not 'now'"},
        {"key ctrl+banana\n", "", "line 1: unknown key 'ctrl+banana'"},
        {"png\n", "", "line 1: png needs a file name"},
        {"ok\n", "--locale english", "--locale 'english' is no locale id"},
        {"ok\n", "--dump xml", "--dump 'xml': say text or json"},
        {"ok\n", "--page Ninth", "--page: there is no page 'Ninth'"},
    };
    for (const Case& c : cases) {
        const CRunResult run = Open(c.script, c.arguments + " --save '" + Path("saved.json") + "'");
        EXPECT_EQ(c.arguments == "--help" ? 0 : 2, run.exitCode) << c.script << c.arguments << "\n"
                                                                 << run.out;
        EXPECT_TRUE(Contains(run.out, c.output)) << c.script << c.arguments << "\n" << run.out;
        EXPECT_FALSE(std::filesystem::exists(Path("saved.json"))) << c.script << c.arguments;
    }
}

TEST_F(PvHostOpenTest, AScriptOnTheProfilesPagesKeepsAnAppliedPickAndRevertDropsTheNext) {
    // The shipped profile's pages: 9127 is the sensor's direction, 9042 input assembly slot 10.
    pages = std::string(std::getenv("PV_BIN_DIR")) + "/PVZQTavrin100.dll";
    ASSERT_EQ(0, Pvhost("register --registry '" + registry + "' --profile '" + pages + "'").exitCode);
    const std::string script = "page Input Assembly\n"
                               "pick 9042 5\n"
                               "apply\n"
                               "page Sensor\n"
                               "pick 9127 1\n"
                               "revert\n"
                               "ok\n";
    const CRunResult run = Open(script, "--save '" + Path("saved.json") + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "reverted the project to its stored values")) << run.out;
    CHostProject saved;
    std::string error;
    ASSERT_TRUE(saved.LoadFile(Path("saved.json"), &error)) << error;
    EXPECT_EQ(5LL, std::get<LONGLONG>(saved.ConfigTag().Find(L"ConfigurableInputAsm_10")->Value()))
        << run.out;
    EXPECT_EQ(0LL, std::get<LONGLONG>(saved.ConfigTag().Find(L"SensorInstalledDirection")->Value()))
        << run.out;
}

TEST_F(PvHostOpenTest, AScriptEditsAppliesDrawsAndClosesWithOk) {
    const std::string script = "# change the cut-on value and the mode\n"
                               "type 1001 12.5\n"
                               "pick 1002 1\n"
                               "page chosttestpageb\n"
                               "online\n"
                               "click 1003\n"
                               "wait 500\n"
                               "png " +
                               Path("during.png") +
                               "\n"
                               "ok\n";
    const CRunResult run =
        Open(script, "--save '" + Path("saved.json") + "' --png '" + Path("end.png") + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "created page 'Second Test Page'")) << run.out;
    EXPECT_TRUE(Contains(run.out, "went online")) << run.out;
    EXPECT_TRUE(Contains(run.out, "closed with OK")) << run.out;
    EXPECT_TRUE(std::filesystem::file_size(Path("during.png")) > 1000);
    EXPECT_TRUE(std::filesystem::file_size(Path("end.png")) > 1000) << "--png is taken before ok closes";
    CHostProject saved;
    std::string error;
    ASSERT_TRUE(saved.LoadFile(Path("saved.json"), &error)) << error;
    EXPECT_FLOAT_EQ(12.5f, std::get<float>(saved.ConfigTag().Find(L"LowFlowCutOffLowFlowCutOnVal")->Value()));
    EXPECT_EQ(1LL, std::get<LONGLONG>(saved.ConfigTag().Find(L"ProcessFlowOverride")->Value()));
    EXPECT_EQ(CPropertiesDialog::kOnlineMode, saved.Controller().mode) << "the controller went online";
}

// Online from the start, the device answers and its clock moves with the script's waits.
TEST_F(PvHostOpenTest, TheDeviceCommandShowsTheConnectedDeviceAsTimePasses) {
    const CRunResult run = Open("device\nwait 90000\ndevice\noffline\ndevice\n", "--online");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "identity matching, connected\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "clock: 2024-01-01 00:00:00\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "clock: 2024-01-01 00:01:30\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "report 111: VER-00003 of 12-Dec-2023 09:41:00, Passed")) << run.out;
    EXPECT_TRUE(Contains(run.out, "not connected (the controller is offline)")) << run.out;
}

TEST_F(PvHostOpenTest, FailuresWhileActingNameTheLineAndSaveNothing) {
    struct Case {
        std::string script;
        const char* output;
    } cases[] = {
        {"page 1\nclick 4242\nok\n", "script.txt: line 2: there is no control 4242 on the page shown"},
        {"type 1001 abc\npage 2\nok\n", "line 2: page: page 'First Test Page' refused to be left"},
        {"click 1003\n", "line 1: control 1003 is disabled"},
        {"pick 1002 5\n", "line 1: combo box 1002 has 2 items; there is no item 5"},
        {"cancel\napply\n", "line 2: apply: the properties dialog is closed"},
    };
    for (const Case& c : cases) {
        const CRunResult run = Open(c.script, "--save '" + Path("saved.json") + "'");
        EXPECT_EQ(1, run.exitCode) << c.script << "\n" << run.out;
        EXPECT_TRUE(Contains(run.out, c.output)) << c.script << "\n" << run.out;
        EXPECT_FALSE(std::filesystem::exists(Path("saved.json"))) << c.script;
    }
}

TEST_F(PvHostOpenTest, DialogLinesActInTheMessageBoxTheNextCommandOpens) {
    const std::string script = "page 2\n"
                               "online\n"
                               "dialog dump\n"
                               "dialog png " +
                               Path("asked.png") +
                               "\n"
                               "dialog key escape\n"
                               "dialog click 7\n"
                               "click 1003\n"
                               "ok\n";
    const CRunResult run = Open(script);
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "#32770 \"Reset device\"")) << run.out;
    EXPECT_TRUE(Contains(run.out, "  Button #7 \"&No\"")) << run.out;
    EXPECT_TRUE(std::filesystem::file_size(Path("asked.png")) > 1000);

    struct Case {
        std::string script;
        int exitCode;
        const char* output;
    } cases[] = {
        {"dialog\n", 2, "line 1: dialog needs a command"},
        {"dialog ok\n", 2, "line 1: 'ok' cannot be done in a dialog"},
        {"dialog pick 7\n", 2, "line 1: pick needs a number"},
        {"page 2\nonline\ndialog click 4242\nclick 1003\n", 1,
         "line 3: there is no control 4242 in the dialog"},
        {"dialog click 6\npage 2\n", 1, "line 1: dialog: line 2 opened no dialog"},
    };
    for (const Case& c : cases) {
        const CRunResult failed = Open(c.script);
        EXPECT_EQ(c.exitCode, failed.exitCode) << c.script << "\n" << failed.out;
        EXPECT_TRUE(Contains(failed.out, c.output)) << c.script << "\n" << failed.out;
    }
}

TEST_F(PvHostOpenTest, WithoutAScriptTheDialogIsDumpedAndCancelled) {
    const CRunResult run = Pvhost("open --registry '" + registry + "' --profile '" + pages +
                                  "' --online --page 2 --dump text </dev/null");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "opening the properties of embedded project (online, locale 1033)"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "PVHostPropertiesDialog \"Module Properties: Local:1:C\"")) << run.out;
    EXPECT_TRUE(Contains(run.out, "SysTabControl32 #12320")) << run.out;
    EXPECT_TRUE(Contains(run.out, "selection=1")) << run.out;
    EXPECT_TRUE(Contains(run.out, "closed with Cancel")) << run.out;
}

// The demo is pvhost's main job: what it runs without a command.
TEST_F(PvHostOpenTest, DemoVisitsEveryPageAndLeavesItsFiles) {
    struct Case {
        std::string profile; // empty: the shipped profile, and no command word
        std::vector<std::string> files;
        const char* output;
    } cases[] = {
        {"",
         {"project.json", "properties.png", "online.png", "page-01-input-assembly.png",
          "page-03-low-flow-cut-off.png", "page-03-low-flow-cut-off-assignment-off.png", "page-06-sensor.png",
          "page-07-system-units.png", "page-08-totalizers-units.png", "page-08-totalizers-tab-1.png",
          "page-08-totalizers-tab-2.png", "page-08-totalizers-tab-3.png"},
         "the project keeps 'Flow velocity'"},
        {pages,
         {"project.json", "properties.png", "page-01-first-test-page.png", "page-02-second-test-page.png"},
         "visited page 2 'Second Test Page'"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(Path("demo"));
        const std::string command = c.profile.empty() ? "" : "demo --profile '" + c.profile + "' ";
        const CRunResult run = Pvhost(command + "--out '" + Path("demo") + "' --registry '" + registry + "'");
        ASSERT_EQ(0, run.exitCode) << run.out;
        EXPECT_TRUE(Contains(run.out, c.output)) << run.out;
        EXPECT_TRUE(Contains(run.out, "saved the project to " + Path("demo") + "/project.json")) << run.out;
        for (const std::string& file : c.files)
            EXPECT_TRUE(std::filesystem::exists(Path("demo/" + file))) << file << "\n" << run.out;
        CHostProject saved;
        std::string error;
        ASSERT_TRUE(saved.LoadFile(Path("demo/project.json"), &error)) << error;
        if (!c.profile.empty())
            continue;
        // The walk's picks, as the saved project holds them.
        const struct {
            const wchar_t* member;
            LONGLONG code;
        } picks[] = {{L"SystemUnitVolumeFlow", 5139},
                     {L"ConfigurableInputAsm_8", 4},
                     {L"SensorInstalledDirection", 1},
                     {L"Totalizer1_Assign", 1},
                     {L"Totalizer1_Unit", 18}};
        for (const auto& pick : picks)
            EXPECT_EQ(pick.code, std::get<LONGLONG>(saved.ConfigTag().Find(pick.member)->Value())) << run.out;
        // The numbers typed on the measurement pages, after the refusal the walk prints.
        EXPECT_TRUE(Contains(run.out, "42 for SystemDamping is refused; the page stays and the host shows "
                                      "'Local:1:C.SystemDamping: 42 is outside the range 0 to 15.'"))
            << run.out;
        EXPECT_EQ(9, std::get<LONGLONG>(saved.ConfigTag().Find(L"SystemDamping")->Value()));
        EXPECT_EQ(1, std::get<LONGLONG>(saved.ConfigTag().Find(L"LowFlowCutOffAssignLowFlow")->Value()));
    }
    const CRunResult help = Pvhost("demo --help");
    EXPECT_EQ(0, help.exitCode);
    EXPECT_TRUE(Contains(help.out, "usage: pvhost [demo] [--out DIR]")) << help.out;
}

} // namespace
