#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Files.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool OwnerWriteBit(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0;
}

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }

    void MakeReadOnly(const std::string& path) { ASSERT_EQ(0, chmod(path.c_str(), 0444)); }

    CTempFolder m_folder;
};

// --- CreateFileW dispositions -----------------------------------------------------------

struct DispositionCase {
    const char* label;
    DWORD disposition;
    bool fileExists; // the file holds "old" before the call
    bool opens;
    DWORD lastError;
    const char* contentAfter; // nullptr: no file afterwards
};

class CreateFileDispositionTable : public FilesTest, public ::testing::WithParamInterface<DispositionCase> {};

TEST_P(CreateFileDispositionTable, CreatesOpensOrTruncatesAsDocumented) {
    const DispositionCase& c = GetParam();
    const std::string path = m_folder.Unix("file.txt");
    if (c.fileExists)
        WriteAll(path, "old");
    SetLastError(12345);
    HANDLE file = CreateFileW(m_folder.Dos(L"file.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ, nullptr, c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(c.lastError, GetLastError());
    EXPECT_EQ(c.opens, file != INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) {
        EXPECT_TRUE(CloseHandle(file));
    }
    if (c.contentAfter)
        EXPECT_EQ(c.contentAfter, ReadAll(path));
    else
        EXPECT_FALSE(std::filesystem::exists(path));
}

INSTANTIATE_TEST_SUITE_P(
    Dispositions, CreateFileDispositionTable,
    ::testing::Values(
        DispositionCase{"CreateNewMissing", CREATE_NEW, false, true, ERROR_SUCCESS, ""},
        DispositionCase{"CreateNewExisting", CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        DispositionCase{"CreateAlwaysMissing", CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        DispositionCase{"CreateAlwaysExisting", CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        DispositionCase{"OpenExistingMissing", OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
        DispositionCase{"OpenExistingExisting", OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
        DispositionCase{"OpenAlwaysMissing", OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        DispositionCase{"OpenAlwaysExisting", OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        DispositionCase{"TruncateExistingMissing", TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND,
                        nullptr},
        DispositionCase{"TruncateExistingExisting", TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
        DispositionCase{"ZeroIsNoDisposition", 0, true, false, ERROR_INVALID_PARAMETER, "old"},
        DispositionCase{"SixIsNoDisposition", 6, true, false, ERROR_INVALID_PARAMETER, "old"}),
    [](const auto& info) { return std::string(info.param.label); });

struct OpenErrorCase {
    const char* label;
    const wchar_t* name; // under the test folder, or a whole path when it has a drive
    DWORD access;
    DWORD disposition;
    DWORD lastError;
};

class CreateFileErrorTable : public FilesTest, public ::testing::WithParamInterface<OpenErrorCase> {};

// The folder holds "sub\" and the read-only file "locked.txt".
TEST_P(CreateFileErrorTable, FailsWithTheWindowsError) {
    const OpenErrorCase& c = GetParam();
    std::filesystem::create_directory(m_folder.Unix("sub"));
    WriteAll(m_folder.Unix("locked.txt"), "keep");
    MakeReadOnly(m_folder.Unix("locked.txt"));
    const std::wstring name = std::wcschr(c.name, L':') ? std::wstring(c.name) : m_folder.Dos(c.name);
    HANDLE file =
        CreateFileW(name.c_str(), c.access, 0, nullptr, c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(c.lastError, GetLastError());
    EXPECT_EQ("keep", ReadAll(m_folder.Unix("locked.txt")));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CreateFileErrorTable,
    ::testing::Values(
        OpenErrorCase{"MissingFolder", L"nofolder\\file.txt", GENERIC_READ, OPEN_EXISTING,
                      ERROR_PATH_NOT_FOUND},
        OpenErrorCase{"MissingFolderOnCreate", L"nofolder\\file.txt", GENERIC_WRITE, CREATE_ALWAYS,
                      ERROR_PATH_NOT_FOUND},
        OpenErrorCase{"FolderIsNoFile", L"sub", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        OpenErrorCase{"ReadOnlyForWriting", L"locked.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
        OpenErrorCase{"ReadOnlyReplaced", L"locked.txt", GENERIC_READ, CREATE_ALWAYS, ERROR_ACCESS_DENIED},
        OpenErrorCase{"ReadOnlyTruncated", L"locked.txt", GENERIC_READ | GENERIC_WRITE, TRUNCATE_EXISTING,
                      ERROR_ACCESS_DENIED},
        OpenErrorCase{"TruncateNeedsWriteAccess", L"sub\\..\\locked.txt", GENERIC_READ, TRUNCATE_EXISTING,
                      ERROR_INVALID_PARAMETER},
        OpenErrorCase{"UnknownDrive", L"Q:\\file.txt", GENERIC_READ, OPEN_EXISTING, ERROR_PATH_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FilesTest, AReadOnlyFileStillOpensForReading) {
    WriteAll(m_folder.Unix("locked.txt"), "keep");
    MakeReadOnly(m_folder.Unix("locked.txt"));
    HANDLE file = CreateFileW(m_folder.Dos(L"locked.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char buffer[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ("keep", std::string(buffer, read));
    EXPECT_TRUE(CloseHandle(file));
}

TEST_F(FilesTest, ANewFileCanBeCreatedReadOnly) {
    HANDLE file = CreateFileW(m_folder.Dos(L"new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "abc", 3, &written, nullptr));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributesW(m_folder.Dos(L"new.txt").c_str()));
    EXPECT_EQ("abc", ReadAll(m_folder.Unix("new.txt")));
}

// --- reading, writing, closing ----------------------------------------------------------

TEST_F(FilesTest, WrittenBytesReadBackAndTheEndReadsAsZeroBytes) {
    const std::wstring name = m_folder.Dos(L"data.bin");
    HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const std::string payload("one\0two\xFF", 8);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, payload.data(), 5, &written, nullptr));
    EXPECT_EQ(5u, written);
    ASSERT_TRUE(WriteFile(file, payload.data() + 5, 3, &written, nullptr));
    ASSERT_TRUE(CloseHandle(file));
    EXPECT_EQ(payload, ReadAll(m_folder.Unix("data.bin")));

    file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char buffer[16] = {};
    DWORD read = 99;
    ASSERT_TRUE(ReadFile(file, buffer, 6, &read, nullptr));
    EXPECT_EQ(6u, read);
    ASSERT_TRUE(ReadFile(file, buffer + 6, 10, &read, nullptr));
    EXPECT_EQ(2u, read);
    EXPECT_EQ(payload, std::string(buffer, 8));
    ASSERT_TRUE(ReadFile(file, buffer, 10, &read, nullptr));
    EXPECT_EQ(0u, read);
    EXPECT_TRUE(CloseHandle(file));
}

TEST_F(FilesTest, AHandleOnlyDoesWhatItWasOpenedFor) {
    const std::wstring name = m_folder.Dos(L"rights.txt");
    WriteAll(m_folder.Unix("rights.txt"), "content");
    char buffer[8];
    DWORD count = 99;

    HANDLE reader = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ(0u, count);
    CloseHandle(reader);

    HANDLE writer = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_FALSE(ReadFile(writer, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    CloseHandle(writer);

    // A read-only opening that creates the file still refuses to write into it.
    HANDLE created = CreateFileW(m_folder.Dos(L"created.txt").c_str(), GENERIC_READ, 0, nullptr,
                                 CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, created);
    EXPECT_FALSE(WriteFile(created, "x", 1, &count, nullptr));
    CloseHandle(created);
    EXPECT_EQ("content", ReadAll(m_folder.Unix("rights.txt")));
}

TEST_F(FilesTest, ClosedAndInvalidHandlesAreRefused) {
    HANDLE file = CreateFileW(m_folder.Dos(L"x.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(CloseHandle(file));
    char buffer[4];
    DWORD count = 0;
    for (HANDLE bad : {file, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr)}) {
        SetLastError(0);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
        EXPECT_FALSE(ReadFile(bad, buffer, 4, &count, nullptr));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
        EXPECT_FALSE(WriteFile(bad, buffer, 4, &count, nullptr));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    }
}

// --- attributes -------------------------------------------------------------------------

struct AttributeCase {
    const char* label;
    const wchar_t* name;
    DWORD attributes;
    DWORD lastError; // only when INVALID_FILE_ATTRIBUTES
};

class GetFileAttributesTable : public FilesTest, public ::testing::WithParamInterface<AttributeCase> {};

// The folder holds "sub\", "plain.txt" and the read-only "locked.txt".
TEST_P(GetFileAttributesTable, ReportsKindAndReadOnly) {
    const AttributeCase& c = GetParam();
    std::filesystem::create_directory(m_folder.Unix("sub"));
    WriteAll(m_folder.Unix("plain.txt"), "x");
    WriteAll(m_folder.Unix("locked.txt"), "x");
    MakeReadOnly(m_folder.Unix("locked.txt"));
    SetLastError(0);
    EXPECT_EQ(c.attributes, GetFileAttributesW(m_folder.Dos(c.name).c_str()));
    if (c.attributes == INVALID_FILE_ATTRIBUTES) {
        EXPECT_EQ(c.lastError, GetLastError());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GetFileAttributesTable,
    ::testing::Values(AttributeCase{"Folder", L"sub", FILE_ATTRIBUTE_DIRECTORY, 0},
                      AttributeCase{"FolderWithBackslash", L"sub\\", FILE_ATTRIBUTE_DIRECTORY, 0},
                      AttributeCase{"TheTestFolder", L"", FILE_ATTRIBUTE_DIRECTORY, 0},
                      AttributeCase{"File", L"plain.txt", FILE_ATTRIBUTE_NORMAL, 0},
                      AttributeCase{"ReadOnlyFile", L"locked.txt", FILE_ATTRIBUTE_READONLY, 0},
                      AttributeCase{"Missing", L"none.txt", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
                      AttributeCase{"MissingFolder", L"none\\x.txt", INVALID_FILE_ATTRIBUTES,
                                    ERROR_PATH_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FilesTest, SetFileAttributesTogglesTheOwnerWriteBit) {
    const std::string path = m_folder.Unix("toggle.txt");
    const std::wstring name = m_folder.Dos(L"toggle.txt");
    WriteAll(path, "x");
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(OwnerWriteBit(path));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY, GetFileAttributesW(name.c_str()));
    // Setting it again changes nothing.
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(OwnerWriteBit(path));
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(OwnerWriteBit(path));
    EXPECT_EQ(FILE_ATTRIBUTE_NORMAL, GetFileAttributesW(name.c_str()));

    EXPECT_FALSE(SetFileAttributesW(m_folder.Dos(L"none.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

TEST_F(FilesTest, AFolderKeepsItsWriteBitWhenMarkedReadOnly) {
    std::filesystem::create_directory(m_folder.Unix("sub"));
    EXPECT_TRUE(SetFileAttributesW(m_folder.Dos(L"sub").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(OwnerWriteBit(m_folder.Unix("sub")));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(m_folder.Dos(L"sub").c_str()));
}

// --- deleting ---------------------------------------------------------------------------

struct DeleteCase {
    const char* label;
    const wchar_t* name;
    bool deletes;
    DWORD lastError;
};

class DeleteFileTable : public FilesTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteFileTable, DeletesOnlyWritableFiles) {
    const DeleteCase& c = GetParam();
    std::filesystem::create_directory(m_folder.Unix("sub"));
    WriteAll(m_folder.Unix("plain.txt"), "x");
    WriteAll(m_folder.Unix("locked.txt"), "x");
    MakeReadOnly(m_folder.Unix("locked.txt"));
    SetLastError(0);
    EXPECT_EQ(c.deletes, DeleteFileW(m_folder.Dos(c.name).c_str()) != FALSE);
    if (!c.deletes) {
        EXPECT_EQ(c.lastError, GetLastError());
    }
    EXPECT_EQ(c.deletes, GetFileAttributesW(m_folder.Dos(c.name).c_str()) == INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(Paths, DeleteFileTable,
                         ::testing::Values(DeleteCase{"File", L"plain.txt", true, 0},
                                           DeleteCase{"ReadOnlyFile", L"locked.txt", false,
                                                      ERROR_ACCESS_DENIED},
                                           DeleteCase{"Folder", L"sub", false, ERROR_ACCESS_DENIED}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FilesTest, DeletingAMissingFileTellsWhatIsMissing) {
    EXPECT_FALSE(DeleteFileW(m_folder.Dos(L"none.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_FALSE(DeleteFileW(m_folder.Dos(L"none\\x.txt").c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
}

TEST_F(FilesTest, AReadOnlyFileDeletesOnceTheAttributeIsCleared) {
    WriteAll(m_folder.Unix("locked.txt"), "x");
    const std::wstring name = m_folder.Dos(L"locked.txt");
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileW(name.c_str()));
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(name.c_str()));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Unix("locked.txt")));
}

// --- long names and folders -------------------------------------------------------------

struct LongPathCase {
    const char* label;
    int bufferExtra;     // buffer size relative to the path's length (-1: no buffer, size 0)
    DWORD expectedExtra; // result relative to the path's length
    bool copied;
};

class GetLongPathNameTable : public FilesTest, public ::testing::WithParamInterface<LongPathCase> {};

TEST_P(GetLongPathNameTable, FollowsTheBufferSizeRules) {
    const LongPathCase& c = GetParam();
    WriteAll(m_folder.Unix("Long File Name.txt"), "x");
    const std::wstring name = m_folder.Dos(L"Long File Name.txt");
    const DWORD length = static_cast<DWORD>(name.size());
    std::wstring buffer(length + 8, L'#');
    const DWORD size = c.bufferExtra < 0 ? 0 : length + static_cast<DWORD>(c.bufferExtra);
    const DWORD result = GetLongPathNameW(name.c_str(), c.bufferExtra < 0 ? nullptr : buffer.data(), size);
    EXPECT_EQ(length + c.expectedExtra, result);
    if (c.copied)
        EXPECT_EQ(name, std::wstring(buffer.c_str()));
    else
        EXPECT_EQ(std::wstring(length + 8, L'#'), buffer);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GetLongPathNameTable,
                         ::testing::Values(LongPathCase{"RoomToSpare", 5, 0, true},
                                           LongPathCase{"ExactWithTerminator", 1, 0, true},
                                           LongPathCase{"NoRoomForTerminator", 0, 1, false},
                                           LongPathCase{"SizeQuery", -1, 1, false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FilesTest, GetLongPathNameWorksInPlaceAndRefusesMissingPaths) {
    WriteAll(m_folder.Unix("f.txt"), "x");
    std::wstring buffer = m_folder.Dos(L"f.txt");
    const DWORD length = static_cast<DWORD>(buffer.size());
    buffer.resize(length + 1);
    EXPECT_EQ(length, GetLongPathNameW(buffer.c_str(), buffer.data(), length + 1));
    EXPECT_EQ(m_folder.Dos(L"f.txt"), std::wstring(buffer.c_str()));
    wchar_t tiny[1] = {L'#'};
    EXPECT_EQ(length + 1, GetLongPathNameW(buffer.c_str(), tiny, 1));
    EXPECT_EQ(L'#', tiny[0]);

    wchar_t out[8] = L"same";
    EXPECT_EQ(0u, GetLongPathNameW(m_folder.Dos(L"none.txt").c_str(), out, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_STREQ(L"same", out);
    EXPECT_EQ(0u, GetLongPathNameW(nullptr, out, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST_F(FilesTest, CreateDirectoryMakesOneLevel) {
    EXPECT_TRUE(CreateDirectoryW(m_folder.Dos(L"made").c_str(), nullptr));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesW(m_folder.Dos(L"made").c_str()));
    EXPECT_FALSE(CreateDirectoryW(m_folder.Dos(L"made").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_FALSE(CreateDirectoryW(m_folder.Dos(L"a\\b").c_str(), nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_PATH_NOT_FOUND), GetLastError());
    EXPECT_FALSE(std::filesystem::exists(m_folder.Unix("a")));
}

// --- fault injection --------------------------------------------------------------------

struct FaultCase {
    const char* api;
    // Runs the call on the test folder (holding "f.txt" with "x"); true when it failed.
    std::function<bool(const CTempFolder&)> fails;
};

class FilesFaultTable : public FilesTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FilesFaultTable, AnInjectedFailureSetsTheErrorAndChangesNothing) {
    WriteAll(m_folder.Unix("f.txt"), "x");
    CFaultInjector::Instance().Inject(GetParam().api, ERROR_NOT_ENOUGH_MEMORY);
    SetLastError(0);
    EXPECT_TRUE(GetParam().fails(m_folder));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_EQ("x", ReadAll(m_folder.Unix("f.txt")));
    EXPECT_TRUE(OwnerWriteBit(m_folder.Unix("f.txt")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Unix("new")));
    // The fault was for one call: the same call now succeeds.
    EXPECT_FALSE(GetParam().fails(m_folder));
}

HANDLE OpenForWriting(const CTempFolder& folder) {
    return CreateFileW(folder.Dos(L"f.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       0, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FilesFaultTable,
    ::testing::Values(FaultCase{"CreateFileW",
                                [](const CTempFolder& f) {
                                    HANDLE h = CreateFileW(f.Dos(L"new").c_str(), GENERIC_WRITE, 0, nullptr,
                                                           CREATE_NEW, 0, nullptr);
                                    if (h == INVALID_HANDLE_VALUE)
                                        return true;
                                    CloseHandle(h);
                                    DeleteFileW(f.Dos(L"new").c_str());
                                    return false;
                                }},
                      FaultCase{"WriteFile",
                                [](const CTempFolder& f) {
                                    HANDLE h = OpenForWriting(f);
                                    DWORD n = 0;
                                    const bool failed = !WriteFile(h, "yy", 2, &n, nullptr);
                                    CloseHandle(h);
                                    if (!failed)
                                        WriteAll(f.Unix("f.txt"), "x");
                                    return failed;
                                }},
                      FaultCase{"ReadFile",
                                [](const CTempFolder& f) {
                                    HANDLE h = OpenForWriting(f);
                                    char buffer[4];
                                    DWORD n = 0;
                                    const bool failed = !ReadFile(h, buffer, 4, &n, nullptr);
                                    CloseHandle(h);
                                    return failed;
                                }},
                      FaultCase{"CloseHandle",
                                [](const CTempFolder& f) {
                                    HANDLE h = OpenForWriting(f);
                                    if (CloseHandle(h))
                                        return false;
                                    const DWORD error = GetLastError();
                                    CFaultInjector::Instance().Clear("CloseHandle");
                                    CloseHandle(h);
                                    SetLastError(error);
                                    return true;
                                }},
                      FaultCase{"DeleteFileW",
                                [](const CTempFolder& f) {
                                    if (!DeleteFileW(f.Dos(L"f.txt").c_str()))
                                        return true;
                                    WriteAll(f.Unix("f.txt"), "x");
                                    return false;
                                }},
                      FaultCase{"GetFileAttributesW",
                                [](const CTempFolder& f) {
                                    return GetFileAttributesW(f.Dos(L"f.txt").c_str()) ==
                                           INVALID_FILE_ATTRIBUTES;
                                }},
                      FaultCase{"SetFileAttributesW",
                                [](const CTempFolder& f) {
                                    if (!SetFileAttributesW(f.Dos(L"f.txt").c_str(), FILE_ATTRIBUTE_READONLY))
                                        return true;
                                    SetFileAttributesW(f.Dos(L"f.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
                                    return false;
                                }},
                      FaultCase{"GetLongPathNameW",
                                [](const CTempFolder& f) {
                                    wchar_t buffer[MAX_PATH];
                                    return GetLongPathNameW(f.Dos(L"f.txt").c_str(), buffer, MAX_PATH) == 0;
                                }},
                      FaultCase{"CreateDirectoryW",
                                [](const CTempFolder& f) {
                                    if (!CreateDirectoryW(f.Dos(L"new").c_str(), nullptr))
                                        return true;
                                    std::filesystem::remove(f.Unix("new"));
                                    return false;
                                }}),
    [](const auto& info) { return std::string(info.param.api); });

} // namespace
