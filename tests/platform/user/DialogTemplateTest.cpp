#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/Win32Error.h"
#include "platform/user/DialogTemplate.h"

namespace {

const HRESULT kMalformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

// Writes template bytes by hand, little-endian, so that every layout rule (and every
// way to break one) can be built on purpose.
class Image {
public:
    Image& Word(WORD value) {
        m_bytes.push_back(static_cast<BYTE>(value & 0xFF));
        m_bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    Image& Dword(DWORD value) {
        return Word(static_cast<WORD>(value & 0xFFFF)).Word(static_cast<WORD>(value >> 16));
    }
    Image& Byte(BYTE value) {
        m_bytes.push_back(value);
        return *this;
    }
    // A string with its terminator; a missing terminator is a test's own choice.
    Image& Text(const std::u16string& text, bool terminate = true) {
        for (char16_t unit : text)
            Word(unit);
        return terminate ? Word(0) : *this;
    }
    Image& Ordinal(WORD ordinal) { return Word(0xFFFF).Word(ordinal); }
    Image& Align4() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        return *this;
    }
    Image& Raw(const std::vector<BYTE>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

// Each parse gets a heap copy of exactly its size, so that AddressSanitizer catches a
// read of one byte past the end.
HRESULT ParseExact(const std::vector<BYTE>& bytes, size_t size, CDialogTemplate* parsed) {
    std::unique_ptr<BYTE[]> copy(new BYTE[size == 0 ? 1 : size]);
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), copy.get());
    return parsed->Parse(copy.get(), size);
}

HRESULT ParseAll(const std::vector<BYTE>& bytes, CDialogTemplate* parsed) {
    return ParseExact(bytes, bytes.size(), parsed);
}

// A classic template: a named menu, the default class, a title, DS_SETFONT, and items
// whose titles make every kind of padding necessary.
std::vector<BYTE> ClassicSample() {
    Image image;
    image.Dword(0x80C800C0 | DS_SETFONT).Dword(0x00000100).Word(3).Word(10).Word(20).Word(212).Word(188);
    image.Text(u"Menu").Word(0).Text(u"Sheet"); // menu by name, default class, title
    image.Word(8).Text(u"MS Shell Dlg");
    // Item 1: a push button by ordinal, title "OK" (so its end is not DWORD-aligned).
    image.Align4().Dword(0x50010000).Dword(0).Word(4).Word(170).Word(48).Word(14).Word(1);
    image.Ordinal(kButtonClassOrdinal).Text(u"OK").Word(0);
    // Item 2: a named class, a title given by ordinal, two bytes of creation data.
    image.Align4().Dword(0x54030000).Dword(0x4).Word(4).Word(4).Word(204).Word(160).Word(0x3020);
    image.Text(u"SysTabControl32").Ordinal(0x0065).Word(2).Byte(0xAB).Byte(0xCD);
    // Item 3: a static with a non-ASCII title and a negative position.
    image.Align4()
        .Dword(0x50020000)
        .Dword(0)
        .Word(static_cast<WORD>(-3))
        .Word(1)
        .Word(40)
        .Word(8)
        .Word(0xFFFF);
    image.Ordinal(kStaticClassOrdinal).Text(u"Größe \U0001F600").Word(0);
    return image.Bytes();
}

// An extended template: help id, no menu, a class by ordinal, an empty title, the
// extended font block, items with help ids and DWORD ids.
std::vector<BYTE> ExtendedSample() {
    Image image;
    image.Word(1).Word(0xFFFF).Dword(77).Dword(0x00010000).Dword(0x40000000 | 0x0400 | DS_SHELLFONT);
    image.Word(2).Word(0).Word(0).Word(250).Word(180);
    image.Word(0).Ordinal(0x0020).Word(0); // no menu, class by ordinal, no title
    image.Word(9).Word(700).Byte(1).Byte(0xEE).Text(u"Tahoma");
    // Item 1: a combo box by ordinal with an id above 0xFFFF.
    image.Align4()
        .Dword(5)
        .Dword(0x200)
        .Dword(0x50210003)
        .Word(100)
        .Word(7)
        .Word(143)
        .Word(100)
        .Dword(0x12345);
    image.Ordinal(kComboBoxClassOrdinal).Word(0).Word(0);
    // Item 2: a named edit class, title "x" (odd length), three bytes of creation data.
    image.Align4().Dword(0).Dword(0).Dword(0x50810080).Word(7).Word(30).Word(40).Word(12).Dword(9245);
    image.Text(u"Edit").Text(u"x").Word(3).Byte(1).Byte(2).Byte(3);
    return image.Bytes();
}

TEST(DialogTemplateTest, ClassicHeaderFontAndItemsFieldByField) {
    CDialogTemplate parsed;
    ASSERT_EQ(S_OK, ParseAll(ClassicSample(), &parsed));
    EXPECT_FALSE(parsed.extended);
    EXPECT_EQ(0x80C800C0u | DS_SETFONT, parsed.style);
    EXPECT_EQ(0x100u, parsed.exStyle);
    EXPECT_EQ(0u, parsed.helpId);
    EXPECT_EQ(10, parsed.x);
    EXPECT_EQ(20, parsed.y);
    EXPECT_EQ(212, parsed.cx);
    EXPECT_EQ(188, parsed.cy);
    EXPECT_EQ(L"Menu", parsed.menu.name);
    EXPECT_EQ(0, parsed.menu.ordinal);
    EXPECT_EQ(L"", parsed.windowClass.name);
    EXPECT_EQ(0, parsed.windowClass.ordinal);
    EXPECT_EQ(L"Sheet", parsed.title.name);
    ASSERT_TRUE(parsed.hasFont);
    EXPECT_EQ(8, parsed.font.pointSize);
    EXPECT_EQ(L"MS Shell Dlg", parsed.font.face);
    EXPECT_EQ(0, parsed.font.weight);

    ASSERT_EQ(3u, parsed.items.size());
    const CDialogTemplate::Item& ok = parsed.items[0];
    EXPECT_EQ(0x50010000u, ok.style);
    EXPECT_EQ(4, ok.x);
    EXPECT_EQ(170, ok.y);
    EXPECT_EQ(48, ok.cx);
    EXPECT_EQ(14, ok.cy);
    EXPECT_EQ(1u, ok.id);
    EXPECT_EQ(kButtonClassOrdinal, ok.classOrdinal);
    EXPECT_EQ(L"Button", ok.className);
    EXPECT_EQ(L"OK", ok.title.name);
    EXPECT_TRUE(ok.creationData.empty());

    const CDialogTemplate::Item& tab = parsed.items[1];
    EXPECT_EQ(0x4u, tab.exStyle);
    EXPECT_EQ(0x3020u, tab.id);
    EXPECT_EQ(0, tab.classOrdinal);
    EXPECT_EQ(L"SysTabControl32", tab.className);
    EXPECT_EQ(0x65, tab.title.ordinal);
    EXPECT_EQ(L"", tab.title.name);
    EXPECT_EQ((std::vector<BYTE>{0xAB, 0xCD}), tab.creationData);

    const CDialogTemplate::Item& label = parsed.items[2];
    EXPECT_EQ(-3, label.x);
    EXPECT_EQ(0xFFFFu, label.id); // a classic WORD id of -1 is not sign-extended
    EXPECT_EQ(L"Static", label.className);
    EXPECT_EQ(L"Größe \U0001F600", label.title.name);
}

TEST(DialogTemplateTest, ExtendedHeaderFontAndItemsFieldByField) {
    CDialogTemplate parsed;
    ASSERT_EQ(S_OK, ParseAll(ExtendedSample(), &parsed));
    EXPECT_TRUE(parsed.extended);
    EXPECT_EQ(77u, parsed.helpId);
    EXPECT_EQ(0x00010000u, parsed.exStyle);
    EXPECT_EQ(0x40000000u | 0x0400 | DS_SHELLFONT, parsed.style);
    EXPECT_EQ(250, parsed.cx);
    EXPECT_EQ(180, parsed.cy);
    EXPECT_EQ(0, parsed.menu.ordinal);
    EXPECT_EQ(L"", parsed.menu.name);
    EXPECT_EQ(0x20, parsed.windowClass.ordinal);
    EXPECT_EQ(L"", parsed.title.name);
    ASSERT_TRUE(parsed.hasFont);
    EXPECT_EQ(9, parsed.font.pointSize);
    EXPECT_EQ(700, parsed.font.weight);
    EXPECT_EQ(1, parsed.font.italic);
    EXPECT_EQ(0xEE, parsed.font.charset);
    EXPECT_EQ(L"Tahoma", parsed.font.face);

    ASSERT_EQ(2u, parsed.items.size());
    const CDialogTemplate::Item& combo = parsed.items[0];
    EXPECT_EQ(5u, combo.helpId);
    EXPECT_EQ(0x200u, combo.exStyle);
    EXPECT_EQ(0x50210003u, combo.style);
    EXPECT_EQ(0x12345u, combo.id);
    EXPECT_EQ(kComboBoxClassOrdinal, combo.classOrdinal);
    EXPECT_EQ(L"ComboBox", combo.className);
    EXPECT_EQ(L"", combo.title.name);

    const CDialogTemplate::Item& edit = parsed.items[1];
    EXPECT_EQ(9245u, edit.id);
    EXPECT_EQ(0, edit.classOrdinal);
    EXPECT_EQ(L"Edit", edit.className);
    EXPECT_EQ(L"x", edit.title.name);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), edit.creationData);
    EXPECT_EQ(&parsed.items[1], parsed.FindItem(9245));
    EXPECT_EQ(nullptr, parsed.FindItem(9246));
}

