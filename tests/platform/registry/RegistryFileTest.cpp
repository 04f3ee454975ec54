#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/registry/Registry.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

std::vector<BYTE> TextBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

std::vector<BYTE> Join(std::initializer_list<std::vector<BYTE>> parts) {
    std::vector<BYTE> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

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

struct StoredValue {
    HKEY root;
    const wchar_t* key;
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
};

// Values chosen to break a careless text form: quotes, backslashes, line breaks,
// characters beyond ASCII and beyond the BMP, data that no friendly form fits.
const std::vector<StoredValue>& TrickyValues() {
    static const std::vector<StoredValue> values = {
        {HKEY_CLASSES_ROOT, L"CLSID\\{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}", nullptr, REG_SZ,
         TextBytes(L"PV Panel")},
        {HKEY_CLASSES_ROOT, L"CLSID\\{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}\\InprocServer32",
         L"ThreadingModel", REG_SZ, TextBytes(L"Both")},
        {HKEY_CURRENT_USER, L"Text", L"quote\"and\\slash", REG_SZ, TextBytes(L"say \"hi\" \\ bye")},
        {HKEY_CURRENT_USER, L"Text", L"line\nbreak", REG_SZ, TextBytes(L"one\r\ntwo\tthree")},
        {HKEY_CURRENT_USER, L"Text", L"Grüße", REG_SZ, TextBytes(L"Ünïcödé \u00A0 \U0001F600 \u4E2D")},
        {HKEY_CURRENT_USER, L"Text", L"empty", REG_SZ, TextBytes(L"")},
        {HKEY_CURRENT_USER, L"Text", L"control", REG_SZ,
         TextBytes(std::wstring(L"a\x01\x7F"
                                L"b"))},
        {HKEY_CURRENT_USER, L"Text", L"unterminated", REG_SZ, {'A', 0, 0, 0, 'B', 0, 0, 0}},
        {HKEY_CURRENT_USER, L"Text", L"innerNull", REG_SZ, Join({TextBytes(L"a"), TextBytes(L"b")})},
        {HKEY_CURRENT_USER, L"Text", L"oddLength", REG_EXPAND_SZ, {'%', 0, 0}},
        {HKEY_CURRENT_USER, L"Text", L"surrogate", REG_SZ, Join({{0x00, 0xD8, 0, 0}, TextBytes(L"")})},
        {HKEY_CURRENT_USER, L"Text", L"expand", REG_EXPAND_SZ, TextBytes(L"%SystemRoot%\\x")},
        {HKEY_CURRENT_USER, L"Lists", L"multi", REG_MULTI_SZ,
         Join({TextBytes(L"a b"), TextBytes(L"\"c\""), TextBytes(L"")})},
        {HKEY_CURRENT_USER, L"Lists", L"multiEmptyInside", REG_MULTI_SZ,
         Join({TextBytes(L"a"), TextBytes(L""), TextBytes(L"b"), TextBytes(L"")})},
        {HKEY_CURRENT_USER, L"Lists", L"multiNothing", REG_MULTI_SZ, TextBytes(L"")},
        {HKEY_CURRENT_USER, L"Numbers", L"dword", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE}},
        {HKEY_CURRENT_USER, L"Numbers", L"shortDword", REG_DWORD, {1, 2, 3}},
        {HKEY_CURRENT_USER, L"Numbers", L"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 0x80}},
        {HKEY_CURRENT_USER, L"Numbers", L"binary", REG_BINARY, {0x00, 0xFF, 0x7F, 0x80}},
        {HKEY_CURRENT_USER, L"Numbers", L"emptyBinary", REG_BINARY, {}},
        {HKEY_CURRENT_USER, L"Numbers", L"none", REG_NONE, {9}},
        {HKEY_CURRENT_USER, L"Numbers", L"custom", 0x12345678, TextBytes(L"x")},
        {HKEY_LOCAL_MACHINE, L"Odd%Names\\[bracket]\\tab\there", L"@", REG_SZ, TextBytes(L"not the default")},
        {HKEY_LOCAL_MACHINE, L"Odd%Names\\end]", nullptr, REG_DWORD, {0, 0, 0, 0}},
    };
    return values;
}

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        CRegistry::Instance().Clear();
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override { CRegistry::Instance().Clear(); }

    static void Store(const StoredValue& v) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(v.root, v.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(key, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size())));
        RegCloseKey(key);
    }
    static void ExpectStored(const StoredValue& v) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(v.key) + L" : " + (v.name ? v.name : L"(default)")));
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(v.root, v.key, 0, KEY_READ, &key));
        DWORD type = 0;
        DWORD size = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, v.name, nullptr, &type, nullptr, &size));
        std::vector<BYTE> data(size);
        ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, v.name, nullptr, &type, data.data(), &size));
        EXPECT_EQ(v.type, type);
        EXPECT_EQ(v.data, data);
        RegCloseKey(key);
    }

    CTempFolder m_folder;
};

