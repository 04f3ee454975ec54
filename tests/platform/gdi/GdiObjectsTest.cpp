#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/UserDrawing.h"

namespace {

HFONT MakeFont(LONG height, const wchar_t* face) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

LONG SelectedHeight(HDC dc) {
    TEXTMETRICW tm{};
    return GetTextMetricsW(dc, &tm) ? tm.tmHeight : -1;
}

std::wstring SelectedFace(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

TEST(SelectObject, ChainsAnswerThePreviousObjectAndRestore) {
    HDC dc = GetDC(nullptr);
    HFONT dialog = MakeFont(-11, L"MS Shell Dlg");
    HFONT message = MakeFont(-12, L"Segoe UI");
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));

    HGDIOBJ original = SelectObject(dc, dialog);
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), original);
    EXPECT_EQ(13, SelectedHeight(dc));
    EXPECT_EQ(static_cast<HGDIOBJ>(dialog), SelectObject(dc, message));
    EXPECT_EQ(15, SelectedHeight(dc));
    EXPECT_EQ(L"Segoe UI", SelectedFace(dc));
    // Brushes are a separate slot: selecting one does not disturb the font.
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), SelectObject(dc, red));
    EXPECT_EQ(15, SelectedHeight(dc));
    EXPECT_EQ(static_cast<HGDIOBJ>(message), SelectObject(dc, dialog));
    EXPECT_EQ(static_cast<HGDIOBJ>(dialog), SelectObject(dc, original));
    EXPECT_EQ(16, SelectedHeight(dc));
    EXPECT_EQ(L"System", SelectedFace(dc));
    EXPECT_EQ(static_cast<HGDIOBJ>(red), SelectObject(dc, GetStockObject(WHITE_BRUSH)));

    EXPECT_TRUE(DeleteObject(dialog));
    EXPECT_TRUE(DeleteObject(message));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_EQ(1, ReleaseDC(nullptr, dc));
}

TEST(SelectObject, RefusesInvalidHandles) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeFont(-11, L"Tahoma");
    EXPECT_EQ(nullptr, SelectObject(nullptr, font));
    EXPECT_EQ(nullptr, SelectObject(dc, nullptr));
    ASSERT_TRUE(DeleteObject(font));
    EXPECT_EQ(nullptr, SelectObject(dc, font));
    EXPECT_EQ(L"System", SelectedFace(dc));
    DeleteDC(dc);
}

TEST(DeleteObject, SelectedStockAndDeletedObjects) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeFont(-11, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_FALSE(DeleteObject(font)) << "a selected object stays";
    EXPECT_EQ(L"Tahoma", SelectedFace(dc));
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font)) << "a deleted handle is no longer valid";
    EXPECT_EQ(0, GetObjectW(font, sizeof(LOGFONTW), nullptr));

    // Stock objects survive deletion, even while selected.
    for (int id : {SYSTEM_FONT, DEFAULT_GUI_FONT, WHITE_BRUSH, NULL_BRUSH}) {
        HGDIOBJ stock = GetStockObject(id);
        ASSERT_NE(nullptr, stock) << id;
        EXPECT_TRUE(DeleteObject(stock)) << id;
        EXPECT_EQ(stock, GetStockObject(id)) << id;
    }
    EXPECT_EQ(sizeof(LOGFONTW), static_cast<size_t>(GetObjectW(GetStockObject(SYSTEM_FONT), 0, nullptr)));
    EXPECT_FALSE(DeleteObject(nullptr));
    DeleteDC(dc);
}

TEST(GetStockObject, FontsAndUnknownIds) {
    LOGFONTW gui{};
    ASSERT_EQ(static_cast<int>(sizeof(gui)), GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui));
    EXPECT_EQ(-11, gui.lfHeight);
    EXPECT_STREQ(L"MS Shell Dlg", gui.lfFaceName);
    LOGFONTW system{};
    ASSERT_EQ(static_cast<int>(sizeof(system)),
              GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(system), &system));
    EXPECT_EQ(16, system.lfHeight);
    EXPECT_STREQ(L"System", system.lfFaceName);
    EXPECT_EQ(nullptr, GetStockObject(99));
    EXPECT_EQ(nullptr, GetStockObject(-1));
}

