#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/kernel/DosPath.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

struct ToUnixCase {
    const wchar_t* dos;
    bool underDriveC; // expected is relative to drive C's folder
    const char* expected;
};

class DosPathToUnixTable : public ::testing::TestWithParam<ToUnixCase> {};

TEST_P(DosPathToUnixTable, MapsDrivesToFolders) {
    const ToUnixCase& c = GetParam();
    const std::string expected = c.underDriveC ? CDosPath::DriveC() + c.expected : std::string(c.expected);
    EXPECT_EQ(expected, CDosPath::ToUnix(c.dos));
}

INSTANTIATE_TEST_SUITE_P(Paths, DosPathToUnixTable,
                         ::testing::Values(ToUnixCase{L"Z:\\work\\x.dll", false, "/work/x.dll"},
                                           ToUnixCase{L"z:\\work\\x.dll", false, "/work/x.dll"},
                                           ToUnixCase{L"Z:/work/mixed\\x.dll", false, "/work/mixed/x.dll"},
                                           ToUnixCase{L"Z:\\", false, "/"}, ToUnixCase{L"Z:", false, "/"},
                                           ToUnixCase{L"Z:\\tmp\\Grüße", false,
                                                      "/tmp/Gr\xC3\xBC\xC3\x9F"
                                                      "e"},
                                           ToUnixCase{L"C:\\Users\\Public\\Documents", true,
                                                      "/Users/Public/Documents"},
                                           ToUnixCase{L"c:\\Program Files\\", true, "/Program Files/"},
                                           ToUnixCase{L"C:\\", true, "/"}, ToUnixCase{L"C:", true, ""},
                                           ToUnixCase{L"D:\\data", false, ""}, ToUnixCase{L"Q:", false, ""},
                                           ToUnixCase{L"/already/linux", false, "/already/linux"}));

TEST(DosPathToUnix, APathWithoutDriveIsRelativeToTheCurrentFolder) {
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(cwd + "/sub/file.txt", CDosPath::ToUnix(L"sub\\file.txt"));
}

struct ToDosCase {
    const char* unixPath;
    bool underDriveC; // unixPath is appended to drive C's folder
    const wchar_t* expected;
};

class DosPathToDosTable : public ::testing::TestWithParam<ToDosCase> {};

TEST_P(DosPathToDosTable, NamesTheDriveThePathLivesOn) {
    const ToDosCase& c = GetParam();
    const std::string path = c.underDriveC ? CDosPath::DriveC() + c.unixPath : std::string(c.unixPath);
    EXPECT_EQ(std::wstring(c.expected), CDosPath::ToDos(path));
}

INSTANTIATE_TEST_SUITE_P(Paths, DosPathToDosTable,
                         ::testing::Values(ToDosCase{"/work/x.dll", false, L"Z:\\work\\x.dll"},
                                           ToDosCase{"/", false, L"Z:\\"},
                                           ToDosCase{"/Users/x", true, L"C:\\Users\\x"},
                                           ToDosCase{"", true, L"C:\\"}));

// A folder whose name merely starts with drive C's folder name is not on drive C.
TEST(DosPathToDos, ASiblingOfDriveCIsOnDriveZ) {
    const std::string sibling = CDosPath::DriveC() + "_other/x";
    const std::wstring dos = CDosPath::ToDos(sibling);
    ASSERT_GE(dos.size(), 2u);
    EXPECT_EQ(L"Z:", dos.substr(0, 2));
    EXPECT_EQ(sibling, CDosPath::ToUnix(dos));
}

TEST(DosPath, RoundTripsThroughBothForms) {
    for (const wchar_t* dos :
         {L"C:\\Users\\Public\\Documents\\a b.txt", L"Z:\\usr\\lib\\x.so", L"C:\\Grüße\\€"})
        EXPECT_EQ(std::wstring(dos), CDosPath::ToDos(CDosPath::ToUnix(dos)));
}

// DriveC follows PV_DRIVE_C at every call, creates the folder and drops trailing slashes.
TEST(DosPathDriveC, FollowsTheEnvironmentAndCreatesTheFolder) {
    CTempFolder folder;
    ASSERT_TRUE(folder.Ok());
    const char* previous = std::getenv("PV_DRIVE_C");
    const std::string saved = previous ? previous : "";
    const std::string chosen = folder.Unix("drive/c");
    setenv("PV_DRIVE_C", (chosen + "//").c_str(), 1);
    EXPECT_EQ(chosen, CDosPath::DriveC());
    EXPECT_TRUE(std::filesystem::is_directory(chosen));
    EXPECT_EQ(chosen + "/x", CDosPath::ToUnix(L"C:\\x"));
    EXPECT_EQ(L"C:\\x", CDosPath::ToDos(chosen + "/x"));
    if (previous)
        setenv("PV_DRIVE_C", saved.c_str(), 1);
    else
        unsetenv("PV_DRIVE_C");
}

} // namespace
