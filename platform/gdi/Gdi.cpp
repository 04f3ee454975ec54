#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/TextMetricsModel.h"

namespace {

CGdiObjectTable& Table() {
    return CGdiObjectTable::Instance();
}

bool InjectedFailure(const char* api) {
    LONG code = 0;
    if (!CFaultInjector::Instance().ShouldFail(api, &code))
        return false;
    SetLastError(static_cast<DWORD>(code));
    return true;
}

bool EqualsNoCase(LPCWSTR a, LPCWSTR b) {
    for (; *a && *b; ++a, ++b) {
        if (std::towlower(*a) != std::towlower(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

extern "C" int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    LONGLONG product = static_cast<LONGLONG>(number) * numerator;
    LONGLONG divisor = denominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    const LONGLONG half = divisor / 2;
    const LONGLONG result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > 2147483647LL || result < -2147483647LL)
        return -1;
    return static_cast<int>(result);
}

extern "C" HFONT CreateFontIndirectW(const LOGFONTW* font) {
    if (InjectedFailure("CreateFontIndirectW"))
        return nullptr;
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    CGdiObjectTable::Object object;
    object.font = *font;
    object.font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    return static_cast<HFONT>(Table().Add(object));
}

extern "C" HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                             DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                             DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = weight;
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfStrikeOut = static_cast<BYTE>(strikeOut);
    font.lfCharSet = static_cast<BYTE>(charSet);
    font.lfOutPrecision = static_cast<BYTE>(outPrecision);
    font.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    font.lfQuality = static_cast<BYTE>(quality);
    font.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face)
        std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

extern "C" HBRUSH CreateSolidBrush(COLORREF color) {
    CGdiObjectTable::Object object;
    object.kind = CGdiObjectTable::Object::Kind::Brush;
    object.color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(Table().Add(object));
}

extern "C" HGDIOBJ GetStockObject(int id) {
    return Table().Stock(id);
}

extern "C" int GetObjectW(HANDLE handle, int size, LPVOID buffer) {
    const CGdiObjectTable::Object* object = Table().Find(static_cast<HGDIOBJ>(handle));
    if (!object || object->kind != CGdiObjectTable::Object::Kind::Font) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer)
        return static_cast<int>(sizeof(LOGFONTW));
    if (size <= 0)
        return 0;
    const size_t copied = std::min(static_cast<size_t>(size), sizeof(LOGFONTW));
    std::memcpy(buffer, &object->font, copied);
    return static_cast<int>(copied);
}

extern "C" BOOL DeleteObject(HGDIOBJ handle) {
    const CGdiObjectTable::Object* object = Table().Find(handle);
    if (!object)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (Table().IsSelected(handle))
        return FALSE;
    return Table().Remove(handle) ? TRUE : FALSE;
}

extern "C" HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
    CDeviceContext* context = Table().FindDC(dc);
    const CGdiObjectTable::Object* object = Table().Find(handle);
    if (!context || !object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (object->kind == CGdiObjectTable::Object::Kind::Font)
        return context->SelectFont(static_cast<HFONT>(handle));
    return context->SelectBrush(static_cast<HBRUSH>(handle));
}

extern "C" HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR, const void*) {
    if (InjectedFailure("CreateDCW"))
        return nullptr;
    const bool display =
        driver ? EqualsNoCase(driver, L"DISPLAY") : device != nullptr && EqualsNoCase(device, L"DISPLAY");
    if (!display) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Table().AddDC(CDeviceContext::Kind::Display, nullptr);
}

extern "C" HDC CreateCompatibleDC(HDC dc) {
    if (InjectedFailure("CreateCompatibleDC"))
        return nullptr;
    if (dc && !Table().FindDC(dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return Table().AddDC(CDeviceContext::Kind::Memory, nullptr);
}

extern "C" BOOL DeleteDC(HDC dc) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context || context->GetKind() == CDeviceContext::Kind::Window)
        return FALSE;
    return Table().RemoveDC(dc) ? TRUE : FALSE;
}

