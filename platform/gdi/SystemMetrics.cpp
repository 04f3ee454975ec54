#include "platform/gdi/SystemMetrics.h"

#include <cstring>
#include <cwchar>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObjectTable.h"

namespace {

constexpr int kTaskBarHeight = 40;

struct MetricValue {
    int index;
    int value;
};

// SM_CYCAPTION is the caption height (22) and its one-pixel border; SM_CYFULLSCREEN the
// work area less the caption.
const MetricValue kMetrics[] = {
    {SM_CXSCREEN, kScreenWidth},
    {SM_CYSCREEN, kScreenHeight},
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, 23},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 17},
    {SM_CXHTHUMB, 17},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 20},
    {SM_CXFULLSCREEN, kScreenWidth},
    {SM_CYFULLSCREEN, kScreenHeight - kTaskBarHeight - 23},
    {SM_CYVSCROLL, 17},
    {SM_CXHSCROLL, 17},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CXPADDEDBORDER, 4},
};

// The classic scheme; index 25 has had no colour since Windows 2000.
const COLORREF kNoColor = CLR_INVALID;
const COLORREF kColors[] = {
    0xC8D0D4, // COLOR_SCROLLBAR
    0xA56E3A, // COLOR_BACKGROUND
    0x6A240A, // COLOR_ACTIVECAPTION
    0x808080, // COLOR_INACTIVECAPTION
    0xC8D0D4, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x000000, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0xFFFFFF, // COLOR_CAPTIONTEXT
    0xC8D0D4, // COLOR_ACTIVEBORDER
    0xC8D0D4, // COLOR_INACTIVEBORDER
    0x808080, // COLOR_APPWORKSPACE
    0x6A240A, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xC8D0D4, // COLOR_BTNFACE
    0x808080, // COLOR_BTNSHADOW
    0x808080, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0xC8D0D4, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x404040, // COLOR_3DDKSHADOW
    0xC8D0D4, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK
    kNoColor, // 25
    0x800000, // COLOR_HOTLIGHT
    0xF0CAA6, // COLOR_GRADIENTACTIVECAPTION
    0xC0C0C0, // COLOR_GRADIENTINACTIVECAPTION
    0x6A240A, // COLOR_MENUHILIGHT
    0xC8D0D4, // COLOR_MENUBAR
};
constexpr int kColorCount = static_cast<int>(sizeof(kColors) / sizeof(kColors[0]));

bool HasColor(int index) {
    return index >= 0 && index < kColorCount && kColors[index] != kNoColor;
}

LOGFONTW NonClientFont() {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, kScreenDpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = 5; // CLEARTYPE_QUALITY
    std::wcsncpy(font.lfFaceName, L"Segoe UI", LF_FACESIZE - 1);
    return font;
}

BOOL GetNonClientMetrics(NONCLIENTMETRICSW* metrics) {
    const UINT full = sizeof(NONCLIENTMETRICSW);
    const UINT preVista = full - sizeof(int);
    if (!metrics || (metrics->cbSize != full && metrics->cbSize != preVista)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    NONCLIENTMETRICSW answer{};
    answer.cbSize = metrics->cbSize;
    answer.iBorderWidth = 1;
    answer.iScrollWidth = 17;
    answer.iScrollHeight = 17;
    answer.iCaptionWidth = 36;
    answer.iCaptionHeight = 22;
    answer.lfCaptionFont = NonClientFont();
    answer.iSmCaptionWidth = 22;
    answer.iSmCaptionHeight = 22;
    answer.lfSmCaptionFont = NonClientFont();
    answer.iMenuWidth = 19;
    answer.iMenuHeight = 19;
    answer.lfMenuFont = NonClientFont();
    answer.lfStatusFont = NonClientFont();
    answer.lfMessageFont = NonClientFont();
    answer.iPaddedBorderWidth = 4;
    // The older layout ends before iPaddedBorderWidth: write no byte past it.
    std::memcpy(metrics, &answer, metrics->cbSize);
    return TRUE;
}

} // namespace

extern "C" int GetSystemMetrics(int index) {
    for (const MetricValue& metric : kMetrics) {
        if (metric.index == index)
            return metric.value;
    }
    return 0;
}

extern "C" DWORD GetSysColor(int index) {
    return HasColor(index) ? kColors[index] : 0;
}

extern "C" HBRUSH GetSysColorBrush(int index) {
    if (!HasColor(index))
        return nullptr;
    return CGdiObjectTable::Instance().SystemColorBrush(index, kColors[index]);
}

extern "C" BOOL SystemParametersInfoW(UINT action, UINT, PVOID pvParam, UINT) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("SystemParametersInfoW", &code)) {
        SetLastError(static_cast<DWORD>(code));
        return FALSE;
    }
    switch (action) {
    case SPI_GETNONCLIENTMETRICS:
        return GetNonClientMetrics(static_cast<NONCLIENTMETRICSW*>(pvParam));
    case SPI_GETWORKAREA:
        if (!pvParam)
            break;
        *static_cast<RECT*>(pvParam) = RECT{0, 0, kScreenWidth, kScreenHeight - kTaskBarHeight};
        return TRUE;
    default:
        break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

extern "C" LONG GetDialogBaseUnits() {
    const FontMetrics system =
        CGdiObjectTable::Instance().Metrics(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return static_cast<LONG>(
        MAKELONG(static_cast<WORD>(system.averageWidth), static_cast<WORD>(system.height)));
}
