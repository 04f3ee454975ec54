#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/base/HResult.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/shell/Shell.h"
#include "platform/shell/ShellFolders.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

// Each test gets its own drive C: a fresh folder under the one the test run chose.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        const char* previous = std::getenv("PV_DRIVE_C");
        m_hadDrive = previous != nullptr;
        if (previous)
            m_previousDrive = previous;
        setenv("PV_DRIVE_C", m_folder.Unix("c").c_str(), 1);
        CShellFolders::Reset();
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override {
        CShellFolders::Reset();
        CFaultInjector::Instance().ClearAll();
        if (m_hadDrive)
            setenv("PV_DRIVE_C", m_previousDrive.c_str(), 1);
        else
            unsetenv("PV_DRIVE_C");
    }
    std::string DriveC(const std::string& rest) const { return m_folder.Unix("c") + rest; }

    CTempFolder m_folder;
    bool m_hadDrive = false;
    std::string m_previousDrive;
};

struct FolderCase {
    const char* label;
    int csidl;
    const wchar_t* dosPath;
    const char* underDriveC;
};

class ShellFolderTable : public ShellTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(ShellFolderTable, AnswersTheDosPathAndMakesTheFolder) {
    const FolderCase& c = GetParam();
    ASSERT_FALSE(std::filesystem::exists(DriveC(c.underDriveC)));
    wchar_t path[MAX_PATH] = L"#";
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_STREQ(c.dosPath, path);
    EXPECT_TRUE(std::filesystem::is_directory(DriveC(c.underDriveC)));

    // With CSIDL_FLAG_CREATE, and when the folder already exists, the answer is the same.
    wchar_t again[MAX_PATH] = L"#";
    ASSERT_EQ(S_OK,
              SHGetFolderPathW(nullptr, c.csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, again));
    EXPECT_STREQ(c.dosPath, again);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ShellFolderTable,
    ::testing::Values(FolderCase{"ProgramFiles", CSIDL_PROGRAM_FILES, L"C:\\Program Files", "/Program Files"},
                      FolderCase{"CommonDocuments", CSIDL_COMMON_DOCUMENTS, L"C:\\Users\\Public\\Documents",
                                 "/Users/Public/Documents"},
                      FolderCase{"Personal", CSIDL_PERSONAL, L"C:\\Users\\User\\Documents",
                                 "/Users/User/Documents"},
                      FolderCase{"AppData", CSIDL_APPDATA, L"C:\\Users\\User\\AppData\\Roaming",
                                 "/Users/User/AppData/Roaming"},
                      FolderCase{"CommonAppData", CSIDL_COMMON_APPDATA, L"C:\\ProgramData", "/ProgramData"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(ShellTest, AHostMayMoveAFolder) {
    ASSERT_EQ(S_OK, CShellFolders::SetFolder(CSIDL_PROGRAM_FILES, L"C:\\Apps\\Installed\\"));
    wchar_t path[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_STREQ(L"C:\\Apps\\Installed", path);
    EXPECT_TRUE(std::filesystem::is_directory(DriveC("/Apps/Installed")));

    // The default location is still known, and is not created by asking for it.
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_DEFAULT, path));
    EXPECT_STREQ(L"C:\\Program Files", path);
    EXPECT_FALSE(std::filesystem::exists(DriveC("/Program Files")));

    ASSERT_EQ(S_OK, CShellFolders::SetFolder(CSIDL_PROGRAM_FILES, L""));
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_STREQ(L"C:\\Program Files", path);
}

TEST_F(ShellTest, AFolderMayLiveOnDriveZ) {
    const std::wstring elsewhere = CDosPath::ToDos(m_folder.Unix("z-side"));
    ASSERT_EQ(L"Z:", elsewhere.substr(0, 2));
    ASSERT_EQ(S_OK, CShellFolders::SetFolder(CSIDL_COMMON_DOCUMENTS, elsewhere));
    wchar_t path[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_EQ(elsewhere, path);
    EXPECT_TRUE(std::filesystem::is_directory(m_folder.Unix("z-side")));
}

TEST_F(ShellTest, UnknownFoldersAndFlagsAreInvalidArguments) {
    wchar_t path[MAX_PATH] = L"#";
    EXPECT_EQ(E_INVALIDARG, SHGetFolderPathW(nullptr, 0x0007 /* CSIDL_STARTUP */, nullptr, 0, path));
    EXPECT_STREQ(L"", path);
    EXPECT_EQ(E_INVALIDARG, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 2, path));
    EXPECT_EQ(E_INVALIDARG, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, nullptr));
    EXPECT_EQ(E_INVALIDARG, CShellFolders::SetFolder(0x0007, L"C:\\Startup"));
}

TEST_F(ShellTest, AFolderThatCannotBeMadeIsAnError) {
    std::filesystem::create_directories(DriveC(""));
    std::ofstream(DriveC("/blocker")) << "a file where a folder should be";
    ASSERT_TRUE(std::filesystem::is_regular_file(DriveC("/blocker")));
    ASSERT_EQ(S_OK, CShellFolders::SetFolder(CSIDL_APPDATA, L"C:\\blocker\\AppData"));
    wchar_t path[MAX_PATH] = L"#";
    EXPECT_TRUE(FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)));
    EXPECT_STREQ(L"", path);
}

