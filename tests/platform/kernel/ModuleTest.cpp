#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"

namespace fs = std::filesystem;

namespace {

struct Event {
    std::string text;
    HINSTANCE instance;
};
std::vector<Event> g_events;

std::vector<std::string> EventTexts() {
    std::vector<std::string> texts;
    for (const Event& event : g_events)
        texts.push_back(event.text);
    return texts;
}

} // namespace

// The test modules report their constructor, DllMain calls and destructor here.
extern "C" __attribute__((visibility("default"))) void
PvTestRecordEvent(const char* module, const char* event, HINSTANCE instance) {
    g_events.push_back({std::string(module) + " " + event, instance});
}

namespace {

// PV_BIN_DIR, or else the test program's own folder, where the build puts every binary.
std::string BinDir() {
    if (const char* bin = std::getenv("PV_BIN_DIR"); bin && *bin)
        return bin;
    return fs::read_symlink("/proc/self/exe").parent_path().string();
}

std::wstring Wide(const std::string& text) {
    return CTextCodec::FromUtf8(text);
}

std::wstring ZPath(const std::string& unixPath) {
    std::wstring dos = L"Z:" + Wide(unixPath);
    for (wchar_t& c : dos)
        if (c == L'/')
            c = L'\\';
    return dos;
}

std::wstring ModuleFileName(HMODULE module) {
    std::vector<wchar_t> buffer(4096);
    DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_bin = BinDir();
        if (const char* path = std::getenv("PV_DLL_PATH"))
            m_savedDllPath = path;
        unsetenv("PV_DLL_PATH");
        m_savedCwd = fs::current_path();
        char pattern[] = "/tmp/pvmoduletest.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        m_temp = pattern;
        // Drive C: of this test is a folder of its own.
        if (const char* driveC = std::getenv("PV_DRIVE_C"))
            m_savedDriveC = driveC;
        setenv("PV_DRIVE_C", (m_temp / "drive_c").c_str(), 1);
        g_events.clear();
    }

    void TearDown() override {
        CFaultInjector::Instance().ClearAll();
        fs::current_path(m_savedCwd);
        Restore("PV_DLL_PATH", m_savedDllPath);
        Restore("PV_DRIVE_C", m_savedDriveC);
        std::error_code ec;
        fs::remove_all(m_temp, ec);
        EXPECT_EQ(nullptr, GetModuleHandleW(L"PvTestModuleA.dll")) << "the test left a module loaded";
    }

    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }

    std::string Bin(const char* file) const { return m_bin + "/" + file; }

    // A copy of a built module under another name in another folder.
    std::string CopyModule(const char* file, const fs::path& folder, const char* as) const {
        fs::create_directories(folder);
        const fs::path target = folder / as;
        fs::copy_file(Bin(file), target, fs::copy_options::overwrite_existing);
        return target.string();
    }

    std::string m_bin;
    fs::path m_temp;
    fs::path m_savedCwd;
    std::optional<std::string> m_savedDllPath;
    std::optional<std::string> m_savedDriveC;
};

