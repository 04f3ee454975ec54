#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace {

// Widths in MS Shell Dlg at -11 (average 6, cell 13): "a", "b", "d", "e", "h", "o" are 6,
// "l", "i", "." and the blank 3, "&" 7, "S" 6, "v" 5.
struct CalcCase {
    const char* name;
    const wchar_t* text;
    int count;
    LONG width; // of the rectangle given
    UINT format;
    LONG expectedRight, expectedBottom; // the rectangle starts at (10, 20)
};

class DrawTextCalcTable : public ::testing::TestWithParam<CalcCase> {};

constexpr UINT kMessageBoxFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;

TEST_P(DrawTextCalcTable, MeasuresLikeWindows) {
    const CalcCase& c = GetParam();
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    RECT rect{10, 20, 10 + c.width, 20 + 500};
    const int height = DrawTextW(screen.dc(), c.text, c.count, &rect, c.format);
    EXPECT_EQ(c.expectedRight - 10, rect.right - rect.left) << c.name;
    EXPECT_EQ(c.expectedBottom - 20, height) << c.name;
    EXPECT_EQ(10, rect.left) << c.name;
    EXPECT_EQ(20, rect.top) << c.name;
    EXPECT_EQ(c.expectedBottom, rect.bottom) << c.name;
    EXPECT_EQ(c.expectedRight, rect.right) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Wrapping, DrawTextCalcTable,
    ::testing::Values(
        CalcCase{"single word narrows the rectangle", L"hello", -1, 100, kMessageBoxFlags, 34, 33},
        CalcCase{"words fill lines greedily", L"abab abab abab", -1, 60, kMessageBoxFlags, 61, 46},
        CalcCase{"a word that just fits stays", L"abab abab", -1, 51, kMessageBoxFlags, 61, 33},
        CalcCase{"one pixel less wraps it", L"abab abab", -1, 50, kMessageBoxFlags, 34, 46},
        CalcCase{"a long word widens the rectangle", L"ab abababababab ab", -1, 30, kMessageBoxFlags, 82, 59},
        CalcCase{"explicit breaks of every kind", L"ab\r\nabab\nab\rab", -1, 200, kMessageBoxFlags, 34, 72},
        CalcCase{"empty lines between breaks count", L"ab\n\nab", -1, 200, kMessageBoxFlags, 22, 59},
        CalcCase{"a break at the end starts no line", L"abab\r\n", -1, 200, kMessageBoxFlags, 34, 33},
        CalcCase{"blanks at a break belong to no line", L"abab     abab", -1, 30, kMessageBoxFlags, 34, 46},
        CalcCase{"leading blanks of the text stay", L"  ab", -1, 200, kMessageBoxFlags, 28, 33},
        CalcCase{"empty text", L"", -1, 200, kMessageBoxFlags, 10, 20},
        CalcCase{"zero count", L"abab", 0, 200, kMessageBoxFlags, 10, 20},
        CalcCase{"count limits the text", L"abab abab", 4, 200, kMessageBoxFlags, 34, 33},
        CalcCase{"width smaller than any character", L"ab ab", -1, 1, kMessageBoxFlags, 22, 46},
        CalcCase{"zero width", L"ab ab", -1, 0, kMessageBoxFlags, 22, 46},
        CalcCase{"without word breaks a line is not broken", L"abab abab", -1, 10, DT_CALCRECT, 61, 33},
        CalcCase{"without word breaks line ends still break", L"ab\nabab", -1, 10, DT_CALCRECT, 34, 46},
        CalcCase{"single line ignores line ends", L"ab\r\nab", -1, 10, DT_CALCRECT | DT_SINGLELINE, 34, 33},
        CalcCase{"single line ignores word breaks", L"abab abab", -1, 10,
                 DT_CALCRECT | DT_SINGLELINE | DT_WORDBREAK, 61, 33},
        CalcCase{"prefix hides the ampersand", L"&Save", -1, 200, DT_CALCRECT, 33, 33},
        CalcCase{"double ampersand shows one", L"a&&b", -1, 200, DT_CALCRECT, 29, 33},
        CalcCase{"lone ampersand at the end shows nothing", L"ab&", -1, 200, DT_CALCRECT, 22, 33},
        CalcCase{"DT_NOPREFIX keeps ampersands", L"&Save", -1, 200, DT_CALCRECT | DT_NOPREFIX, 40, 33},
        CalcCase{"tabs expand to eight averages", L"a\tb", -1, 200, DT_CALCRECT | DT_EXPANDTABS, 64, 33},
        CalcCase{"unexpanded tabs have no width", L"a\tb", -1, 200, DT_CALCRECT, 22, 33},
        CalcCase{"ellipsis does not change measuring", L"abababababab", -1, 30,
                 DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS, 82, 33}));

TEST(DrawText, RefusesBadArguments) {
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    RECT rect{0, 0, 100, 100};
    EXPECT_EQ(0, DrawTextW(nullptr, L"ab", -1, &rect, kMessageBoxFlags));
    EXPECT_EQ(0, DrawTextW(screen.dc(), L"ab", -1, nullptr, kMessageBoxFlags));
    EXPECT_EQ(0, DrawTextW(screen.dc(), nullptr, 2, &rect, kMessageBoxFlags));
    EXPECT_EQ(100, rect.right);
    EXPECT_EQ(100, rect.bottom);
}

TEST(DrawText, LineHeightAddsExternalLeadingOnlyWhenAsked) {
    // The faces of the model have no external leading: both flags give 2 x 13.
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    RECT a{0, 0, 200, 0};
    RECT b{0, 0, 200, 0};
    EXPECT_EQ(26, DrawTextW(screen.dc(), L"a\nb", -1, &a, DT_CALCRECT));
    EXPECT_EQ(26, DrawTextW(screen.dc(), L"a\nb", -1, &b, DT_CALCRECT | DT_EXTERNALLEADING));
}

// The message box's measurement: the message font from the non-client metrics, a display
// device context, a square of (screen width / 2 + 100) less the icon's room.
TEST(DrawText, MessageBoxTextInTheMessageFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    ASSERT_NE(nullptr, font);
    HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dc);
    HGDIOBJ old = SelectObject(dc, font);
    const LONG side = GetSystemMetrics(SM_CXSCREEN) / 2 + 100 - (16 + GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(1012, side);
    RECT rect{0, 0, side, side};
    // Segoe UI at -12: average 7; V 8, l 4, t 5, f 5, r 5, '.' 4, blank 4, others 7.
    EXPECT_EQ(15, DrawTextW(dc, L"Value out of range.", -1, &rect, kMessageBoxFlags));
    EXPECT_EQ(113, rect.right);
    EXPECT_EQ(15, rect.bottom);

    // A long message wraps into several lines, none wider than the square.
    std::wstring longText;
    for (int i = 0; i < 60; ++i)
        longText += L"word ";
    RECT wide{0, 0, side, side};
    const int height = DrawTextW(dc, longText.c_str(), -1, &wide, kMessageBoxFlags);
    EXPECT_EQ(0, height % 15);
    EXPECT_GT(height, 15);
    EXPECT_LE(wide.right, side);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

} // namespace