TEST_F(RegistryFileTest, EveryValueRoundTripsThroughTheFile) {
    for (const StoredValue& v : TrickyValues())
        Store(v);
    HKEY empty = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Empty\\Leaf", 0, nullptr, 0, KEY_READ,
                                             nullptr, &empty, nullptr));
    RegCloseKey(empty);
    const std::wstring machine = CRegistry::Instance().Dump(HKEY_LOCAL_MACHINE, L"");
    const std::wstring user = CRegistry::Instance().Dump(HKEY_CURRENT_USER, L"");

    const std::string file = m_folder.Unix("registry.txt");
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SaveToFile(file));
    CRegistry::Instance().Clear();
    ASSERT_EQ(std::wstring(), CRegistry::Instance().Dump(HKEY_CLASSES_ROOT, L"CLSID"));
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().LoadFromFile(file));

    for (const StoredValue& v : TrickyValues())
        ExpectStored(v);
    EXPECT_EQ(machine, CRegistry::Instance().Dump(HKEY_LOCAL_MACHINE, L""));
    EXPECT_EQ(user, CRegistry::Instance().Dump(HKEY_CURRENT_USER, L""));
    // A second save of the loaded tree gives the same file.
    const std::string again = m_folder.Unix("again.txt");
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SaveToFile(again));
    EXPECT_EQ(ReadAll(file), ReadAll(again));
}

TEST_F(RegistryFileTest, DumpListsAKeyAndItsSubkeysReadably) {
    for (size_t i = 0; i < 2; ++i)
        Store(TrickyValues()[i]);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CLASSES_ROOT, L"clsid\\{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}", 0,
                            KEY_ALL_ACCESS, &key));
    const DWORD count = 42;
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), 4));
    const BYTE raw[] = {1, 0xAB};
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Raw", 0, REG_BINARY, raw, 2));
    RegCloseKey(key);

    EXPECT_EQ(
        L"[HKEY_CLASSES_ROOT\\CLSID\\{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}]\n"
        L"@=REG_SZ \"PV Panel\"\n"
        L"\"Count\"=REG_DWORD 0x0000002a\n"
        L"\"Raw\"=REG_BINARY hex:01,ab\n"
        L"\n"
        L"[HKEY_CLASSES_ROOT\\CLSID\\{1A2B3C4D-5E6F-7081-92A3-B4C5D6E7F809}\\InprocServer32]\n"
        L"\"ThreadingModel\"=REG_SZ \"Both\"\n"
        L"\n",
        CRegistry::Instance().Dump(HKEY_CLASSES_ROOT, L"clsid\\{1a2b3c4d-5e6f-7081-92a3-b4c5d6e7f809}"));
    EXPECT_EQ(std::wstring(), CRegistry::Instance().Dump(HKEY_CLASSES_ROOT, L"CLSID\\{missing}"));
}

