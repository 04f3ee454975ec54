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
#include "platform/base/Win32Error.h"
#include "platform/registry/Registry.h"

namespace {

struct CRunResult {
    int exitCode = -1;
    std::string out; // stdout and stderr together
};

class PvHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("PV_BIN_DIR");
        ASSERT_NE(nullptr, bin) << "PV_BIN_DIR names the folder of the built programs";
        program = std::string(bin) + "/pvhost";
        folder = std::filesystem::temp_directory_path() /
                 ("pvhost-test-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        registry = (folder / "registry.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    CRunResult Pvhost(const std::string& arguments) {
        CRunResult run;
        const std::string command = "'" + program + "' " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        std::array<char, 4096> buffer;
        size_t read = 0;
        while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            run.out.append(buffer.data(), read);
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    std::string program;
    std::filesystem::path folder;
    std::string registry;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(PvHostTest, UsageAndExitCodes) {
    struct Case {
        std::string arguments;
        int exitCode;
        const char* output;
    } cases[] = {
        {"--help", 0, "usage: pvhost [COMMAND] [OPTIONS]"},
        {"run --help", 0, "--output"},
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
    EXPECT_TRUE(Contains(run.out, "controller: mode 8 (offline)")) << run.out;
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
    const CRunResult missing = Pvhost("project --project '" + Path("missing.json") + "'");
    EXPECT_EQ(1, missing.exitCode);
    EXPECT_TRUE(Contains(missing.out, Path("missing.json") + ": cannot be opened for reading"))
        << missing.out;
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

TEST_F(PvHostTest, DefaultRunRegistersListsAndSavesTheProject) {
    const CRunResult run = Pvhost("--output '" + Path("output") + "' --registry '" + registry + "'");
    ASSERT_EQ(0, run.exitCode) << run.out;
    EXPECT_TRUE(Contains(run.out, "registered ")) << run.out;
    EXPECT_TRUE(Contains(run.out, "project: embedded project")) << run.out;
    EXPECT_TRUE(Contains(run.out, "saved the project to " + Path("output") + "/project.json")) << run.out;
    CHostProject saved;
    std::string error;
    EXPECT_TRUE(saved.LoadFile(Path("output/project.json"), &error)) << error;

    const CRunResult badProfile =
        Pvhost("register --registry '" + registry + "' --profile '" + Path("none.dll") + "'");
    EXPECT_EQ(1, badProfile.exitCode);
    EXPECT_TRUE(Contains(badProfile.out, Path("none.dll") + ": the profile cannot be loaded"))
        << badProfile.out;
}

} // namespace
