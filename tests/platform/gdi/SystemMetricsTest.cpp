#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"

namespace {

struct MetricCase {
    int index;
    int expected;
};

class SystemMetricsTable : public ::testing::TestWithParam<MetricCase> {};

TEST_P(SystemMetricsTable, DefaultsAt96Dpi) {
    EXPECT_EQ(GetParam().expected, GetSystemMetrics(GetParam().index)) << "index " << GetParam().index;
}

INSTANTIATE_TEST_SUITE_P(Metrics, SystemMetricsTable,
                         ::testing::Values(MetricCase{SM_CXSCREEN, 1920}, MetricCase{SM_CYSCREEN, 1080},
                                           MetricCase{SM_CXICON, 32}, MetricCase{SM_CYICON, 32},
                                           MetricCase{SM_CXSMICON, 16}, MetricCase{SM_CYSMICON, 16},
                                           MetricCase{SM_CXEDGE, 2}, MetricCase{SM_CYEDGE, 2},
                                           MetricCase{SM_CXBORDER, 1}, MetricCase{SM_CYBORDER, 1},
                                           MetricCase{SM_CXVSCROLL, 17}, MetricCase{SM_CYHSCROLL, 17},
                                           MetricCase{SM_CXDLGFRAME, 3}, MetricCase{SM_CYDLGFRAME, 3},
                                           MetricCase{SM_CYCAPTION, 23}, MetricCase{SM_CXFRAME, 4},
                                           MetricCase{SM_CXPADDEDBORDER, 4},
                                           // Unknown indexes answer 0.
                                           MetricCase{-1, 0}, MetricCase{999, 0}));

TEST(SystemMetrics, ScreenAgreesWithDeviceCaps) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(screen, HORZRES));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
}

NONCLIENTMETRICSW FullMetrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    return metrics;
}

TEST(NonClientMetrics, AgreeWithSystemMetrics) {
    const NONCLIENTMETRICSW metrics = FullMetrics();
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), metrics.iCaptionHeight + GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), metrics.iScrollWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), metrics.iScrollHeight);
    EXPECT_EQ(GetSystemMetrics(SM_CXPADDEDBORDER), metrics.iPaddedBorderWidth);
    EXPECT_EQ(sizeof(metrics), metrics.cbSize);
}

TEST(NonClientMetrics, MessageFontIsSegoeUi9Points) {
    const NONCLIENTMETRICSW metrics = FullMetrics();
    EXPECT_STREQ(L"Segoe UI", metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(-12, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(FW_NORMAL, metrics.lfMessageFont.lfWeight);
    EXPECT_EQ(0, metrics.lfMessageFont.lfItalic);
    for (const LOGFONTW* font :
         {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont, &metrics.lfStatusFont})
        EXPECT_EQ(0, std::memcmp(font, &metrics.lfMessageFont, sizeof(LOGFONTW)));
}

struct SizeCase {
    const char* name;
    UINT cbSize;
    bool accepted;
};

class NonClientMetricsSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(NonClientMetricsSizes, AcceptsTheTwoLayoutsOnly) {
    const SizeCase& c = GetParam();
    // A buffer larger than any layout, so that writes past cbSize would show.
    std::vector<unsigned char> buffer(sizeof(NONCLIENTMETRICSW) + 64, 0xAB);
    std::memcpy(buffer.data(), &c.cbSize, sizeof(UINT));
    SetLastError(0);
    const BOOL ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, c.cbSize, buffer.data(), 0);
    EXPECT_EQ(c.accepted ? TRUE : FALSE, ok) << c.name;
    if (!c.accepted) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << c.name;
        for (size_t i = sizeof(UINT); i < buffer.size(); ++i)
            ASSERT_EQ(0xAB, buffer[i]) << c.name << ": byte " << i << " written";
        return;
    }
    for (size_t i = c.cbSize; i < buffer.size(); ++i)
        ASSERT_EQ(0xAB, buffer[i]) << c.name << ": byte " << i << " written past cbSize";
    NONCLIENTMETRICSW metrics{};
    std::memcpy(&metrics, buffer.data(), c.cbSize);
    EXPECT_STREQ(L"Segoe UI", metrics.lfMessageFont.lfFaceName) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, NonClientMetricsSizes,
    ::testing::Values(SizeCase{"full layout", sizeof(NONCLIENTMETRICSW), true},
                      SizeCase{"layout before iPaddedBorderWidth", sizeof(NONCLIENTMETRICSW) - sizeof(int),
                               true},
                      SizeCase{"Windows' byte count, whose WCHAR is 2 bytes", 504, false},
                      SizeCase{"zero", 0, false},
                      SizeCase{"one int more", sizeof(NONCLIENTMETRICSW) + sizeof(int), false},
                      SizeCase{"one byte less", sizeof(NONCLIENTMETRICSW) - 1, false}));

TEST(SystemParameters, RefusesNullAndUnknownActions) {
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    RECT rect{};
    EXPECT_FALSE(SystemParametersInfoW(0x7777, 0, &rect, 0));
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
}

TEST(SystemParameters, WorkAreaLeavesTheTaskBar) {
    RECT rect{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0));
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
    EXPECT_EQ(1920, rect.right);
    EXPECT_EQ(1040, rect.bottom);
}

TEST(SystemParameters, CanBeMadeToFail) {
    CFaultInjector::Instance().Inject("SystemParametersInfoW", ERROR_NOT_ENOUGH_MEMORY);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    CFaultInjector::Instance().ClearAll();
}

struct ColorCase {
    int index;
    COLORREF expected;
};

class SysColorTable : public ::testing::TestWithParam<ColorCase> {};

TEST_P(SysColorTable, ClassicScheme) {
    const ColorCase& c = GetParam();
    EXPECT_EQ(c.expected, GetSysColor(c.index)) << "index " << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Colors, SysColorTable,
    ::testing::Values(
        ColorCase{COLOR_BTNFACE, RGB(212, 208, 200)}, ColorCase{COLOR_3DFACE, RGB(212, 208, 200)},
        ColorCase{COLOR_WINDOW, RGB(255, 255, 255)}, ColorCase{COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        ColorCase{COLOR_BTNTEXT, RGB(0, 0, 0)}, ColorCase{COLOR_GRAYTEXT, RGB(128, 128, 128)},
        ColorCase{COLOR_BTNSHADOW, RGB(128, 128, 128)}, ColorCase{COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
        ColorCase{COLOR_3DDKSHADOW, RGB(64, 64, 64)}, ColorCase{COLOR_INFOBK, RGB(255, 255, 225)},
        ColorCase{COLOR_INFOTEXT, RGB(0, 0, 0)}, ColorCase{COLOR_HIGHLIGHT, RGB(10, 36, 106)},
        ColorCase{COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)}, ColorCase{COLOR_ACTIVECAPTION, RGB(10, 36, 106)},
        ColorCase{COLOR_BACKGROUND, RGB(58, 110, 165)}, ColorCase{25, 0}, ColorCase{31, 0},
        ColorCase{-1, 0}));

TEST(SysColorBrush, OneStockBrushPerColour) {
    HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
    ASSERT_NE(nullptr, face);
    EXPECT_EQ(face, GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_NE(face, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(nullptr, GetSysColorBrush(25));
    EXPECT_EQ(nullptr, GetSysColorBrush(31));
    // Deleting a system colour brush does nothing: it still paints.
    EXPECT_TRUE(DeleteObject(face));
    HDC dc = CreateCompatibleDC(nullptr);
    RECT rect{0, 0, 4, 4};
    EXPECT_EQ(1, FillRect(dc, &rect, face));
    DeleteDC(dc);
}

} // namespace