extern "C" int GetDeviceCaps(HDC dc, int index) {
    if (!Table().FindDC(dc))
        return 0;
    switch (index) {
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE: // millimetres
        return MulDiv(kScreenWidth, 254, kScreenDpi * 10);
    case VERTSIZE:
        return MulDiv(kScreenHeight, 254, kScreenDpi * 10);
    case HORZRES:
        return kScreenWidth;
    case VERTRES:
        return kScreenHeight;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS: // more than 8 bits per pixel: no palette
        return -1;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return kScreenDpi;
    default:
        return 0;
    }
}

extern "C" BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context || !metrics)
        return FALSE;
    const FontMetrics m = Table().Metrics(context->Font());
    *metrics = TEXTMETRICW{};
    metrics->tmHeight = m.height;
    metrics->tmAscent = m.ascent;
    metrics->tmDescent = m.descent;
    metrics->tmInternalLeading = m.internalLeading;
    metrics->tmExternalLeading = m.externalLeading;
    metrics->tmAveCharWidth = m.averageWidth;
    metrics->tmMaxCharWidth = m.maxWidth;
    metrics->tmWeight = m.weight;
    metrics->tmDigitizedAspectX = kScreenDpi;
    metrics->tmDigitizedAspectY = kScreenDpi;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFFFC;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = m.italic ? 0xFF : 0;
    metrics->tmPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    metrics->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

extern "C" BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context || !size || count < 0 || (count > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontMetrics m = Table().Metrics(context->Font());
    size->cx = CTextMetricsModel::Extent(m, text, static_cast<size_t>(count));
    size->cy = m.height;
    return TRUE;
}

extern "C" int GetTextFaceW(HDC dc, int count, LPWSTR face) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context)
        return 0;
    const std::wstring name = Table().Metrics(context->Font()).face;
    if (!face)
        return static_cast<int>(name.size()) + 1;
    if (count <= 0)
        return 0;
    const size_t copied = std::min(name.size(), static_cast<size_t>(count) - 1);
    std::wmemcpy(face, name.c_str(), copied);
    face[copied] = L'\0';
    return static_cast<int>(copied) + 1;
}

extern "C" COLORREF SetTextColor(HDC dc, COLORREF color) {
    CDeviceContext* context = Table().FindDC(dc);
    return context ? context->SetTextColor(color) : CLR_INVALID;
}

extern "C" COLORREF GetTextColor(HDC dc) {
    const CDeviceContext* context = Table().FindDC(dc);
    return context ? context->TextColor() : CLR_INVALID;
}

extern "C" COLORREF SetBkColor(HDC dc, COLORREF color) {
    CDeviceContext* context = Table().FindDC(dc);
    return context ? context->SetBackgroundColor(color) : CLR_INVALID;
}

extern "C" COLORREF GetBkColor(HDC dc) {
    const CDeviceContext* context = Table().FindDC(dc);
    return context ? context->BackgroundColor() : CLR_INVALID;
}

extern "C" int SetBkMode(HDC dc, int mode) {
    CDeviceContext* context = Table().FindDC(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return context->SetBackgroundMode(mode);
}

extern "C" int GetBkMode(HDC dc) {
    const CDeviceContext* context = Table().FindDC(dc);
    return context ? context->BackgroundMode() : 0;
}

extern "C" BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count) {
    CDeviceContext* context = Table().FindDC(dc);
    if (!context || count < 0 || (count > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontMetrics m = Table().Metrics(context->Font());
    DrawRecord record;
    record.op = DrawOp::Text;
    record.text.assign(text ? text : L"", static_cast<size_t>(count));
    const LONG width = CTextMetricsModel::Extent(m, record.text.c_str(), record.text.size());
    record.rect = RECT{x, y, x + width, y + m.height};
    record.color = context->TextColor();
    record.background = context->BackgroundColor();
    record.backgroundMode = context->BackgroundMode();
    record.lines.push_back(DrawnLine{record.text, x, y, width});
    record.fontFace = m.face;
    record.fontHeight = m.height;
    record.fontWeight = m.weight;
    record.fontItalic = m.italic;
    context->Record(std::move(record));
    return TRUE;
}

bool GdiRecordedDrawing(HDC dc, std::vector<DrawRecord>* records) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context || !records)
        return false;
    *records = context->Recording();
    return true;
}

void GdiClearRecordedDrawing(HDC dc) {
    if (CDeviceContext* context = Table().FindDC(dc))
        context->ClearRecording();
}
