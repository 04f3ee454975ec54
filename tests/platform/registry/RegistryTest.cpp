#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/registry/Registry.h"

namespace {

std::vector<BYTE> TextBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

std::vector<BYTE> MultiBytes(std::initializer_list<std::wstring> strings) {
    std::vector<BYTE> bytes;
    for (const std::wstring& s : strings) {
        std::vector<BYTE> part = TextBytes(s);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    std::vector<BYTE> end = TextBytes(L"");
    bytes.insert(bytes.end(), end.begin(), end.end());
    return bytes;
}

template <class T> std::vector<BYTE> RawBytes(T value) {
    std::vector<BYTE> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CRegistry::Instance().Clear();
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override {
        for (HKEY key : m_open)
            RegCloseKey(key);
        CRegistry::Instance().Clear();
        CFaultInjector::Instance().ClearAll();
    }

    HKEY Create(HKEY parent, const wchar_t* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                                 nullptr, &key, nullptr))
            << "creating " << testing::PrintToString(std::wstring(path));
        if (key)
            m_open.push_back(key);
        return key;
    }
    LONG Open(HKEY parent, const wchar_t* path, REGSAM access, HKEY* key) {
        LONG status = RegOpenKeyExW(parent, path, 0, access, key);
        if (status == ERROR_SUCCESS && !CRegistry::IsPredefined(*key))
            m_open.push_back(*key);
        return status;
    }
    bool Exists(HKEY parent, const wchar_t* path) {
        HKEY key = nullptr;
        return Open(parent, path, KEY_READ, &key) == ERROR_SUCCESS;
    }
    LONG Set(HKEY key, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
        return RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    }
    // The value's type and bytes, read with a buffer of exactly its size.
    LONG Query(HKEY key, const wchar_t* name, DWORD* type, std::vector<BYTE>* data) {
        DWORD size = 0;
        LONG status = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return status;
        data->assign(size, 0xCC);
        return RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
    }
    std::vector<std::wstring> SubkeyNames(HKEY key) {
        std::vector<std::wstring> names;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];
            DWORD size = 256;
            LONG status = RegEnumKeyExW(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            EXPECT_EQ(ERROR_SUCCESS, status);
            if (status != ERROR_SUCCESS)
                break;
            EXPECT_EQ(std::wcslen(name), size);
            names.emplace_back(name);
        }
        return names;
    }

    std::vector<HKEY> m_open;
};

// --- creating and opening -------------------------------------------------------------

struct CreateCase {
    const wchar_t* path;
    DWORD disposition;
};

class RegistryCreateTable : public RegistryTest, public ::testing::WithParamInterface<CreateCase> {};

// Each case runs after "Software\Vendor\Product" was created.
TEST_P(RegistryCreateTable, ReportsWhetherTheKeyIsNew) {
    Create(HKEY_CURRENT_USER, L"Software\\Vendor\\Product");
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, GetParam().path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition));
    m_open.push_back(key);
    EXPECT_EQ(GetParam().disposition, disposition);
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RegistryCreateTable,
    ::testing::Values(CreateCase{L"Software\\Vendor\\Product", REG_OPENED_EXISTING_KEY},
                      CreateCase{L"SOFTWARE\\vendor\\PRODUCT", REG_OPENED_EXISTING_KEY},
                      CreateCase{L"Software\\Vendor\\Product\\", REG_OPENED_EXISTING_KEY},
                      CreateCase{L"Software\\Vendor", REG_OPENED_EXISTING_KEY},
                      CreateCase{L"Software\\Vendor\\Other", REG_CREATED_NEW_KEY},
                      CreateCase{L"Software\\Vendor\\Product\\Deeper\\Still", REG_CREATED_NEW_KEY},
                      CreateCase{L"Elsewhere", REG_CREATED_NEW_KEY}));

TEST_F(RegistryTest, CreatingADeepPathCreatesEveryIntermediateKey) {
    Create(HKEY_LOCAL_MACHINE, L"A\\B\\C\\D");
    for (const wchar_t* path : {L"A", L"A\\B", L"A\\B\\C", L"A\\B\\C\\D"})
        EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, path));
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, L"A"));
}