TEST_F(ShellTest, AnInjectedFailureIsReturnedAndMakesNoFolder) {
    CFaultInjector::Instance().Inject("SHGetFolderPathW", E_FAIL);
    wchar_t path[MAX_PATH] = L"#";
    EXPECT_EQ(E_FAIL, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_FALSE(std::filesystem::exists(DriveC("/Program Files")));
    EXPECT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path));
    EXPECT_STREQ(L"C:\\Program Files", path);
}

struct ExistsCase {
    const char* label;
    const wchar_t* path;
    BOOL exists;
};

class PathFileExistsTable : public ShellTest, public ::testing::WithParamInterface<ExistsCase> {};

// Drive C holds "Data\file.txt".
TEST_P(PathFileExistsTable, FindsFilesAndFolders) {
    std::filesystem::create_directories(DriveC("/Data"));
    std::ofstream(DriveC("/Data/file.txt")) << "x";
    EXPECT_EQ(GetParam().exists, PathFileExistsW(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(Paths, PathFileExistsTable,
                         ::testing::Values(ExistsCase{"File", L"C:\\Data\\file.txt", TRUE},
                                           ExistsCase{"FileOtherSlashes", L"c:/Data/file.txt", TRUE},
                                           ExistsCase{"Folder", L"C:\\Data", TRUE},
                                           ExistsCase{"FolderWithBackslash", L"C:\\Data\\", TRUE},
                                           ExistsCase{"DriveRoot", L"C:\\", TRUE},
                                           ExistsCase{"LinuxRoot", L"Z:\\", TRUE},
                                           ExistsCase{"MissingFile", L"C:\\Data\\none.txt", FALSE},
                                           ExistsCase{"MissingFolder", L"C:\\None\\file.txt", FALSE},
                                           ExistsCase{"FileAsFolder", L"C:\\Data\\file.txt\\x", FALSE},
                                           ExistsCase{"UnknownDrive", L"Q:\\Data", FALSE},
                                           ExistsCase{"Empty", L"", FALSE},
                                           ExistsCase{"Null", nullptr, FALSE}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ShellTest, PathFileExistsCanBeMadeToFail) {
    std::filesystem::create_directories(DriveC("/Data"));
    CFaultInjector::Instance().Inject("PathFileExistsW", ERROR_ACCESS_DENIED);
    EXPECT_FALSE(PathFileExistsW(L"C:\\Data"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(PathFileExistsW(L"C:\\Data"));
}

} // namespace