TEST_F(RegistryFileTest, AHandWrittenFileLoads) {
    const std::string file = m_folder.Unix("hand.txt");
    WriteAll(file, "; written by hand\r\n"
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\PV.Panel]\r\n"
                   "@=REG_SZ \"Grüße\"\r\n"
                   "\"Version\"=REG_DWORD 0x00000102\n"
                   "\"List\"=REG_MULTI_SZ \"a\" \"b\\\\c\"\n"
                   "\"Escaped\"=REG_SZ \"tab\\x{9}end\"\n"
                   "\n"
                   "[HKEY_CURRENT_USER\\Per%00000025cent]\n");
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().LoadFromFile(file));
    ExpectStored({HKEY_CLASSES_ROOT, L"PV.Panel", nullptr, REG_SZ, TextBytes(L"Grüße")});
    ExpectStored({HKEY_CLASSES_ROOT, L"PV.Panel", L"Version", REG_DWORD, {0x02, 0x01, 0, 0}});
    ExpectStored({HKEY_CLASSES_ROOT, L"PV.Panel", L"List", REG_MULTI_SZ,
                  Join({TextBytes(L"a"), TextBytes(L"b\\c"), TextBytes(L"")})});
    ExpectStored({HKEY_CLASSES_ROOT, L"PV.Panel", L"Escaped", REG_SZ, TextBytes(L"tab\tend")});
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Per%cent", 0, KEY_READ, &key));
    RegCloseKey(key);
}

struct BadFileCase {
    const char* label;
    const char* text;
};

class RegistryBadFileTable : public RegistryFileTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(RegistryBadFileTable, IsRefusedAndLeavesTheTreeAlone) {
    Store(TrickyValues()[0]);
    const std::wstring before = CRegistry::Instance().Dump(HKEY_LOCAL_MACHINE, L"");
    const std::string file = m_folder.Unix("bad.txt");
    WriteAll(file, std::string("[HKEY_CURRENT_USER\\Fine]\n\"ok\"=REG_DWORD 0x00000001\n") + GetParam().text +
                       "\n");
    EXPECT_EQ(ERROR_BADDB, CRegistry::Instance().LoadFromFile(file));
    EXPECT_EQ(before, CRegistry::Instance().Dump(HKEY_LOCAL_MACHINE, L""));
    EXPECT_EQ(std::wstring(), CRegistry::Instance().Dump(HKEY_CURRENT_USER, L"Fine"));
}