TEST_F(RegistryTest, KeyNamesKeepTheCaseTheyWereCreatedWith) {
    Create(HKEY_CURRENT_USER, L"Software\\MyProduct");
    Create(HKEY_CURRENT_USER, L"SOFTWARE\\MYPRODUCT\\Ünïcode");
    HKEY software = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, L"software", KEY_READ, &software));
    EXPECT_EQ(std::vector<std::wstring>{L"MyProduct"}, SubkeyNames(software));
    // Letters beyond ASCII fold too, as Windows upper-cases them.
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, L"software\\myproduct\\ÜNÏCODE"));
}

TEST_F(RegistryTest, OpeningAMissingKeyFailsAndClearsTheResult) {
    HKEY key = reinterpret_cast<HKEY>(0x1234);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, L"No\\Such\\Key", 0, KEY_READ, &key));
    EXPECT_EQ(nullptr, key);
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, L"No"));
}

TEST_F(RegistryTest, OpeningWithoutASubkeyGivesThePredefinedKeyOrANewHandle) {
    HKEY same = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &same));
    EXPECT_EQ(HKEY_CURRENT_USER, same);

    HKEY first = Create(HKEY_CURRENT_USER, L"Key");
    HKEY second = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Open(first, L"", KEY_ALL_ACCESS, &second));
    EXPECT_NE(first, second);
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(first));
    EXPECT_EQ(ERROR_SUCCESS, Set(second, L"v", REG_DWORD, RawBytes<DWORD>(7)));
    EXPECT_EQ(ERROR_INVALID_HANDLE, Set(first, L"v", REG_DWORD, RawBytes<DWORD>(7)));
}

TEST_F(RegistryTest, ClassesRootIsTheMachinesSoftwareClasses) {
    HKEY clsid = Create(HKEY_CLASSES_ROOT, L"CLSID\\{00000000-0000-0000-0000-000000000001}");
    ASSERT_EQ(ERROR_SUCCESS, Set(clsid, nullptr, REG_SZ, TextBytes(L"Sample")));
    HKEY viaMachine = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\CLSID\\{00000000-0000-0000-0000-000000000001}",
                   KEY_READ, &viaMachine));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(ERROR_SUCCESS, Query(viaMachine, L"", &type, &data));
    EXPECT_EQ(TextBytes(L"Sample"), data);
}

// --- values -----------------------------------------------------------------------------

struct ValueCase {
    const char* label;
    DWORD type;
    std::vector<BYTE> data;
};

class RegistryValueTable : public RegistryTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(RegistryValueTable, KeepsTheBytesAndTypeGiven) {
    const ValueCase& c = GetParam();
    HKEY key = Create(HKEY_CURRENT_USER, L"Values");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"Value", c.type, c.data));

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Value", nullptr, &type, nullptr, &size));
    EXPECT_EQ(c.type, type);
    EXPECT_EQ(c.data.size(), size);

    std::vector<BYTE> data;
    ASSERT_EQ(ERROR_SUCCESS, Query(key, L"Value", &type, &data));
    EXPECT_EQ(c.data, data);
}

INSTANTIATE_TEST_SUITE_P(Types, RegistryValueTable,
                         ::testing::Values(
                             // wchar_t is four bytes here: "Both" with its terminator is 20 bytes.
                             ValueCase{"Sz", REG_SZ, TextBytes(L"Both")},
                             ValueCase{"EmptySz", REG_SZ, TextBytes(L"")},
                             ValueCase{"SzWithoutTerminator", REG_SZ, {'A', 0, 0, 0}},
                             ValueCase{"ExpandSz", REG_EXPAND_SZ, TextBytes(L"%PV%\\x")},
                             ValueCase{"MultiSz", REG_MULTI_SZ, MultiBytes({L"one", L"two"})},
                             ValueCase{"Dword", REG_DWORD, RawBytes<DWORD>(0xDEADBEEF)},
                             ValueCase{"Qword", REG_QWORD, RawBytes<ULONGLONG>(0x0123456789ABCDEFull)},
                             ValueCase{"Binary", REG_BINARY, {0x00, 0xFF, 0x10}},
                             ValueCase{"EmptyBinary", REG_BINARY, {}}),
                         [](const auto& info) { return std::string(info.param.label); });

