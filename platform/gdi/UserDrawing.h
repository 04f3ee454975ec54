// The window system's side of drawing: device contexts of windows, DrawTextW (measuring and
// drawing, laid out by CTextLayout), rectangles filled and framed, and icons. Every window
// draws on the one virtual screen, so any window handle gives a screen device context.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/gdi/TextLayout.h"

constexpr UINT DI_MASK = 0x1;
constexpr UINT DI_IMAGE = 0x2;
constexpr UINT DI_NORMAL = 0x3;
constexpr UINT DI_DEFAULTSIZE = 0x8;

extern "C" {
HDC GetDC(HWND window);
// 1 when the device context came from GetDC and is now given back, else 0.
int ReleaseDC(HWND window, HDC dc);

// Answers the height of the text (with DT_VCENTER or DT_BOTTOM when drawing: the offset
// from the rectangle's top to the text's bottom), 0 on failure. A negative count means a
// null-terminated text. With DT_CALCRECT nothing is drawn; the rectangle's right edge is
// moved to bound the widest line and its bottom to bound the last.
int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format);
// The brush may be a system colour index + 1, as Windows allows.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Stock icons only; a width or height of 0 means the icon's own size (32).
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree,
                UINT flags);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
}
