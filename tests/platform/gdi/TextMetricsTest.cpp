#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace {

const std::wstring kLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct MetricsCase {
    const wchar_t* face;
    LONG lfHeight;
    LONG weight;
    LONG height, ascent, descent, internalLeading, externalLeading, average;
    LONG baseX, baseY; // dialog base units by the 52-letter formula
};

class FontMetricsTable : public ::testing::TestWithParam<MetricsCase> {};

TEST_P(FontMetricsTable, MeasuresAsTheModelStates) {
    const MetricsCase& c = GetParam();
    ScreenWithFont screen(c.face, c.lfHeight, c.weight);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(screen.dc(), &tm));
    EXPECT_EQ(c.height, tm.tmHeight);
    EXPECT_EQ(c.ascent, tm.tmAscent);
    EXPECT_EQ(c.descent, tm.tmDescent);
    EXPECT_EQ(c.internalLeading, tm.tmInternalLeading);
    EXPECT_EQ(c.externalLeading, tm.tmExternalLeading);
    EXPECT_EQ(c.average, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);

    const LONG letters = screen.Extent(kLetters);
    EXPECT_EQ(c.baseX, (letters + 26) / 52) << "letters measure " << letters;
    EXPECT_EQ(c.baseY, tm.tmHeight + tm.tmExternalLeading);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontMetricsTable,
                         ::testing::Values(
                             // The dialog font at 8 points: 6 x 13, in each of its names.
                             MetricsCase{L"MS Shell Dlg", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             MetricsCase{L"ms shell dlg", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             MetricsCase{L"MS Shell Dlg 2", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             MetricsCase{L"Tahoma", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             MetricsCase{L"MS Sans Serif", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             // Unknown faces measure as MS Sans Serif.
                             MetricsCase{L"No Such Face", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             MetricsCase{L"", -11, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             // A positive height is the cell: 13 gives the same font as -11.
                             MetricsCase{L"MS Shell Dlg", 13, 400, 13, 11, 2, 2, 0, 6, 6, 13},
                             // Zero: a 16-pixel cell.
                             MetricsCase{L"MS Shell Dlg", 0, 400, 16, 14, 2, 2, 0, 8, 8, 16},
                             MetricsCase{L"MS Shell Dlg", -16, 400, 19, 16, 3, 3, 0, 9, 9, 19},
                             MetricsCase{L"MS Shell Dlg", -8, 400, 9, 8, 1, 1, 0, 4, 4, 9},
                             // The message font at 9 points, and at 18.
                             MetricsCase{L"Segoe UI", -12, 400, 15, 12, 3, 3, 0, 7, 7, 15},
                             MetricsCase{L"Segoe UI", -24, 400, 30, 24, 6, 6, 0, 14, 14, 30},
                             // The system font: 8 x 16, bold by design, so weight changes nothing.
                             MetricsCase{L"System", 16, 700, 16, 13, 3, 3, 0, 8, 8, 16},
                             MetricsCase{L"System", 16, 400, 16, 13, 3, 3, 0, 8, 8, 16},
                             // Bold widens other faces by a tenth, at least a pixel.
                             MetricsCase{L"MS Shell Dlg", -11, 700, 13, 11, 2, 2, 0, 7, 7, 13},
                             MetricsCase{L"Segoe UI", -24, 700, 30, 24, 6, 6, 0, 15, 15, 30},
                             MetricsCase{L"MS Shell Dlg", -11, 599, 13, 11, 2, 2, 0, 6, 6, 13}));

TEST(TextMetrics, PanelBaseUnitsOfTheDialogFontAt8Points) {
    // The height a panel asks for: -MulDiv(points, LOGPIXELSY, 72).
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    EXPECT_EQ(-11, height);
    HFONT font =
        CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(screen, kLetters.c_str(), 52, &size));
    EXPECT_EQ(6, (size.cx + 26) / 52);
    EXPECT_EQ(13, size.cy);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
}

TEST(TextMetrics, DialogBaseUnitsAreTheSystemFonts) {
    const LONG units = GetDialogBaseUnits();
    EXPECT_EQ(8, LOWORD(static_cast<DWORD>(units)));
    EXPECT_EQ(16, HIWORD(static_cast<DWORD>(units)));
    // A new device context starts with the system font, which agrees.
    HDC screen = GetDC(nullptr);
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(screen, &tm));
    EXPECT_EQ(16, tm.tmHeight);
    EXPECT_EQ(8, tm.tmAveCharWidth);
    ReleaseDC(nullptr, screen);
}

struct WidthCase {
    const wchar_t* text;
    LONG width; // in MS Shell Dlg at -11 (average 6)
};

class CharacterWidthTable : public ::testing::TestWithParam<WidthCase> {};

TEST_P(CharacterWidthTable, NarrowAndWideCharacters) {
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    EXPECT_EQ(GetParam().width, screen.Extent(GetParam().text)) << "text \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Widths, CharacterWidthTable,
    ::testing::Values(WidthCase{L"i", 3}, WidthCase{L"l", 3}, WidthCase{L".", 3}, WidthCase{L" ", 3},
                      WidthCase{L"f", 4}, WidthCase{L"c", 5}, WidthCase{L"a", 6},
                      WidthCase{L"0123456789", 60}, WidthCase{L"\u00e9", 6}, WidthCase{L"A", 7},
                      WidthCase{L"w", 8}, WidthCase{L"M", 9}, WidthCase{L"W", 10}, WidthCase{L"@", 10},
                      WidthCase{L"\r\n\x01", 0}, WidthCase{L"", 0},
                      WidthCase{L"Hello, World", 7 + 6 + 3 + 3 + 6 + 3 + 3 + 10 + 6 + 4 + 3 + 6}));

TEST(TextMetrics, ItalicKeepsWidthsAndSaysSo) {
    ScreenWithFont upright(L"Segoe UI", -12);
    ScreenWithFont italic(L"Segoe UI", -12, FW_NORMAL, true);
    EXPECT_EQ(upright.Extent(kLetters), italic.Extent(kLetters));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(italic.dc(), &tm));
    EXPECT_NE(0, tm.tmItalic);
    ASSERT_TRUE(GetTextMetricsW(upright.dc(), &tm));
    EXPECT_EQ(0, tm.tmItalic);
}

TEST(TextMetrics, WidestCharacterIsTmMaxCharWidth) {
    for (LONG height : {-8, -11, -12, -16, -24, -40}) {
        ScreenWithFont screen(L"Segoe UI", height);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(screen.dc(), &tm));
        EXPECT_EQ(tm.tmMaxCharWidth, screen.Extent(L"W")) << "height " << height;
        // The letters average exactly the average width from 4 pixels up.
        EXPECT_EQ(52 * tm.tmAveCharWidth, screen.Extent(kLetters)) << "height " << height;
    }
}

TEST(TextMetrics, ExtentRefusesBadArguments) {
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32W(screen.dc(), L"abc", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32W(screen.dc(), L"abc", 3, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32W(nullptr, L"abc", 3, &size));
    // Only `count` characters count, not the terminator.
    ASSERT_TRUE(GetTextExtentPoint32W(screen.dc(), L"abcdef", 2, &size));
    EXPECT_EQ(12, size.cx);
}

} // namespace