TEST_F(ModuleTest, LoadsByEveryFormOfItsName) {
    const std::string binA = Bin("PvTestModuleA.dll");
    const std::string onPath = CopyModule("PvTestModuleA.dll", m_temp / "onpath", "PvTestOnPath.dll");
    const std::string inCwd = CopyModule("PvTestModuleA.dll", m_temp / "cwd", "PvTestInCwd.dll");
    const std::string onC =
        CopyModule("PvTestModuleA.dll", CDosPath::DriveC() + "/PvTestModules", "PvTestOnC.dll");
    const std::string anyFolder = CopyModule("PvTestModuleA.dll", m_temp / "any folder", "Copy.dll");
    setenv("PV_DLL_PATH", ("/nonexistent:" + (m_temp / "onpath").string()).c_str(), 1);
    fs::current_path(m_temp / "cwd");

    struct Case {
        std::wstring name;
        std::wstring fileName; // as GetModuleFileNameW answers
    };
    const std::vector<Case> cases = {
        {ZPath(binA), ZPath(binA)},
        {Wide(binA), ZPath(binA)},
        {L"PvTestModuleA.dll", ZPath(binA)}, // the application's folder
        {L"pvtestmodulea.DLL", ZPath(binA)}, // names match without regard to case
        {L"PvTestModuleA", ZPath(binA)},     // ".dll" is implied
        {L"PvTestOnPath.dll", ZPath(onPath)},
        {L"PvTestInCwd.dll", ZPath(inCwd)},
        {L"C:\\PvTestModules\\PvTestOnC.dll", L"C:\\PvTestModules\\PvTestOnC.dll"},
        {L"c:/PvTestModules/pvtestonc.DLL", L"C:\\PvTestModules\\PvTestOnC.dll"},
        {ZPath(anyFolder), ZPath(anyFolder)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CTextCodec::ToUtf8(c.name));
        g_events.clear();
        HMODULE module = LoadLibraryW(c.name.c_str());
        ASSERT_NE(nullptr, module) << GetLastError();
        EXPECT_EQ(c.fileName, ModuleFileName(module));
        auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "PvTestModuleAnswer"));
        ASSERT_NE(nullptr, answer);
        EXPECT_EQ(42, answer());
        EXPECT_EQ((std::vector<std::string>{"A load", "A attach"}), EventTexts());
        EXPECT_TRUE(FreeLibrary(module));
        EXPECT_EQ((std::vector<std::string>{"A load", "A attach", "A detach", "A unload"}), EventTexts());
    }
}

TEST_F(ModuleTest, CopiesInTwoFoldersAreTwoModules) {
    const std::string copy = CopyModule("PvTestModuleA.dll", m_temp, "PvTestModuleA.dll");
    HMODULE built = LoadLibraryW(ZPath(Bin("PvTestModuleA.dll")).c_str());
    HMODULE copied = LoadLibraryW(ZPath(copy).c_str());
    ASSERT_NE(nullptr, built);
    ASSERT_NE(nullptr, copied);
    EXPECT_NE(built, copied);
    EXPECT_EQ(ZPath(copy), ModuleFileName(copied));
    EXPECT_NE(GetProcAddress(built, "PvTestModuleAnswer"), GetProcAddress(copied, "PvTestModuleAnswer"));
    // A bare name is the module of that name already loaded (the first one).
    EXPECT_EQ(built, GetModuleHandleW(L"PvTestModuleA.dll"));
    EXPECT_EQ(copied, GetModuleHandleW(ZPath(copy).c_str()));
    EXPECT_TRUE(FreeLibrary(copied));
    EXPECT_TRUE(FreeLibrary(built));
    ASSERT_EQ(8u, g_events.size());
    EXPECT_EQ(built, g_events[1].instance);
    EXPECT_EQ(copied, g_events[3].instance);
    EXPECT_EQ(copied, g_events[4].instance);
    EXPECT_EQ(built, g_events[6].instance);
}

TEST_F(ModuleTest, CountsReferencesAndDetachesAtTheLast) {
    const std::string path = Bin("PvTestModuleA.dll");
    HMODULE first = LoadLibraryW(ZPath(path).c_str());
    HMODULE second = LoadLibraryW(Wide(path).c_str());
    HMODULE third = LoadLibraryW(L"PVTESTMODULEA.DLL");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, third);
    EXPECT_EQ((std::vector<std::string>{"A load", "A attach"}), EventTexts());
    auto attachCount = reinterpret_cast<int*>(GetProcAddress(first, "PvTestAttachCount"));
    ASSERT_NE(nullptr, attachCount);
    EXPECT_EQ(1, *attachCount);

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(first, GetModuleHandleW(L"PvTestModuleA.dll"));
    EXPECT_EQ(2u, g_events.size());
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ((std::vector<std::string>{"A load", "A attach", "A detach", "A unload"}), EventTexts());
    EXPECT_EQ(first, g_events[1].instance);
    EXPECT_EQ(first, g_events[2].instance);

    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST_F(ModuleTest, RefusedAttachUnloadsAndFails) {
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(ZPath(Bin("PvTestRefuse.dll")).c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), GetLastError());
    // No detach follows a refused attach.
    EXPECT_EQ((std::vector<std::string>{"Refuse load", "Refuse attach", "Refuse unload"}), EventTexts());
    EXPECT_EQ(nullptr, GetModuleHandleW(L"PvTestRefuse.dll"));
}

