#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "tests/platform/fixtures/TestDialogIds.h"
#include "tests/platform/kernel/modules/TestResourceIds.h"

namespace {

// PV_BIN_DIR, or else the test program's own folder, where the build puts every binary.
std::string BinDir() {
    if (const char* bin = std::getenv("PV_BIN_DIR"); bin && *bin)
        return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::wstring ZPath(const std::string& unixPath) {
    std::wstring dos = L"Z:" + CTextCodec::FromUtf8(unixPath);
    for (wchar_t& c : dos)
        if (c == L'/')
            c = L'\\';
    return dos;
}

WORD WordAt(const void* base, size_t offset) {
    WORD value;
    std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
    return value;
}

DWORD DwordAt(const void* base, size_t offset) {
    DWORD value;
    std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
    return value;
}

// Writes .res images by hand, so that broken ones can be made on purpose.
class ResImage {
public:
    using Key = std::vector<WORD>;
    static Key Id(WORD id) { return {0xFFFF, id}; }
    static Key Name(const std::u16string& text) {
        Key units(text.begin(), text.end());
        units.push_back(0);
        return units;
    }

    ResImage& Leading() { return Add(Id(0), Id(0), 0, {}); }

    ResImage& Add(const Key& type, const Key& name, WORD language, const std::vector<BYTE>& data,
                  bool pad = true) {
        std::vector<BYTE> header;
        auto putWord = [&header](WORD w) {
            header.push_back(static_cast<BYTE>(w & 0xFF));
            header.push_back(static_cast<BYTE>(w >> 8));
        };
        auto putDword = [&putWord](DWORD d) {
            putWord(static_cast<WORD>(d & 0xFFFF));
            putWord(static_cast<WORD>(d >> 16));
        };
        putDword(static_cast<DWORD>(data.size()));
        putDword(0); // HeaderSize, filled in below
        for (WORD unit : type)
            putWord(unit);
        for (WORD unit : name)
            putWord(unit);
        while (header.size() % 4)
            header.push_back(0);
        putDword(0);       // DataVersion
        putWord(0x1030);   // MemoryFlags
        putWord(language); // LanguageId
        putDword(0);       // Version
        putDword(0);       // Characteristics
        const DWORD headerSize = static_cast<DWORD>(header.size());
        std::memcpy(header.data() + 4, &headerSize, 4);
        bytes.insert(bytes.end(), header.begin(), header.end());
        bytes.insert(bytes.end(), data.begin(), data.end());
        if (pad)
            while (bytes.size() % 4)
                bytes.push_back(0);
        return *this;
    }

    ResImage& SetDword(size_t offset, DWORD value) {
        std::memcpy(bytes.data() + offset, &value, 4);
        return *this;
    }

    ResImage& Append(const std::vector<BYTE>& more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }

    std::vector<BYTE> bytes;
};

// The first entry after the leading header starts here.
constexpr size_t kFirst = 32;

// A heap block of exactly the image's size: a read past it is an AddressSanitizer error.
struct ExactCopy {
    explicit ExactCopy(const std::vector<BYTE>& image) : bytes(new BYTE[image.size()]), size(image.size()) {
        if (size)
            std::memcpy(bytes.get(), image.data(), size);
    }
    HRESULT ParseInto(CResourceTable* table) const { return table->Parse(bytes.get(), size); }

    std::unique_ptr<BYTE[]> bytes;
    size_t size;
};

// For tables whose entries are not read after the parse.
HRESULT ParseExactCopy(const std::vector<BYTE>& image, CResourceTable* table) {
    return ExactCopy(image).ParseInto(table);
}

TEST(ResourceTableTest, RefusesMalformedImages) {
    const std::vector<BYTE> four = {1, 2, 3, 4};
    const auto rcdata = ResImage::Id(10);
    struct Case {
        const char* what;
        std::vector<BYTE> image;
    };
    const Case cases[] = {
        {"empty", {}},
        {"shorter than the sizes", std::vector<BYTE>(7, 0)},
        {"no leading empty header", ResImage().Add(rcdata, ResImage::Id(1), 0x409, four).bytes},
        {"leading header with data", ResImage().Leading().SetDword(0, 4).Append(four).bytes},
        {"leading header named", ResImage().Add(ResImage::Id(0), ResImage::Name(u"X"), 0, {}).bytes},
        {"header size below the smallest",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).SetDword(kFirst + 4, 16).bytes},
        {"header size not in DWORDs",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).SetDword(kFirst + 4, 34).bytes},
        {"header size past the end",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).SetDword(kFirst + 4, 40).bytes},
        {"data one byte past the end",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).SetDword(kFirst, 5).bytes},
        {"data size overflowing",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).SetDword(kFirst, 0xFFFFFFFF).bytes},
        {"name without terminator", ResImage().Leading().Add(rcdata, {'A', 'B'}, 0, four).bytes},
        {"empty name", ResImage().Leading().Add(rcdata, {0}, 0, four).bytes},
        {"trailing bytes shorter than the sizes",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).Append(four).bytes},
        {"trailing garbage header",
         ResImage().Leading().Add(rcdata, ResImage::Id(1), 0, four).Append(std::vector<BYTE>(8, 0xFF)).bytes},
    };
    for (const Case& c : cases) {
        CResourceTable table;
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), ParseExactCopy(c.image, &table)) << c.what;
        EXPECT_TRUE(table.Entries().empty()) << c.what;
    }
    CResourceTable table;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), table.Parse(nullptr, 0));
}