struct QuerySizeCase {
    const char* label;
    bool withBuffer;
    DWORD bufferSize;
    LONG expected;
    DWORD sizeAfter;
};

class RegistryQuerySizeTable : public RegistryTest, public ::testing::WithParamInterface<QuerySizeCase> {};

// The value is REG_SZ "abc": 16 bytes with its terminator.
TEST_P(RegistryQuerySizeTable, FollowsTheBufferRules) {
    const QuerySizeCase& c = GetParam();
    HKEY key = Create(HKEY_CURRENT_USER, L"Sizes");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"Text", REG_SZ, TextBytes(L"abc")));
    std::vector<BYTE> buffer(64, 0xCC);
    DWORD size = c.bufferSize;
    DWORD type = 0;
    EXPECT_EQ(c.expected,
              RegQueryValueExW(key, L"Text", nullptr, &type, c.withBuffer ? buffer.data() : nullptr, &size));
    EXPECT_EQ(c.sizeAfter, size);
    EXPECT_EQ(REG_SZ, type);
    if (c.expected == ERROR_SUCCESS && c.withBuffer) {
        EXPECT_EQ(TextBytes(L"abc"), std::vector<BYTE>(buffer.begin(), buffer.begin() + 16));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegistryQuerySizeTable,
                         ::testing::Values(QuerySizeCase{"SizeOnly", false, 0, ERROR_SUCCESS, 16},
                                           QuerySizeCase{"SizeOnlyIgnoresGivenSize", false, 3, ERROR_SUCCESS,
                                                         16},
                                           QuerySizeCase{"Exact", true, 16, ERROR_SUCCESS, 16},
                                           QuerySizeCase{"Larger", true, 64, ERROR_SUCCESS, 16},
                                           QuerySizeCase{"OneShort", true, 15, ERROR_MORE_DATA, 16},
                                           QuerySizeCase{"Empty", true, 0, ERROR_MORE_DATA, 16}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryTest, QueryRefusesABufferWithoutASize) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Sizes");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"Text", REG_SZ, TextBytes(L"abc")));
    BYTE buffer[64];
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExW(key, L"Text", nullptr, nullptr, buffer, nullptr));
}

TEST_F(RegistryTest, MissingValueIsFileNotFound) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Empty");
    DWORD size = 0;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, L"Nothing", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, L"Nothing"));
}

TEST_F(RegistryTest, NullAndEmptyNamesAreTheDefaultValue) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Default");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, nullptr, REG_SZ, TextBytes(L"first")));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(ERROR_SUCCESS, Query(key, L"", &type, &data));
    EXPECT_EQ(TextBytes(L"first"), data);
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"", REG_SZ, TextBytes(L"second")));
    ASSERT_EQ(ERROR_SUCCESS, Query(key, nullptr, &type, &data));
    EXPECT_EQ(TextBytes(L"second"), data);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Query(key, L"", &type, &data));
}

TEST_F(RegistryTest, ValueNamesIgnoreCaseAndKeepTheFirstSpelling) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Names");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"ThreadingModel", REG_SZ, TextBytes(L"Apartment")));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"THREADINGMODEL", REG_SZ, TextBytes(L"Both")));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(ERROR_SUCCESS, Query(key, L"threadingmodel", &type, &data));
    EXPECT_EQ(TextBytes(L"Both"), data);
    EXPECT_EQ(L"[HKEY_CURRENT_USER\\Names]\n\"ThreadingModel\"=REG_SZ \"Both\"\n\n",
              CRegistry::Instance().Dump(HKEY_CURRENT_USER, L"names"));
}