TEST_F(ModuleTest, DependencysDllMainIsNotTheModules) {
    HMODULE plain = LoadLibraryW(L"PvTestPlain.dll");
    ASSERT_NE(nullptr, plain) << GetLastError();
    for (const Event& event : g_events)
        EXPECT_NE(plain, event.instance) << event.text;
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(plain, "PvTestPlainAnswer"));
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ(7, answer());
    // Exports of a dependency are not this module's exports.
    SetLastError(0);
    EXPECT_EQ(nullptr, GetProcAddress(plain, "PvTestModuleAnswer"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
    EXPECT_EQ(nullptr, GetProcAddress(plain, "DllMain"));
    EXPECT_TRUE(FreeLibrary(plain));
    for (const Event& event : g_events)
        EXPECT_NE(plain, event.instance) << event.text;
}

TEST_F(ModuleTest, GetProcAddressFindsOwnExportsByNameOnly) {
    HMODULE module = LoadLibraryW(L"PvTestModuleA.dll");
    ASSERT_NE(nullptr, module);
    struct Case {
        LPCSTR name;
        bool found;
    };
    const Case cases[] = {
        {"PvTestModuleAnswer", true},
        {"DllMain", true},
        {"PvTestAttachCount", true},
        {"PvTestMissing", false},
        {"dlsym", false},                          // the C library's, not this module's
        {reinterpret_cast<LPCSTR>(1), false},      // an ordinal
        {reinterpret_cast<LPCSTR>(0xFFFF), false}, // the highest ordinal
    };
    for (const Case& c : cases) {
        SetLastError(0);
        FARPROC proc = GetProcAddress(module, c.name);
        EXPECT_EQ(c.found, proc != nullptr) << reinterpret_cast<ULONG_PTR>(c.name);
        EXPECT_EQ(c.found ? 0u : static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
    }
    EXPECT_TRUE(FreeLibrary(module));
    SetLastError(0);
    EXPECT_EQ(nullptr, GetProcAddress(module, "PvTestModuleAnswer"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST_F(ModuleTest, GetModuleFileNameFollowsTheBufferRules) {
    HMODULE module = LoadLibraryW(L"PvTestModuleA.dll");
    ASSERT_NE(nullptr, module);
    const std::wstring full = ZPath(Bin("PvTestModuleA.dll"));
    const DWORD length = static_cast<DWORD>(full.size());
    struct Case {
        DWORD size;
        DWORD result;
        std::wstring text;
        DWORD error; // 0: unchanged
    };
    const Case cases[] = {
        {length + 10, length, full, 0},
        {length + 1, length, full, 0},
        {length, length, full.substr(0, length - 1), ERROR_INSUFFICIENT_BUFFER},
        {5, 5, full.substr(0, 4), ERROR_INSUFFICIENT_BUFFER},
        {1, 1, L"", ERROR_INSUFFICIENT_BUFFER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<wchar_t> buffer(c.size + 2, L'#');
        SetLastError(0);
        EXPECT_EQ(c.result, GetModuleFileNameW(module, buffer.data(), c.size));
        EXPECT_EQ(c.text, std::wstring(buffer.data()));
        EXPECT_EQ(L'#', buffer[c.size]) << "wrote past the buffer";
        EXPECT_EQ(c.error, GetLastError());
    }
    wchar_t untouched = L'#';
    SetLastError(0);
    EXPECT_EQ(0u, GetModuleFileNameW(module, &untouched, 0));
    EXPECT_EQ(L'#', untouched);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_TRUE(FreeLibrary(module));

    SetLastError(0);
    wchar_t buffer[8];
    EXPECT_EQ(0u, GetModuleFileNameW(module, buffer, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST_F(ModuleTest, NullModuleIsTheExecutable) {
    const std::string exe = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(ZPath(exe), ModuleFileName(nullptr));
    HMODULE executable = GetModuleHandleW(nullptr);
    ASSERT_NE(nullptr, executable);
    EXPECT_EQ(ZPath(exe), ModuleFileName(executable));
    // The program's file name has no extension; a trailing dot keeps ".dll" from being implied.
    EXPECT_EQ(executable, GetModuleHandleW((ZPath(exe) + L".").c_str()));
}

TEST_F(ModuleTest, GetModuleHandleFindsLoadedModulesWithoutAReference) {
    SetLastError(0);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"PvTestModuleA.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
    EXPECT_TRUE(g_events.empty()) << "GetModuleHandleW loaded something";

    const std::string path = Bin("PvTestModuleA.dll");
    HMODULE module = LoadLibraryW(Wide(path).c_str());
    ASSERT_NE(nullptr, module);
    const std::wstring names[] = {L"PvTestModuleA.dll", L"pvtestmodulea.dll", L"PVTESTMODULEA", ZPath(path),
                                  Wide(path)};
    for (const std::wstring& name : names)
        EXPECT_EQ(module, GetModuleHandleW(name.c_str())) << name.size();
    SetLastError(0);
    EXPECT_EQ(nullptr, GetModuleHandleW(L"Z:\\elsewhere\\PvTestModuleA.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());

    // None of the look-ups took a reference: one FreeLibrary unloads.
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ("A detach", g_events.at(2).text);
}

TEST_F(ModuleTest, GetModuleHandleExCountsUnlessToldNotTo) {
    HMODULE module = LoadLibraryW(L"PvTestModuleA.dll");
    ASSERT_NE(nullptr, module);
    HMODULE found = nullptr;
    EXPECT_TRUE(
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, L"PvTestModuleA.dll", &found));
    EXPECT_EQ(module, found);
    EXPECT_TRUE(GetModuleHandleExW(0, L"PvTestModuleA.dll", &found));
    EXPECT_EQ(module, found);
    SetLastError(0);
    EXPECT_FALSE(GetModuleHandleExW(0x4, L"PvTestModuleA.dll", &found));
    EXPECT_EQ(nullptr, found);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_FALSE(GetModuleHandleExW(0, L"PvTestNotLoaded.dll", &found));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(2u, g_events.size()) << "the counted GetModuleHandleExW reference is gone too soon";
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(4u, g_events.size());
}

TEST_F(ModuleTest, SystemModuleNamesAreTheStandIn) {
    HMODULE standIn = LoadLibraryW(L"kernel32.dll");
    ASSERT_NE(nullptr, standIn);
    const std::wstring path = ModuleFileName(standIn);
    EXPECT_EQ(L"libpvplatform.so", path.substr(path.find_last_of(L'\\') + 1));
    const wchar_t* names[] = {L"shfolder.dll", L"HHCTRL.OCX",   L"Kernel32.dll", L"user32",     L"ole32.dll",
                              L"OLEAUT32.DLL", L"comctl32.dll", L"shlwapi.dll",  L"shell32.dll"};
    for (const wchar_t* name : names) {
        HMODULE module = LoadLibraryW(name);
        EXPECT_EQ(standIn, module) << CTextCodec::ToUtf8(name);
        EXPECT_EQ(standIn, GetModuleHandleW(name)) << CTextCodec::ToUtf8(name);
        EXPECT_TRUE(FreeLibrary(module));
    }
    HMODULE shfolder = LoadLibraryW(L"shfolder.dll");
    EXPECT_EQ(reinterpret_cast<FARPROC>(&GetModuleFileNameW), GetProcAddress(shfolder, "GetModuleFileNameW"));
    EXPECT_EQ(nullptr, GetProcAddress(shfolder, "dlopen"))
        << "a dependency's symbol is not the stand-in's export";
    EXPECT_TRUE(FreeLibrary(shfolder));
    // The stand-in stays loaded whatever its count says.
    EXPECT_TRUE(FreeLibrary(standIn));
    EXPECT_EQ(standIn, GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(nullptr, GetModuleHandleW(L"advapi32.dll"));
}

TEST_F(ModuleTest, FailuresSayWhy) {
    std::ofstream(m_temp / "NotAModule.dll") << "MZ but not really";
    fs::create_directories(m_temp / "Folder.dll");
    struct Case {
        std::wstring name;
        DWORD error;
    };
    const std::vector<Case> cases = {
        {ZPath(m_bin + "/PvTestMissing.dll"), ERROR_MOD_NOT_FOUND},
        {L"PvTestMissing.dll", ERROR_MOD_NOT_FOUND},
        {L"Q:\\PvTestModuleA.dll", ERROR_MOD_NOT_FOUND},
        {ZPath((m_temp / "Folder.dll").string()), ERROR_MOD_NOT_FOUND},
        {L"", ERROR_MOD_NOT_FOUND},
        {ZPath((m_temp / "NotAModule.dll").string()), ERROR_BAD_EXE_FORMAT},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(nullptr, LoadLibraryW(c.name.c_str())) << CTextCodec::ToUtf8(c.name);
        EXPECT_EQ(c.error, GetLastError()) << CTextCodec::ToUtf8(c.name);
    }
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    // A resource-only load of a module not yet in would have to map it without running
    // it: not offered, and nothing of the module runs.
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryExW(L"PvTestModuleA.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_SUPPORTED), GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryExW(L"PvTestModuleA.dll", nullptr, 0x8 /* altered search path */));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_TRUE(g_events.empty());
    // The system modules the stand-in answers for are in already, resources included.
    HMODULE comctl = LoadLibraryExW(L"COMCTL32.DLL", nullptr,
                                    LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE);
    ASSERT_NE(nullptr, comctl);
    EXPECT_NE(nullptr, FindResourceW(comctl, MAKEINTRESOURCEW(1006), RT_DIALOG));
    EXPECT_TRUE(FreeLibrary(comctl));
    HMODULE module = LoadLibraryExW(L"PvTestModuleA.dll", nullptr, 0);
    EXPECT_NE(nullptr, module);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST_F(ModuleTest, InjectedFailureFailsOneLoadOnly) {
    CFaultInjector::Instance().Inject("LoadLibraryW", ERROR_NOT_ENOUGH_MEMORY, /*skip=*/1, /*count=*/1);
    HMODULE first = LoadLibraryW(L"PvTestModuleA.dll");
    ASSERT_NE(nullptr, first);
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibraryW(L"PvTestModuleA.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    HMODULE third = LoadLibraryW(L"PvTestModuleA.dll");
    EXPECT_EQ(first, third);
    // The failed call took no reference: two releases unload.
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ((std::vector<std::string>{"A load", "A attach", "A detach", "A unload"}), EventTexts());

    CFaultInjector::Instance().Inject("LoadLibraryW", ERROR_DLL_INIT_FAILED);
    g_events.clear();
    EXPECT_EQ(nullptr, LoadLibraryW(L"PvTestModuleA.dll"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), GetLastError());
    EXPECT_TRUE(g_events.empty()) << "an injected failure opened the module";
}

} // namespace
