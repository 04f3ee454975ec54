#include "platform/gdi/UserDrawing.h"

#include <algorithm>
#include <cwchar>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SystemMetrics.h"

namespace {

CGdiObjectTable& Table() {
    return CGdiObjectTable::Instance();
}

// The colour a brush paints, or false when it paints nothing or is no brush.
bool BrushColor(HBRUSH brush, COLORREF* color) {
    const ULONG_PTR value = ValueFromHandle(brush);
    if (value >= 1 && value <= static_cast<ULONG_PTR>(COLOR_MENUBAR) + 1) {
        if (!GetSysColorBrush(static_cast<int>(value - 1)))
            return false;
        *color = GetSysColor(static_cast<int>(value - 1));
        return true;
    }
    const CGdiObjectTable::Object* object = Table().Find(brush);
    if (!object || object->kind != CGdiObjectTable::Object::Kind::Brush || object->hollow)
        return false;
    *color = object->color;
    return true;
}

int DrawRectangle(DrawOp op, HDC dc, const RECT* rect, HBRUSH brush) {
    CDeviceContext* context = Table().FindDC(dc);
    COLORREF color = 0;
    if (!context || !rect || !BrushColor(brush, &color)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DrawRecord record;
    record.op = op;
    record.rect = *rect;
    record.color = color;
    context->Record(std::move(record));
    return 1;
}

} // namespace

extern "C" HDC GetDC(HWND window) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("GetDC", &code)) {
        SetLastError(static_cast<DWORD>(code));
        return nullptr;
    }
    return Table().AddDC(CDeviceContext::Kind::Window, window);
}

extern "C" int ReleaseDC(HWND, HDC dc) {
    const CDeviceContext* context = Table().FindDC(dc);
    if (!context || context->GetKind() != CDeviceContext::Kind::Window)
        return 0;
    return Table().RemoveDC(dc) ? 1 : 0;
}

extern "C" int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    CDeviceContext* context = Table().FindDC(dc);
    if (!context || !rect || (!text && count != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::wstring content =
        count < 0 ? std::wstring(text) : std::wstring(text ? text : L"", static_cast<size_t>(count));
    const FontMetrics metrics = Table().Metrics(context->Font());
    const LONG lineHeight = metrics.height + ((format & DT_EXTERNALLEADING) ? metrics.externalLeading : 0);
    const std::vector<TextLine> lines =
        CTextLayout::Lines(metrics, content, format, rect->right - rect->left);
    LONG widest = 0;
    for (const TextLine& line : lines)
        widest = std::max(widest, line.width);
    const LONG height = static_cast<LONG>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    // DT_VCENTER and DT_BOTTOM place a single line only, as on Windows.
    LONG top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = rect->bottom - lineHeight;
    }
    DrawRecord record;
    record.op = DrawOp::Text;
    record.rect = *rect;
    record.color = context->TextColor();
    record.background = context->BackgroundColor();
    record.backgroundMode = context->BackgroundMode();
    record.text = content;
    record.format = format;
    record.fontFace = metrics.face;
    record.fontHeight = metrics.height;
    record.fontWeight = metrics.weight;
    record.fontItalic = metrics.italic;
    LONG y = top;
    for (const TextLine& line : lines) {
        LONG x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->right - rect->left - line.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - line.width;
        record.lines.push_back(DrawnLine{line.text, x, y, line.width});
        y += lineHeight;
    }
    context->Record(std::move(record));
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return top - rect->top + height;
    return height;
}

extern "C" int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return DrawRectangle(DrawOp::FillRect, dc, rect, brush);
}

extern "C" int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return DrawRectangle(DrawOp::FrameRect, dc, rect, brush);
}

extern "C" BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH,
                           UINT flags) {
    CDeviceContext* context = Table().FindDC(dc);
    const WORD id = StockIconId(icon);
    if (!context || id == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (width == 0)
        width = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : 32;
    if (height == 0)
        height = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : 32;
    DrawRecord record;
    record.op = DrawOp::Icon;
    record.rect = RECT{x, y, x + width, y + height};
    record.iconId = id;
    context->Record(std::move(record));
    return TRUE;
}

extern "C" BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