// Without DS_SETFONT there is no font block: the bytes after the title are the first
// item, whatever they look like.
TEST(DialogTemplateTest, WithoutSetFontTheItemsFollowTheTitle) {
    for (bool extended : {false, true}) {
        Image image;
        if (extended)
            image.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(0x40000000);
        else
            image.Dword(0x40000000).Dword(0);
        image.Word(1).Word(0).Word(0).Word(100).Word(50).Word(0).Word(0).Text(u"T");
        image.Align4();
        if (extended)
            image.Dword(0).Dword(0).Dword(0x50000000).Word(1).Word(2).Word(3).Word(4).Dword(42);
        else
            image.Dword(0x50000000).Dword(0).Word(1).Word(2).Word(3).Word(4).Word(42);
        image.Ordinal(kEditClassOrdinal).Word(0).Word(0);
        CDialogTemplate parsed;
        ASSERT_EQ(S_OK, ParseAll(image.Bytes(), &parsed)) << extended;
        EXPECT_FALSE(parsed.hasFont);
        EXPECT_EQ(L"", parsed.font.face);
        ASSERT_EQ(1u, parsed.items.size());
        EXPECT_EQ(42u, parsed.items[0].id);
        EXPECT_EQ(L"Edit", parsed.items[0].className);
    }
}