TEST(ResourceTableTest, ReadsWellFormedImages) {
    CResourceTable table;
    ASSERT_EQ(S_OK, ParseExactCopy(ResImage().Leading().bytes, &table));
    EXPECT_TRUE(table.Entries().empty());

    // The last entry may end without padding; names are kept upper-case.
    const std::vector<BYTE> image =
        ResImage()
            .Leading()
            .Add(ResImage::Name(u"MyType"), ResImage::Name(u"first"), 0x407, {9, 8, 7, 6, 5})
            .Add(ResImage::Id(10), ResImage::Id(7), 0x409, {1, 2, 3}, false)
            .bytes;
    const ExactCopy copy(image);
    ASSERT_EQ(S_OK, copy.ParseInto(&table));
    ASSERT_EQ(2u, table.Entries().size());
    const CResourceTable::Entry& named = table.Entries()[0];
    EXPECT_EQ(L"MYTYPE", named.type.name);
    EXPECT_EQ(L"FIRST", named.name.name);
    EXPECT_EQ(0x407, named.language);
    EXPECT_EQ(5u, named.size);
    const CResourceTable::Entry& numbered = table.Entries()[1];
    EXPECT_EQ(10, numbered.type.id);
    EXPECT_EQ(7, numbered.name.id);
    EXPECT_EQ(3u, numbered.size);
    EXPECT_EQ(3, numbered.data[2]);
}

TEST(ResourceTableTest, KeysFromWindowsArguments) {
    struct Case {
        LPCWSTR value;
        WORD id;
        std::wstring name;
    };
    const Case cases[] = {
        {MAKEINTRESOURCEW(5), 5, L""}, {MAKEINTRESOURCEW(0xFFFF), 0xFFFF, L""},
        {L"#200", 200, L""},           {L"#65535", 0xFFFF, L""},
        {L"#65536", 0, L"#65536"},     {L"#", 0, L"#"},
        {L"#12a", 0, L"#12A"},         {L"blob", 0, L"BLOB"},
        {L"Config", 0, L"CONFIG"},
    };
    for (const Case& c : cases) {
        const CResourceTable::Key key = CResourceTable::Key::From(c.value);
        EXPECT_EQ(c.id, key.id) << c.id << " " << CTextCodec::ToUtf8(c.name);
        EXPECT_EQ(c.name, key.name);
    }
}