TEST(GetObject, AnswersTheLogFontAsCreated) {
    LOGFONTW in{};
    in.lfHeight = -12;
    in.lfWidth = 3;
    in.lfWeight = FW_BOLD;
    in.lfItalic = 1;
    in.lfUnderline = 1;
    in.lfCharSet = DEFAULT_CHARSET;
    std::wcscpy(in.lfFaceName, L"Segoe UI");
    HFONT font = CreateFontIndirectW(&in);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(static_cast<int>(sizeof(LOGFONTW)), GetObjectW(font, 0, nullptr));
    LOGFONTW out{};
    ASSERT_EQ(static_cast<int>(sizeof(out)), GetObjectW(font, sizeof(out), &out));
    EXPECT_EQ(0, std::memcmp(&in, &out, sizeof(LOGFONTW)));
    // A short buffer gets what fits.
    LONG height = 0;
    EXPECT_EQ(static_cast<int>(sizeof(height)), GetObjectW(font, sizeof(height), &height));
    EXPECT_EQ(-12, height);
    EXPECT_EQ(0, GetObjectW(font, 0, &out));
    // Brushes have no LOGFONTW.
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(0, GetObjectW(brush, sizeof(out), &out));
    DeleteObject(brush);
    DeleteObject(font);
    EXPECT_EQ(nullptr, CreateFontIndirectW(nullptr));
}

TEST(CreateFont, FaceNamesAreCutToTheFaceSize) {
    const std::wstring longFace(40, L'x');
    HFONT font = MakeFont(-11, longFace.c_str());
    LOGFONTW out{};
    ASSERT_EQ(static_cast<int>(sizeof(out)), GetObjectW(font, sizeof(out), &out));
    EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'x'), out.lfFaceName);
    DeleteObject(font);
}

TEST(CreateFont, CanBeMadeToFail) {
    CFaultInjector::Instance().Inject("CreateFontIndirectW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(nullptr, MakeFont(-11, L"Tahoma"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), GetLastError());
    HFONT font = MakeFont(-11, L"Tahoma");
    EXPECT_NE(nullptr, font);
    DeleteObject(font);
    CFaultInjector::Instance().ClearAll();
}

TEST(GetTextFace, CopiesAndTruncates) {
    HDC dc = GetDC(nullptr);
    HFONT font = MakeFont(-11, L"MS Shell Dlg");
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_EQ(13, GetTextFaceW(dc, 0, nullptr));
    wchar_t buffer[8];
    std::wmemset(buffer, L'#', 8);
    EXPECT_EQ(4, GetTextFaceW(dc, 4, buffer));
    EXPECT_STREQ(L"MS ", buffer);
    EXPECT_EQ(L'#', buffer[4]);
    EXPECT_EQ(0, GetTextFaceW(dc, 0, buffer));
    EXPECT_EQ(0, GetTextFaceW(nullptr, 8, buffer));
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);

    // An unknown face reports the face that stands in for it.
    HDC other = CreateCompatibleDC(nullptr);
    HFONT unknown = MakeFont(-11, L"No Such Face");
    SelectObject(other, unknown);
    EXPECT_EQ(L"MS Sans Serif", SelectedFace(other));
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(unknown)) << "a deleted DC holds nothing";
}