TEST_F(RegistryTest, OverwritingAValueReplacesTypeAndData) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Overwrite");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"v", REG_SZ, TextBytes(L"a long piece of text")));
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"v", REG_DWORD, RawBytes<DWORD>(5)));
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_EQ(ERROR_SUCCESS, Query(key, L"v", &type, &data));
    EXPECT_EQ(REG_DWORD, type);
    EXPECT_EQ(RawBytes<DWORD>(5), data);
}

TEST_F(RegistryTest, SettingDataFromANullPointerIsRefused) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Null");
    EXPECT_EQ(ERROR_NOACCESS, RegSetValueExW(key, L"v", 0, REG_BINARY, nullptr, 4));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"empty", 0, REG_BINARY, nullptr, 0));
    DWORD size = 99;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"empty", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(0u, size);
}

// --- deleting ---------------------------------------------------------------------------

struct DeleteCase {
    const wchar_t* path;
    LONG expected;
};

class RegistryDeleteTable : public RegistryTest, public ::testing::WithParamInterface<DeleteCase> {};

// Each case runs on a tree with "Root\Parent\Leaf" and "Root\Single".
TEST_P(RegistryDeleteTable, DeletesOnlyLeafKeys) {
    const DeleteCase& c = GetParam();
    Create(HKEY_CURRENT_USER, L"Root\\Parent\\Leaf");
    Create(HKEY_CURRENT_USER, L"Root\\Single");
    EXPECT_EQ(c.expected, RegDeleteKeyW(HKEY_CURRENT_USER, c.path));
    EXPECT_EQ(c.expected != ERROR_SUCCESS && c.expected != ERROR_FILE_NOT_FOUND,
              Exists(HKEY_CURRENT_USER, c.path));
}

INSTANTIATE_TEST_SUITE_P(Keys, RegistryDeleteTable,
                         ::testing::Values(DeleteCase{L"Root\\Single", ERROR_SUCCESS},
                                           DeleteCase{L"ROOT\\parent\\LEAF", ERROR_SUCCESS},
                                           DeleteCase{L"Root\\Parent", ERROR_ACCESS_DENIED},
                                           DeleteCase{L"Root", ERROR_ACCESS_DENIED},
                                           DeleteCase{L"Root\\Missing", ERROR_FILE_NOT_FOUND},
                                           DeleteCase{L"Missing\\Leaf", ERROR_FILE_NOT_FOUND}));

TEST_F(RegistryTest, DeletingBottomUpEmptiesTheTree) {
    Create(HKEY_CURRENT_USER, L"Root\\Parent\\Leaf");
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Root\\Parent\\Leaf"));
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, L"Root\\Parent"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Root\\Parent"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Root"));
    EXPECT_EQ(std::vector<std::wstring>{}, SubkeyNames(HKEY_CURRENT_USER));
}