TEST(ResourceTableTest, FindChoosesTheLanguage) {
    const auto rcdata = ResImage::Id(10);
    const std::vector<BYTE> image = ResImage()
                                        .Leading()
                                        .Add(rcdata, ResImage::Id(1), 0x0409, {0x11})
                                        .Add(rcdata, ResImage::Id(1), 0x0407, {0x12})
                                        .Add(rcdata, ResImage::Id(2), 0x0000, {0x20})
                                        .Add(rcdata, ResImage::Id(3), 0x0407, {0x30})
                                        .Add(rcdata, ResImage::Id(4), 0x0409, {0x41})
                                        .Add(rcdata, ResImage::Id(4), 0x0000, {0x40})
                                        .bytes;
    CResourceTable table;
    ASSERT_EQ(S_OK, table.Parse(image.data(), image.size()));
    struct Case {
        WORD type;
        WORD name;
        WORD language;
        BYTE found; // first data byte, or 0 with the error
        DWORD error;
    };
    const Case cases[] = {
        {10, 1, 0x0409, 0x11, 0},
        {10, 1, 0x0407, 0x12, 0},
        {10, 1, 0x0000, 0x11, 0}, // neutral request, no neutral entry: the first
        {10, 1, 0x0400, 0x11, 0}, // the user's default language is a neutral request too
        {10, 1, 0x0411, 0, ERROR_RESOURCE_LANG_NOT_FOUND},
        {10, 2, 0x0000, 0x20, 0},
        {10, 3, 0x0000, 0x30, 0},
        {10, 4, 0x0000, 0x40, 0}, // the neutral entry wins over the first
        {10, 4, 0x0409, 0x41, 0},
        {10, 9, 0x0000, 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {11, 1, 0x0000, 0, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << "/" << c.name << "/" << std::hex << c.language);
        DWORD error = 0;
        const CResourceTable::Entry* entry =
            table.Find(CResourceTable::Key::From(MAKEINTRESOURCEW(c.type)),
                       CResourceTable::Key::From(MAKEINTRESOURCEW(c.name)), c.language, &error);
        if (c.found) {
            ASSERT_NE(nullptr, entry);
            EXPECT_EQ(c.found, entry->data[0]);
            EXPECT_TRUE(table.Owns(entry));
        } else {
            EXPECT_EQ(nullptr, entry);
            EXPECT_EQ(c.error, error);
        }
    }
    EXPECT_FALSE(table.Owns(&table));
}

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_module = LoadLibraryW(ZPath(BinDir() + "/PvTestResources.dll").c_str());
        ASSERT_NE(nullptr, m_module) << GetLastError();
    }
    void TearDown() override {
        if (m_module) {
            EXPECT_TRUE(FreeLibrary(m_module));
        }
    }

    std::vector<BYTE> Bytes(HRSRC resource) {
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(m_module, resource)));
        if (!data)
            return {};
        return std::vector<BYTE>(data, data + SizeofResource(m_module, resource));
    }

    HMODULE m_module = nullptr;
};