TEST(DeviceContexts, EachKindIsGivenBackItsOwnWay) {
    HWND someWindow = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x4242));
    HDC window = GetDC(someWindow);
    HDC screen = GetDC(nullptr);
    HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    HDC displayByDevice = CreateDCW(nullptr, L"display", nullptr, nullptr);
    HDC memory = CreateCompatibleDC(display);
    for (HDC dc : {window, screen, display, displayByDevice, memory}) {
        ASSERT_NE(nullptr, dc);
        EXPECT_EQ(96, GetDeviceCaps(dc, LOGPIXELSX));
        EXPECT_EQ(96, GetDeviceCaps(dc, LOGPIXELSY));
        EXPECT_EQ(1920, GetDeviceCaps(dc, HORZRES));
        EXPECT_EQ(1080, GetDeviceCaps(dc, VERTRES));
        EXPECT_EQ(32, GetDeviceCaps(dc, BITSPIXEL));
        EXPECT_EQ(1, GetDeviceCaps(dc, PLANES));
        EXPECT_EQ(508, GetDeviceCaps(dc, HORZSIZE));
        EXPECT_EQ(0, GetDeviceCaps(dc, 9999));
    }
    EXPECT_FALSE(DeleteDC(window)) << "GetDC's context goes back with ReleaseDC";
    EXPECT_EQ(0, ReleaseDC(nullptr, display)) << "CreateDCW's context is deleted";
    EXPECT_EQ(1, ReleaseDC(someWindow, window));
    EXPECT_EQ(0, ReleaseDC(someWindow, window));
    EXPECT_EQ(1, ReleaseDC(nullptr, screen));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteDC(display));
    EXPECT_TRUE(DeleteDC(displayByDevice));
    EXPECT_FALSE(DeleteDC(display));
    EXPECT_EQ(0, GetDeviceCaps(display, LOGPIXELSY));
    TEXTMETRICW tm{};
    EXPECT_FALSE(GetTextMetricsW(display, &tm));
}

TEST(DeviceContexts, OnlyTheDisplayAndValidSources) {
    SetLastError(0);
    EXPECT_EQ(nullptr, CreateDCW(L"WINSPOOL", L"Printer", nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_EQ(nullptr, CreateDCW(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, CreateCompatibleDC(reinterpret_cast<HDC>(static_cast<ULONG_PTR>(0x7777))));

    CFaultInjector::Instance().Inject("CreateDCW", ERROR_NOT_ENOUGH_MEMORY);
    CFaultInjector::Instance().Inject("GetDC", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(nullptr, CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, GetDC(nullptr));
    CFaultInjector::Instance().ClearAll();
}

TEST(DeviceContexts, ColoursAndBackgroundModeAnswerThePreviousValue) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(RGB(0, 0, 0), SetTextColor(dc, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
    EXPECT_EQ(RGB(255, 255, 255), SetBkColor(dc, RGB(4, 5, 6)));
    EXPECT_EQ(RGB(4, 5, 6), GetBkColor(dc));
    EXPECT_EQ(OPAQUE, SetBkMode(dc, TRANSPARENT));
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
    EXPECT_EQ(0, SetBkMode(dc, 7));
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
    DeleteDC(dc);
    EXPECT_EQ(CLR_INVALID, SetTextColor(dc, 0));
    EXPECT_EQ(CLR_INVALID, SetBkColor(dc, 0));
    EXPECT_EQ(0, SetBkMode(dc, OPAQUE));
}

struct IconCase {
    LPCWSTR name;
    WORD id;
};

class StockIconTable : public ::testing::TestWithParam<IconCase> {};

TEST_P(StockIconTable, HandlesNameTheirIcon) {
    HICON icon = LoadIconW(nullptr, GetParam().name);
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(GetParam().id, StockIconId(icon));
    EXPECT_EQ(icon, LoadIconW(nullptr, GetParam().name)) << "shared: the same handle each time";
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(GetParam().id, StockIconId(icon)) << "destroying a shared icon does nothing";
}

INSTANTIATE_TEST_SUITE_P(Icons, StockIconTable,
                         ::testing::Values(IconCase{IDI_APPLICATION, 32512}, IconCase{IDI_ERROR, 32513},
                                           IconCase{IDI_HAND, 32513}, IconCase{IDI_QUESTION, 32514},
                                           IconCase{IDI_WARNING, 32515}, IconCase{IDI_EXCLAMATION, 32515},
                                           IconCase{IDI_INFORMATION, 32516}, IconCase{IDI_ASTERISK, 32516}));

TEST(StockIcons, RefusesWhatIsNoStockIcon) {
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadIconW(nullptr, MAKEINTRESOURCEW(100)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    EXPECT_EQ(nullptr, LoadIconW(nullptr, L"APPICON"));
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(0x10000000));
    EXPECT_EQ(nullptr, LoadIconW(module, IDI_ERROR));
    EXPECT_EQ(0, StockIconId(nullptr));
    SetLastError(0);
    EXPECT_FALSE(DestroyIcon(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_CURSOR_HANDLE), GetLastError());
}

} // namespace