INSTANTIATE_TEST_SUITE_P(Lines, RegistryBadFileTable,
                         ::testing::Values(BadFileCase{"UnknownRoot", "[HKEY_USERS\\x]"},
                                           BadFileCase{"EmptyKeyName", "[HKEY_CURRENT_USER\\\\x]"},
                                           BadFileCase{"UnclosedKey", "[HKEY_CURRENT_USER\\x"},
                                           BadFileCase{"BadPercent", "[HKEY_CURRENT_USER\\a%12]"},
                                           BadFileCase{"UnquotedName", "name=REG_SZ \"x\""},
                                           BadFileCase{"UnterminatedString", "\"name\"=REG_SZ \"x"},
                                           BadFileCase{"UnknownEscape", "\"name\"=REG_SZ \"\\q\""},
                                           BadFileCase{"UnknownType", "\"name\"=REG_TEXT \"x\""},
                                           BadFileCase{"NoData", "\"name\"=REG_SZ"},
                                           BadFileCase{"ShortNumber", "\"n\"=REG_DWORD 0x12345"},
                                           BadFileCase{"BadHexByte", "\"n\"=REG_BINARY hex:0g"},
                                           BadFileCase{"TrailingComma", "\"n\"=REG_BINARY hex:01,"},
                                           BadFileCase{"TwoStringsForSz", "\"n\"=REG_SZ \"a\" \"b\""},
                                           BadFileCase{"TrailingText", "\"n\"=REG_SZ \"a\"x"},
                                           BadFileCase{"HugeType", "\"n\"=type(4294967296) hex:"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryFileTest, ValueBeforeAnyKeyIsRefused) {
    const std::string file = m_folder.Unix("bad.txt");
    WriteAll(file, "\"orphan\"=REG_SZ \"x\"\n");
    EXPECT_EQ(ERROR_BADDB, CRegistry::Instance().LoadFromFile(file));
}

TEST_F(RegistryFileTest, MissingFileIsFileNotFound) {
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, CRegistry::Instance().LoadFromFile(m_folder.Unix("none.txt")));
    EXPECT_NE(ERROR_SUCCESS, CRegistry::Instance().SaveToFile(m_folder.Unix("no/such/folder.txt")));
}

TEST_F(RegistryFileTest, LoadingReplacesTheTreeAndRetiresOpenHandles) {
    const std::string file = m_folder.Unix("tree.txt");
    WriteAll(file, "[HKEY_CURRENT_USER\\Loaded]\n");
    HKEY old = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Old", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &old, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().LoadFromFile(file));
    DWORD size = 0;
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExW(old, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(old));
    EXPECT_EQ(L"[HKEY_CURRENT_USER]\n\n[HKEY_CURRENT_USER\\Loaded]\n\n",
              CRegistry::Instance().Dump(HKEY_CURRENT_USER, L""));
}

TEST_F(RegistryFileTest, ABackingFileFollowsEveryChange) {
    const std::string file = m_folder.Unix("backing.txt");
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SetBackingFile(file));
    ASSERT_FALSE(ReadAll(file).empty());

    // Each change is in the file before the next call returns.
    auto fileHas = [&](const std::string& line) {
        return ReadAll(file).find(line + "\n") != std::string::npos;
    };

    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Saved\\Leaf", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_TRUE(fileHas("[HKEY_CURRENT_USER\\Saved\\Leaf]"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Saved\\Leaf"));
    EXPECT_FALSE(fileHas("[HKEY_CURRENT_USER\\Saved\\Leaf]"));
    EXPECT_TRUE(fileHas("[HKEY_CURRENT_USER\\Saved]"));

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Saved", 0, KEY_ALL_ACCESS, &key));
    const DWORD value = 7;
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4));
    RegCloseKey(key);
    EXPECT_TRUE(fileHas("\"v\"=REG_DWORD 0x00000007"));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Saved", 0, KEY_ALL_ACCESS, &key));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, L"v"));
    RegCloseKey(key);
    EXPECT_EQ(std::string::npos, ReadAll(file).find("\"v\"="));

    // Stopping: later changes stay in memory only.
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SetBackingFile(""));
    const std::string stopped = ReadAll(file);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"NotSaved", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_EQ(stopped, ReadAll(file));
}

TEST_F(RegistryFileTest, ABackingFileThatExistsIsLoaded) {
    const std::string file = m_folder.Unix("existing.txt");
    WriteAll(file, "[HKEY_CURRENT_USER\\FromFile]\n\"v\"=REG_SZ \"kept\"\n");
    ASSERT_EQ(ERROR_SUCCESS, CRegistry::Instance().SetBackingFile(file));
    ExpectStored({HKEY_CURRENT_USER, L"FromFile", L"v", REG_SZ, TextBytes(L"kept")});

    WriteAll(m_folder.Unix("broken.txt"), "[nowhere]\n");
    EXPECT_EQ(ERROR_BADDB, CRegistry::Instance().SetBackingFile(m_folder.Unix("broken.txt")));
    // The failed switch leaves the previous file in charge.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Later", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_NE(std::string::npos, ReadAll(file).find("[HKEY_CURRENT_USER\\Later]"));
    EXPECT_EQ("[nowhere]\n", ReadAll(m_folder.Unix("broken.txt")));
}

} // namespace