TEST_F(RegistryTest, HandlesOfADeletedKeyAnswerKeyDeleted) {
    HKEY leaf = Create(HKEY_CURRENT_USER, L"Root\\Leaf");
    ASSERT_EQ(ERROR_SUCCESS, Set(leaf, L"v", REG_DWORD, RawBytes<DWORD>(1)));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, L"Root\\Leaf"));

    DWORD size = 0;
    wchar_t name[16];
    DWORD nameSize = 16;
    HKEY child = nullptr;
    EXPECT_EQ(ERROR_KEY_DELETED, Set(leaf, L"v", REG_DWORD, RawBytes<DWORD>(2)));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExW(leaf, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_KEY_DELETED, RegDeleteValueW(leaf, L"v"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegEnumKeyExW(leaf, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_KEY_DELETED,
              RegCreateKeyExW(leaf, L"Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
    EXPECT_EQ(ERROR_KEY_DELETED, RegOpenKeyExW(leaf, nullptr, 0, KEY_READ, &child));

    // A key made again under the same name is a new key: the old handle stays dead.
    HKEY again = Create(HKEY_CURRENT_USER, L"Root\\Leaf");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(again, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueExW(leaf, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(leaf));
    m_open.erase(std::find(m_open.begin(), m_open.end(), leaf));
}

// --- handles ----------------------------------------------------------------------------

TEST_F(RegistryTest, EveryCallRefusesAnInvalidHandle) {
    HKEY closed = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &closed, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegCloseKey(closed));

    for (HKEY bad : {static_cast<HKEY>(nullptr), closed, reinterpret_cast<HKEY>(0x7777)}) {
        SCOPED_TRACE(reinterpret_cast<ULONG_PTR>(bad));
        HKEY out = nullptr;
        DWORD size = 16;
        wchar_t name[16];
        const BYTE data[4] = {};
        EXPECT_EQ(ERROR_INVALID_HANDLE,
                  RegCreateKeyExW(bad, L"X", 0, nullptr, 0, KEY_READ, nullptr, &out, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegOpenKeyExW(bad, L"X", 0, KEY_READ, &out));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegSetValueExW(bad, L"v", 0, REG_BINARY, data, 4));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryValueExW(bad, L"v", nullptr, nullptr, nullptr, &size));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteKeyW(bad, L"X"));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegDeleteValueW(bad, L"v"));
        EXPECT_EQ(ERROR_INVALID_HANDLE,
                  RegEnumKeyExW(bad, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(bad));
    }
}

TEST_F(RegistryTest, ClosingAPredefinedKeyLeavesItUsable) {
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(root));
        EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(root));
        EXPECT_NE(nullptr, Create(root, L"StillThere"));
    }
}

// --- enumeration ------------------------------------------------------------------------

TEST_F(RegistryTest, EnumeratesSubkeysInNameOrderIgnoringCase) {
    HKEY parent = Create(HKEY_CURRENT_USER, L"Enum");
    for (const wchar_t* name : {L"gamma", L"Beta", L"alpha", L"ALPHA2", L"Alpha1"})
        Create(parent, name);
    EXPECT_EQ((std::vector<std::wstring>{L"alpha", L"Alpha1", L"ALPHA2", L"Beta", L"gamma"}),
              SubkeyNames(parent));
}

struct EnumBufferCase {
    DWORD bufferSize;
    LONG expected;
    DWORD sizeAfter;
};

class RegistryEnumBufferTable : public RegistryTest, public ::testing::WithParamInterface<EnumBufferCase> {};

// The only subkey is "Five5" (5 characters).
TEST_P(RegistryEnumBufferTable, CountsTheTerminatorInTheBufferSize) {
    HKEY parent = Create(HKEY_CURRENT_USER, L"Enum");
    Create(parent, L"Five5");
    wchar_t name[16] = {};
    DWORD size = GetParam().bufferSize;
    EXPECT_EQ(GetParam().expected, RegEnumKeyExW(parent, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetParam().sizeAfter, size);
    if (GetParam().expected == ERROR_SUCCESS) {
        EXPECT_STREQ(L"Five5", name);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegistryEnumBufferTable,
                         ::testing::Values(EnumBufferCase{16, ERROR_SUCCESS, 5},
                                           EnumBufferCase{6, ERROR_SUCCESS, 5},
                                           EnumBufferCase{5, ERROR_MORE_DATA, 5},
                                           EnumBufferCase{0, ERROR_MORE_DATA, 0}));

TEST_F(RegistryTest, EnumerationEndsWithNoMoreItems) {
    HKEY parent = Create(HKEY_CURRENT_USER, L"Enum");
    Create(parent, L"Only");
    wchar_t name[16];
    DWORD size = 16;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumKeyExW(parent, 1, name, &size, nullptr, nullptr, nullptr, nullptr));
    size = 16;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS,
              RegEnumKeyExW(parent, 1000, name, &size, nullptr, nullptr, nullptr, nullptr));
    HKEY empty = Create(HKEY_CURRENT_USER, L"Empty");
    size = 16;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumKeyExW(empty, 0, name, &size, nullptr, nullptr, nullptr, nullptr));
}