TEST_F(ResourceTest, EveryTruncationOfARealImageIsRefusedOrAPrefix) {
    void* raw = dlopen((BinDir() + "/PvTestResources.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, raw);
    const auto* data = static_cast<const BYTE*>(dlsym(raw, kResourceDataSymbol));
    const auto* size = static_cast<const unsigned int*>(dlsym(raw, kResourceSizeSymbol));
    ASSERT_NE(nullptr, data);
    ASSERT_NE(nullptr, size);
    const std::vector<BYTE> image(data, data + *size);
    CResourceTable full;
    ASSERT_EQ(S_OK, ParseExactCopy(image, &full));
    // Five string blocks, two RCDATA, one of a custom type, one dialog.
    EXPECT_EQ(9u, full.Entries().size());

    int refused = 0;
    for (size_t cut = 0; cut < image.size(); ++cut) {
        const std::vector<BYTE> part(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut));
        CResourceTable table;
        if (FAILED(ParseExactCopy(part, &table))) {
            ++refused;
            continue;
        }
        ASSERT_LE(table.Entries().size(), full.Entries().size()) << cut;
        for (size_t i = 0; i < table.Entries().size(); ++i) {
            EXPECT_TRUE(table.Entries()[i].type == full.Entries()[i].type) << cut;
            EXPECT_TRUE(table.Entries()[i].name == full.Entries()[i].name) << cut;
            EXPECT_EQ(table.Entries()[i].size, full.Entries()[i].size) << cut;
        }
    }
    // Only cuts at (or in the padding after) an entry's end may pass.
    EXPECT_GE(refused, static_cast<int>(image.size()) - 4 * static_cast<int>(full.Entries().size() + 1));
    dlclose(raw);
}

TEST_F(ResourceTest, LoadStringFollowsTheWindowsRules) {
    struct Case {
        UINT id;
        int bufferMax;
        std::wstring text;
        int result;
        DWORD error; // when the result is 0
    };
    const std::wstring greeting = L"Gr\u00fc\u00dfe aus K\u00f6ln, \u00bd Ma\u00df";
    const Case cases[] = {
        {IDS_ONE, 64, L"One", 3, 0},
        {IDS_SEVENTEEN, 64, L"Seventeen", 9, 0},
        {IDS_GREETING, 64, greeting, static_cast<int>(greeting.size()), 0},
        {IDS_GREETING, 5, L"Gr\u00fc\u00df", 4, 0},
        {IDS_FAR_BLOCK, 64, L"Block 251", 9, 0},
        {IDS_LAST, 64, L"Last", 4, 0},
        {IDS_ONE, 4, L"One", 3, 0},
        {IDS_ONE, 3, L"On", 2, 0},
        {IDS_ONE, 1, L"", 0, 0},
        {IDS_SEVENTEEN, 5, L"Seve", 4, 0},
        {IDS_EMPTY, 64, L"", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {kIdMissingInBlock, 64, L"", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {kIdMissingBlock, 64, L"", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " into " << c.bufferMax);
        std::vector<wchar_t> buffer(static_cast<size_t>(c.bufferMax) + 2, L'#');
        SetLastError(0);
        EXPECT_EQ(c.result, LoadStringW(m_module, c.id, buffer.data(), c.bufferMax));
        EXPECT_EQ(c.text, std::wstring(buffer.data()));
        EXPECT_EQ(L'#', buffer[static_cast<size_t>(c.bufferMax)]) << "wrote past the buffer";
        if (c.result == 0 && c.error) {
            EXPECT_EQ(c.error, GetLastError());
        }
    }
    // The read-only pointer form (bufferMax 0) and a missing buffer are refused.
    wchar_t buffer[8] = L"#";
    for (int bufferMax : {0, -1}) {
        SetLastError(0);
        EXPECT_EQ(0, LoadStringW(m_module, IDS_ONE, buffer, bufferMax));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
        EXPECT_EQ(L'#', buffer[0]);
    }
    SetLastError(0);
    EXPECT_EQ(0, LoadStringW(m_module, IDS_ONE, nullptr, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST_F(ResourceTest, FindResourceByIdAndName) {
    struct Case {
        LPCWSTR name;
        LPCWSTR type;
        std::vector<BYTE> bytes; // empty: not found
        DWORD error;
    };
    const std::vector<BYTE> numbered = {0x01, 0x02, 0x03, 0x04, 'P', 'V'};
    const std::vector<BYTE> blob = {'b', 'l', 'o', 'b'};
    const Case cases[] = {
        {MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA, numbered, 0},
        {L"#200", RT_RCDATA, numbered, 0},
        {MAKEINTRESOURCEW(IDR_BYTES), L"#10", numbered, 0},
        {L"Blob", RT_RCDATA, blob, 0},
        {L"BLOB", RT_RCDATA, blob, 0},
        {L"blob", RT_RCDATA, blob, 0},
        {L"Config", L"pvdata", {0x34, 0x12}, 0},
        {MAKEINTRESOURCEW(IDR_BYTES + 1), RT_RCDATA, {}, ERROR_RESOURCE_NAME_NOT_FOUND},
        {L"Blob", RT_DIALOG, {}, ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCEW(1), RT_VERSION, {}, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {L"CONFIG", L"OTHER", {}, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (IS_INTRESOURCE(c.name) ? std::to_string(reinterpret_cast<ULONG_PTR>(c.name))
                                                : CTextCodec::ToUtf8(c.name)));
        SetLastError(0);
        HRSRC resource = FindResourceW(m_module, c.name, c.type);
        if (c.bytes.empty()) {
            EXPECT_EQ(nullptr, resource);
            EXPECT_EQ(c.error, GetLastError());
        } else {
            ASSERT_NE(nullptr, resource);
            EXPECT_EQ(c.bytes, Bytes(resource));
            EXPECT_EQ(FALSE, FreeResource(LoadResource(m_module, resource)));
        }
    }
}

TEST_F(ResourceTest, FindResourceExKnowsTheScriptsLanguage) {
    EXPECT_NE(nullptr,
              FindResourceExW(m_module, RT_RCDATA, MAKEINTRESOURCEW(IDR_BYTES), MAKELANGID(0x09, 0x01)));
    EXPECT_NE(nullptr, FindResourceExW(m_module, RT_RCDATA, MAKEINTRESOURCEW(IDR_BYTES), MAKELANGID(0, 0)));
    SetLastError(0);
    EXPECT_EQ(nullptr,
              FindResourceExW(m_module, RT_RCDATA, MAKEINTRESOURCEW(IDR_BYTES), MAKELANGID(0x07, 0x01)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND), GetLastError());
}

TEST_F(ResourceTest, DialogTemplateIsTheCompiledDlgTemplateEx) {
    HRSRC resource = FindResourceW(m_module, MAKEINTRESOURCEW(IDD_SAMPLE), RT_DIALOG);
    ASSERT_NE(nullptr, resource);
    const std::vector<BYTE> bytes = Bytes(resource);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(1, WordAt(bytes.data(), 0));      // dlgVer
    EXPECT_EQ(0xFFFF, WordAt(bytes.data(), 2)); // signature
    constexpr DWORD kPopupCaptionSysMenu = 0x80C80000;
    EXPECT_EQ(kPopupCaptionSysMenu, DwordAt(bytes.data(), 12) & kPopupCaptionSysMenu);
    EXPECT_EQ(1, WordAt(bytes.data(), 16));   // cDlgItems
    EXPECT_EQ(186, WordAt(bytes.data(), 22)); // cx
    EXPECT_EQ(95, WordAt(bytes.data(), 24));  // cy
    EXPECT_EQ(0, WordAt(bytes.data(), 26));   // no menu
    EXPECT_EQ(0, WordAt(bytes.data(), 28));   // the default class
    std::u16string title;
    for (size_t at = 30; WordAt(bytes.data(), at) != 0; at += 2)
        title += static_cast<char16_t>(WordAt(bytes.data(), at));
    EXPECT_EQ(u"Sample", title);
    // The data handed out is 4-byte aligned, as the dialog readers rely on.
    EXPECT_EQ(0u, reinterpret_cast<ULONG_PTR>(LockResource(LoadResource(m_module, resource))) % 4);
}

TEST_F(ResourceTest, ModulesWithoutResourcesOfTheirOwnHaveNone) {
    HMODULE plain = LoadLibraryW(L"PvTestPlain.dll");       // its dependency has resources
    HMODULE malformed = LoadLibraryW(L"PvTestModuleA.dll"); // its image is cut short
    ASSERT_NE(nullptr, plain);
    ASSERT_NE(nullptr, malformed);
    for (HMODULE module : {static_cast<HMODULE>(nullptr), plain, malformed}) {
        SetLastError(0);
        EXPECT_EQ(nullptr, FindResourceW(module, MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA));
        EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), GetLastError());
        wchar_t buffer[8] = L"#";
        EXPECT_EQ(0, LoadStringW(module, IDS_ONE, buffer, 8));
        EXPECT_EQ(L'\0', buffer[0]);
    }
    EXPECT_TRUE(FreeLibrary(malformed));
    EXPECT_TRUE(FreeLibrary(plain));
}

TEST_F(ResourceTest, HandleOfAnotherModuleIsRefused) {
    HMODULE other = LoadLibraryW(L"PvTestDialogsENU.dll");
    ASSERT_NE(nullptr, other);
    HRSRC resource = FindResourceW(m_module, MAKEINTRESOURCEW(IDR_BYTES), RT_RCDATA);
    ASSERT_NE(nullptr, resource);
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadResource(other, resource));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
    EXPECT_EQ(0u, SizeofResource(other, resource));
    EXPECT_TRUE(FreeLibrary(other));
}

TEST(ResourceLanguageTest, EachLibraryHasItsStringsInItsOwnLanguage) {
    HMODULE english = LoadLibraryW(ZPath(BinDir() + "/PvTestDialogsENU.dll").c_str());
    HMODULE german = LoadLibraryW(ZPath(BinDir() + "/PvTestDialogsDEU.dll").c_str());
    ASSERT_NE(nullptr, english);
    ASSERT_NE(nullptr, german);
    LPWSTR block = MAKEINTRESOURCEW((IDS_MONTH_RANGE >> 4) + 1);
    EXPECT_NE(nullptr, FindResourceExW(german, RT_STRING, block, MAKELANGID(0x07, 0x01)));
    EXPECT_EQ(nullptr, FindResourceExW(german, RT_STRING, block, MAKELANGID(0x09, 0x01)));
    EXPECT_NE(nullptr, FindResourceExW(english, RT_STRING, block, MAKELANGID(0x09, 0x01)));
    // LoadStringW takes whichever language the library has.
    wchar_t en[64] = {};
    wchar_t de[64] = {};
    EXPECT_GT(LoadStringW(english, IDS_MONTH_RANGE, en, 64), 0);
    EXPECT_GT(LoadStringW(german, IDS_MONTH_RANGE, de, 64), 0);
    EXPECT_NE(std::wstring(en), std::wstring(de));
    EXPECT_TRUE(FreeLibrary(german));
    EXPECT_TRUE(FreeLibrary(english));
}

} // namespace