TEST(DialogTemplateTest, ClassOrdinalsNameTheirClasses) {
    const struct {
        WORD ordinal;
        const wchar_t* name;
    } cases[] = {
        {0x0080, L"Button"},  {0x0081, L"Edit"},      {0x0082, L"Static"},
        {0x0083, L"ListBox"}, {0x0084, L"ScrollBar"}, {0x0085, L"ComboBox"},
        {0x0086, L""},        {0x0000, L""},          {0x007F, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.name, CDialogTemplate::ClassNameOfOrdinal(c.ordinal)) << c.ordinal;
}

// Every prefix of a valid template is cut short somewhere: each must be refused,
// without a read past its end (AddressSanitizer watches the exact-size copies).
TEST(DialogTemplateTest, EveryTruncationIsRefused) {
    for (const std::vector<BYTE>& sample : {ClassicSample(), ExtendedSample()}) {
        for (size_t size = 0; size < sample.size(); ++size) {
            CDialogTemplate parsed;
            EXPECT_EQ(kMalformed, ParseExact(sample, size, &parsed)) << "prefix of " << size << " bytes";
            EXPECT_TRUE(parsed.items.empty());
            EXPECT_FALSE(parsed.hasFont);
        }
        CDialogTemplate parsed;
        EXPECT_EQ(S_OK, ParseExact(sample, sample.size(), &parsed));
    }
}

TEST(DialogTemplateTest, InconsistentTemplatesAreRefused) {
    auto extendedHeader = [](WORD version, WORD signature, WORD count) {
        Image image;
        image.Word(version).Word(signature).Dword(0).Dword(0).Dword(DS_SETFONT);
        image.Word(count).Word(0).Word(0).Word(10).Word(10).Word(0).Word(0).Word(0);
        image.Word(8).Word(400).Byte(0).Byte(1).Text(u"MS Shell Dlg");
        return image;
    };
    auto extendedItem = [](Image& image) -> Image& {
        return image.Align4().Dword(0).Dword(0).Dword(0).Word(0).Word(0).Word(1).Word(1).Dword(7);
    };
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<Case> cases;
    {
        Image image = extendedHeader(2, 0xFFFF, 0);
        cases.push_back({"extended version 2", image.Bytes()});
    }
    {
        Image image = extendedHeader(0, 0xFFFF, 0);
        cases.push_back({"extended version 0", image.Bytes()});
    }
    {
        Image image = extendedHeader(1, 0xFFFF, 0xFFFF);
        extendedItem(image).Ordinal(kButtonClassOrdinal).Word(0).Word(0);
        cases.push_back({"item count far beyond the items", image.Bytes()});
    }
    {
        Image image = extendedHeader(1, 0xFFFF, 1);
        extendedItem(image).Ordinal(kButtonClassOrdinal).Word(0).Word(8).Byte(1).Byte(2);
        cases.push_back({"creation data longer than what is left", image.Bytes()});
    }
    {
        Image image = extendedHeader(1, 0xFFFF, 1);
        extendedItem(image).Text(u"Button", false);
        cases.push_back({"class name without terminator", image.Bytes()});
    }
    {
        Image image = extendedHeader(1, 0xFFFF, 1);
        extendedItem(image).Ordinal(kButtonClassOrdinal).Text(u"Caption", false);
        cases.push_back({"item title without terminator", image.Bytes()});
    }
    {
        Image image = extendedHeader(1, 0xFFFF, 1);
        extendedItem(image).Word(0).Word(0).Word(0);
        cases.push_back({"item without a class", image.Bytes()});
    }
    {
        Image image;
        image.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(DS_SETFONT);
        image.Word(0).Word(0).Word(0).Word(10).Word(10).Word(0).Word(0).Word(0);
        image.Word(8).Word(400).Byte(0).Byte(1).Text(u"MS Shell Dlg", false);
        cases.push_back({"font face without terminator", image.Bytes()});
    }
    {
        Image image;
        image.Dword(0).Dword(0).Word(0).Word(0).Word(0).Word(10).Word(10).Word(0).Word(0).Text(u"Title",
                                                                                               false);
        cases.push_back({"dialog title without terminator", image.Bytes()});
    }
    {
        Image image;
        image.Dword(0).Dword(0).Word(0).Word(0).Word(0).Word(10).Word(10).Word(0xFFFF);
        cases.push_back({"menu ordinal cut off", image.Bytes()});
    }
    for (const Case& c : cases) {
        CDialogTemplate parsed;
        EXPECT_EQ(kMalformed, ParseAll(c.bytes, &parsed)) << c.what;
        EXPECT_TRUE(parsed.items.empty()) << c.what;
    }
}

TEST(DialogTemplateTest, ARefusedParseEmptiesAnEarlierResult) {
    CDialogTemplate parsed;
    ASSERT_EQ(S_OK, ParseAll(ExtendedSample(), &parsed));
    const std::vector<BYTE> sample = ExtendedSample();
    EXPECT_EQ(kMalformed, ParseExact(sample, sample.size() - 1, &parsed));
    EXPECT_FALSE(parsed.extended);
    EXPECT_TRUE(parsed.items.empty());
    EXPECT_EQ(E_POINTER, parsed.Parse(nullptr, 10));
}

// Items start on DWORD boundaries counted from the template's start: padding bytes
// that are not zero are skipped all the same.
TEST(DialogTemplateTest, PaddingBeforeEachItemIsSkipped) {
    Image image;
    image.Dword(0).Dword(0).Word(2).Word(0).Word(0).Word(10).Word(10).Word(0).Word(0).Text(u"abc"); // to 30
    image.Word(0x5A5A);                                                        // junk padding to 32
    image.Dword(0x50000000).Dword(0).Word(0).Word(0).Word(1).Word(1).Word(11); // to 50
    image.Ordinal(kButtonClassOrdinal).Text(u"ab").Word(0);                    // to 62
    image.Word(0xA5A5);                                                        // junk padding to 64
    image.Dword(0x50000000).Dword(0).Word(0).Word(0).Word(1).Word(1).Word(12);
    image.Ordinal(kButtonClassOrdinal).Word(0).Word(0);
    ASSERT_EQ(90u, image.Bytes().size());
    CDialogTemplate parsed;
    ASSERT_EQ(S_OK, ParseAll(image.Bytes(), &parsed));
    ASSERT_EQ(2u, parsed.items.size());
    EXPECT_EQ(11u, parsed.items[0].id);
    EXPECT_EQ(L"ab", parsed.items[0].title.name);
    EXPECT_EQ(12u, parsed.items[1].id);
}

std::vector<BYTE> InitSample() {
    Image image;
    image.Word(9244).Word(0x0403).Dword(3).Raw({'A', 'M', 0});
    image.Word(9244).Word(0x0403).Dword(3).Raw({'P', 'M', 0});
    image.Word(7).Word(0x0180).Dword(0);
    image.Word(0);
    return image.Bytes();
}

TEST(DialogTemplateTest, InitDataRecordsAreReadUnaligned) {
    const std::vector<BYTE> sample = InitSample();
    std::vector<CDialogTemplate::InitEntry> entries;
    ASSERT_EQ(S_OK, CDialogTemplate::ParseInitData(sample.data(), sample.size(), &entries));
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(9244, entries[0].itemId);
    EXPECT_EQ(0x0403, entries[0].message);
    EXPECT_EQ((std::vector<BYTE>{'A', 'M', 0}), entries[0].data);
    EXPECT_EQ((std::vector<BYTE>{'P', 'M', 0}), entries[1].data);
    EXPECT_EQ(7, entries[2].itemId);
    EXPECT_TRUE(entries[2].data.empty());
}

TEST(DialogTemplateTest, InitDataCutShortOrOverlongIsRefused) {
    const std::vector<BYTE> sample = InitSample();
    for (size_t size = 0; size < sample.size(); ++size) {
        std::unique_ptr<BYTE[]> copy(new BYTE[size == 0 ? 1 : size]);
        std::copy(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(size), copy.get());
        std::vector<CDialogTemplate::InitEntry> entries(1);
        EXPECT_EQ(kMalformed, CDialogTemplate::ParseInitData(copy.get(), size, &entries)) << size;
        EXPECT_TRUE(entries.empty());
    }
    Image overlong;
    overlong.Word(1).Word(0x0403).Dword(0x7FFFFFFF).Raw({'A', 0}).Word(0);
    std::vector<CDialogTemplate::InitEntry> entries;
    EXPECT_EQ(kMalformed,
              CDialogTemplate::ParseInitData(overlong.Bytes().data(), overlong.Bytes().size(), &entries));
    EXPECT_EQ(E_POINTER, CDialogTemplate::ParseInitData(nullptr, 4, &entries));
}

} // namespace