// --- access rights ----------------------------------------------------------------------

struct AccessCase {
    const char* label;
    REGSAM access;
    LONG set;
    LONG query;
    LONG enumerate;
    LONG createNew;
    LONG deleteValue;
};

class RegistryAccessTable : public RegistryTest, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(RegistryAccessTable, HandleRightsDecideWhatItMayDo) {
    const AccessCase& c = GetParam();
    HKEY writer = Create(HKEY_CURRENT_USER, L"Rights\\Existing");
    ASSERT_EQ(ERROR_SUCCESS, Set(writer, L"v", REG_DWORD, RawBytes<DWORD>(1)));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, L"Rights\\Existing", c.access, &key));

    DWORD size = 0;
    wchar_t name[16];
    DWORD nameSize = 16;
    HKEY child = nullptr;
    EXPECT_EQ(c.set, Set(key, L"w", REG_DWORD, RawBytes<DWORD>(2)));
    EXPECT_EQ(c.query, RegQueryValueExW(key, L"v", nullptr, nullptr, nullptr, &size));
    EXPECT_EQ(c.enumerate, RegEnumKeyExW(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(c.createNew, RegCreateKeyExW(key, L"New", 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr));
    if (child)
        m_open.push_back(child);
    EXPECT_EQ(c.deleteValue, RegDeleteValueW(key, L"v"));
}

INSTANTIATE_TEST_SUITE_P(
    Rights, RegistryAccessTable,
    ::testing::Values(AccessCase{"Read", KEY_READ, ERROR_ACCESS_DENIED, ERROR_SUCCESS, ERROR_NO_MORE_ITEMS,
                                 ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
                      AccessCase{"Write", KEY_WRITE, ERROR_SUCCESS, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED,
                                 ERROR_SUCCESS, ERROR_SUCCESS},
                      AccessCase{"QueryOnly", KEY_QUERY_VALUE, ERROR_ACCESS_DENIED, ERROR_SUCCESS,
                                 ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
                      AccessCase{"All", KEY_ALL_ACCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_NO_MORE_ITEMS,
                                 ERROR_SUCCESS, ERROR_SUCCESS},
                      AccessCase{"Maximum", MAXIMUM_ALLOWED, ERROR_SUCCESS, ERROR_SUCCESS,
                                 ERROR_NO_MORE_ITEMS, ERROR_SUCCESS, ERROR_SUCCESS}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryTest, AReadHandleStillOpensAnExistingSubkeyThroughCreate) {
    Create(HKEY_CURRENT_USER, L"Rights\\Child");
    HKEY reader = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, Open(HKEY_CURRENT_USER, L"Rights", KEY_READ, &reader));
    HKEY child = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(reader, L"Child", 0, nullptr, 0, KEY_READ, nullptr, &child, &disposition));
    m_open.push_back(child);
    EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
}

// --- fault injection --------------------------------------------------------------------

struct FaultCase {
    const char* api;
    LONG (*call)(HKEY key);
};

class RegistryFaultTable : public RegistryTest, public ::testing::WithParamInterface<FaultCase> {};

// Each call works on HKCU\Faults (holding value "v" and subkey "Sub") and would succeed.
TEST_P(RegistryFaultTable, AnInjectedFailureIsReturnedAndChangesNothing) {
    HKEY key = Create(HKEY_CURRENT_USER, L"Faults");
    Create(key, L"Sub");
    ASSERT_EQ(ERROR_SUCCESS, Set(key, L"v", REG_DWORD, RawBytes<DWORD>(1)));
    const std::wstring before = CRegistry::Instance().Dump(HKEY_CURRENT_USER, L"");

    const int callsBefore = CFaultInjector::Instance().Calls(GetParam().api);
    CFaultInjector::Instance().Inject(GetParam().api, ERROR_OUTOFMEMORY);
    EXPECT_EQ(ERROR_OUTOFMEMORY, GetParam().call(key));
    EXPECT_EQ(before, CRegistry::Instance().Dump(HKEY_CURRENT_USER, L""));
    EXPECT_EQ(callsBefore + 1, CFaultInjector::Instance().Calls(GetParam().api));
    // One failure only: the next call goes through.
    EXPECT_EQ(ERROR_SUCCESS, GetParam().call(key));
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RegistryFaultTable,
    ::testing::Values(FaultCase{"RegCreateKeyExW",
                                [](HKEY key) {
                                    HKEY out = nullptr;
                                    LONG status = RegCreateKeyExW(key, L"New", 0, nullptr, 0, KEY_READ,
                                                                  nullptr, &out, nullptr);
                                    if (out)
                                        RegCloseKey(out);
                                    return status;
                                }},
                      FaultCase{"RegOpenKeyExW",
                                [](HKEY key) {
                                    HKEY out = nullptr;
                                    LONG status = RegOpenKeyExW(key, L"Sub", 0, KEY_READ, &out);
                                    if (out)
                                        RegCloseKey(out);
                                    return status;
                                }},
                      FaultCase{"RegSetValueExW",
                                [](HKEY key) {
                                    const DWORD value = 2;
                                    return RegSetValueExW(key, L"w", 0, REG_DWORD,
                                                          reinterpret_cast<const BYTE*>(&value), 4);
                                }},
                      FaultCase{"RegQueryValueExW",
                                [](HKEY key) {
                                    DWORD size = 0;
                                    return RegQueryValueExW(key, L"v", nullptr, nullptr, nullptr, &size);
                                }},
                      FaultCase{"RegEnumKeyExW",
                                [](HKEY key) {
                                    wchar_t name[16];
                                    DWORD size = 16;
                                    return RegEnumKeyExW(key, 0, name, &size, nullptr, nullptr, nullptr,
                                                         nullptr);
                                }},
                      FaultCase{"RegDeleteKeyW", [](HKEY key) { return RegDeleteKeyW(key, L"Sub"); }},
                      FaultCase{"RegDeleteValueW", [](HKEY key) { return RegDeleteValueW(key, L"v"); }},
                      FaultCase{"RegCloseKey", [](HKEY) { return RegCloseKey(HKEY_CURRENT_USER); }}),
    [](const auto& info) { return std::string(info.param.api); });

// Registering a class as a profile does, failing each registry call in turn: every run
// either completes or returns the injected code.
TEST_F(RegistryTest, EachFailingCallOfARegistrationIsReported) {
    auto registerClass = []() -> LONG {
        HKEY clsid = nullptr;
        LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{A}", 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &clsid, nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        HKEY server = nullptr;
        const std::vector<BYTE> name = TextBytes(L"Sample");
        status = RegSetValueExW(clsid, nullptr, 0, REG_SZ, name.data(), static_cast<DWORD>(name.size()));
        if (status == ERROR_SUCCESS)
            status = RegCreateKeyExW(clsid, L"InprocServer32", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                     &server, nullptr);
        if (status == ERROR_SUCCESS) {
            const std::vector<BYTE> model = TextBytes(L"Both");
            status = RegSetValueExW(server, L"ThreadingModel", 0, REG_SZ, model.data(),
                                    static_cast<DWORD>(model.size()));
            RegCloseKey(server);
        }
        RegCloseKey(clsid);
        return status;
    };
    int failures = 0;
    for (const char* api : {"RegCreateKeyExW", "RegSetValueExW"}) {
        for (int skip = 0;; ++skip) {
            CRegistry::Instance().Clear();
            CFaultInjector::Instance().ClearAll();
            CFaultInjector::Instance().Inject(api, ERROR_ACCESS_DENIED, skip);
            const LONG status = registerClass();
            if (status == ERROR_SUCCESS)
                break;
            EXPECT_EQ(ERROR_ACCESS_DENIED, status) << api << " skip " << skip;
            ++failures;
        }
    }
    EXPECT_EQ(4, failures);
    HKEY server = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, Open(HKEY_CLASSES_ROOT, L"CLSID\\{A}\\InprocServer32", KEY_READ, &server));
}

} // namespace
