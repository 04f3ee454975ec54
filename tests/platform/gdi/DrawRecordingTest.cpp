#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "tests/platform/gdi/GdiTestSupport.h"

namespace {

std::vector<DrawRecord> Recorded(HDC dc) {
    std::vector<DrawRecord> records;
    EXPECT_TRUE(GdiRecordedDrawing(dc, &records));
    return records;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What an owner-drawn tab does: fill with the face colour, draw the title transparently in
// the button text colour, centred both ways; then an icon, a frame and a plain text.
TEST(DrawRecording, KeepsEveryCallInOrderWithItsState) {
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    HDC dc = screen.dc();
    const RECT tab{0, 0, 100, 20};
    ASSERT_EQ(1, FillRect(dc, &tab, GetSysColorBrush(COLOR_3DFACE)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = tab;
    // "Tab": 18 wide; centred at (100 - 18) / 2 = 41, (20 - 13) / 2 = 3; answers 3 + 13.
    EXPECT_EQ(16, DrawTextW(dc, L"Tab", -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    EXPECT_TRUE(SameRect(tab, text)) << "drawing leaves the rectangle alone";
    ASSERT_TRUE(DrawIconEx(dc, 5, 6, LoadIconW(nullptr, IDI_WARNING), 0, 0, 0, nullptr, DI_NORMAL));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    ASSERT_EQ(1, FrameRect(dc, &tab, red));
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, OPAQUE);
    ASSERT_TRUE(TextOutW(dc, 7, 8, L"hello world", 5));
    // Measuring draws nothing.
    RECT measured{0, 0, 100, 0};
    DrawTextW(dc, L"not drawn", -1, &measured, DT_CALCRECT);

    const std::vector<DrawRecord> records = Recorded(dc);
    ASSERT_EQ(5u, records.size());

    EXPECT_EQ(DrawOp::FillRect, records[0].op);
    EXPECT_TRUE(SameRect(tab, records[0].rect));
    EXPECT_EQ(RGB(212, 208, 200), records[0].color);

    EXPECT_EQ(DrawOp::Text, records[1].op);
    EXPECT_EQ(L"Tab", records[1].text);
    EXPECT_EQ(RGB(0, 0, 0), records[1].color);
    EXPECT_EQ(TRANSPARENT, records[1].backgroundMode);
    EXPECT_EQ(L"MS Shell Dlg", records[1].fontFace);
    EXPECT_EQ(13, records[1].fontHeight);
    EXPECT_EQ(FW_NORMAL, records[1].fontWeight);
    ASSERT_EQ(1u, records[1].lines.size());
    EXPECT_EQ(41, records[1].lines[0].x);
    EXPECT_EQ(3, records[1].lines[0].y);
    EXPECT_EQ(18, records[1].lines[0].width);

    EXPECT_EQ(DrawOp::Icon, records[2].op);
    EXPECT_EQ(32515, records[2].iconId);
    EXPECT_TRUE(SameRect(RECT{5, 6, 37, 38}, records[2].rect));

    EXPECT_EQ(DrawOp::FrameRect, records[3].op);
    EXPECT_EQ(RGB(255, 0, 0), records[3].color);

    EXPECT_EQ(DrawOp::Text, records[4].op);
    EXPECT_EQ(L"hello", records[4].text);
    EXPECT_EQ(RGB(0, 0, 255), records[4].color);
    EXPECT_EQ(OPAQUE, records[4].backgroundMode);
    EXPECT_TRUE(SameRect(RECT{7, 8, 7 + 24, 8 + 13}, records[4].rect));

    GdiClearRecordedDrawing(dc);
    EXPECT_TRUE(Recorded(dc).empty());
    DeleteObject(red);
}

struct PlacementCase {
    const char* name;
    const wchar_t* text;
    UINT format;
    RECT rect;
    int expectedReturn;
    std::vector<DrawnLine> expected;
};

class DrawTextPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(DrawTextPlacement, PutsEachLineWhereWindowsWould) {
    const PlacementCase& c = GetParam();
    ScreenWithFont screen(L"MS Shell Dlg", -11);
    RECT rect = c.rect;
    EXPECT_EQ(c.expectedReturn, DrawTextW(screen.dc(), c.text, -1, &rect, c.format)) << c.name;
    const std::vector<DrawRecord> records = Recorded(screen.dc());
    ASSERT_EQ(1u, records.size()) << c.name;
    ASSERT_EQ(c.expected.size(), records[0].lines.size()) << c.name;
    for (size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(c.expected[i].text, records[0].lines[i].text) << c.name << " line " << i;
        EXPECT_EQ(c.expected[i].x, records[0].lines[i].x) << c.name << " line " << i;
        EXPECT_EQ(c.expected[i].y, records[0].lines[i].y) << c.name << " line " << i;
        EXPECT_EQ(c.expected[i].width, records[0].lines[i].width) << c.name << " line " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placement, DrawTextPlacement,
    ::testing::Values(
        PlacementCase{"left and top", L"abab", DT_LEFT, RECT{10, 20, 110, 60}, 13, {{L"abab", 10, 20, 24}}},
        PlacementCase{"right", L"abab", DT_RIGHT, RECT{10, 20, 110, 60}, 13, {{L"abab", 86, 20, 24}}},
        PlacementCase{"bottom of a single line",
                      L"abab",
                      DT_SINGLELINE | DT_BOTTOM,
                      RECT{10, 20, 110, 60},
                      40,
                      {{L"abab", 10, 47, 24}}},
        PlacementCase{"centred lines of a wrapped text",
                      L"abab ab",
                      DT_CENTER | DT_WORDBREAK,
                      RECT{0, 0, 30, 100},
                      26,
                      {{L"abab", 3, 0, 24}, {L"ab", 9, 13, 12}}},
        PlacementCase{"vertical centring needs a single line",
                      L"ab",
                      DT_VCENTER,
                      RECT{0, 0, 50, 50},
                      13,
                      {{L"ab", 0, 0, 12}}},
        PlacementCase{"prefix resolved in what is drawn",
                      L"&Open",
                      DT_LEFT,
                      RECT{0, 0, 100, 20},
                      13,
                      {{L"Open", 0, 0, 25}}},
        PlacementCase{"end ellipsis cuts what does not fit",
                      L"abababababab",
                      DT_SINGLELINE | DT_END_ELLIPSIS,
                      RECT{0, 0, 40, 20},
                      13,
                      {{L"ababa...", 0, 0, 39}}},
        PlacementCase{"end ellipsis leaves a fitting text",
                      L"abab",
                      DT_SINGLELINE | DT_END_ELLIPSIS,
                      RECT{0, 0, 40, 20},
                      13,
                      {{L"abab", 0, 0, 24}}}));

TEST(DrawRecording, IconsAndRectanglesRefuseWhatCannotBeDrawn) {
    HDC dc = CreateCompatibleDC(nullptr);
    RECT rect{0, 0, 10, 10};
    EXPECT_EQ(0, FillRect(dc, &rect, nullptr));
    EXPECT_EQ(0, FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))));
    EXPECT_EQ(0, FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(SYSTEM_FONT))));
    EXPECT_EQ(0, FillRect(dc, nullptr, GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(0, FillRect(nullptr, &rect, GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_FALSE(DrawIcon(dc, 0, 0, nullptr));
    EXPECT_TRUE(Recorded(dc).empty());

    // A system colour index + 1 is a brush, as Windows allows; DrawIcon draws 32 x 32.
    const ULONG_PTR windowColour = static_cast<ULONG_PTR>(COLOR_WINDOW) + 1;
    EXPECT_EQ(1, FillRect(dc, &rect, reinterpret_cast<HBRUSH>(windowColour)));
    EXPECT_TRUE(DrawIcon(dc, 1, 2, LoadIconW(nullptr, IDI_ERROR)));
    const std::vector<DrawRecord> records = Recorded(dc);
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(RGB(255, 255, 255), records[0].color);
    EXPECT_EQ(32513, records[1].iconId);
    EXPECT_TRUE(SameRect(RECT{1, 2, 33, 34}, records[1].rect));
    DeleteDC(dc);
    std::vector<DrawRecord> none;
    EXPECT_FALSE(GdiRecordedDrawing(dc, &none));
}

} // namespace
