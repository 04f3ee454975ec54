// The GDI calls of the stand-in: fonts measured by the text metrics model, brushes, device
// contexts that record what is drawn on them, and MulDiv. The screen is a virtual one of
// 1920 x 1080 pixels, 32 bits per pixel, 96 dots per inch.
// CreateFontIndirectW (and so CreateFontW), CreateDCW, CreateCompatibleDC, GetDC and
// SystemParametersInfoW can be made to fail through CFaultInjector, for the callers' branches
// where a font or a device context cannot be had.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/DrawRecord.h"
#include "platform/gdi/GdiTypes.h"

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kScreenDpi = 96;

extern "C" {
// number x numerator / denominator with a 64-bit product, rounded half away from zero;
// -1 when the denominator is 0 or the result is outside -2147483647..2147483647.
int MulDiv(int number, int numerator, int denominator);

// Null for a null LOGFONTW. lfWidth, escapement, orientation, underline, strike-out, charset,
// precision, quality and pitch are kept (GetObjectW answers them) but do not change metrics.
HFONT CreateFontIndirectW(const LOGFONTW* font);
HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCWSTR face);
HBRUSH CreateSolidBrush(COLORREF color);
HGDIOBJ GetStockObject(int id);
// Fonts only: copies up to `size` bytes of the LOGFONTW and answers how many; with a null
// buffer answers sizeof(LOGFONTW). 0 for another handle.
int GetObjectW(HANDLE object, int size, LPVOID buffer);
// FALSE for an invalid handle and for an object selected into a device context; TRUE (and
// nothing done) for a stock object.
BOOL DeleteObject(HGDIOBJ object);
// Fonts and brushes: answers the object it replaced, null for an invalid handle.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);

// Only the display: L"DISPLAY" as driver (or null driver and L"DISPLAY" as device).
HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const void* initData);
HDC CreateCompatibleDC(HDC dc);
// FALSE for a device context from GetDC, which goes back with ReleaseDC.
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
// Copies the face of the selected font (truncated to `count` with its terminator) and answers
// the characters copied including the terminator; with a null buffer the length needed.
int GetTextFaceW(HDC dc, int count, LPWSTR face);

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
BOOL TextOutW(HDC dc, int x, int y, LPCWSTR text, int count);
}

// Test hook: the drawing recorded on a device context, oldest first. False for an invalid
// device context.
bool GdiRecordedDrawing(HDC dc, std::vector<DrawRecord>* records);
void GdiClearRecordedDrawing(HDC dc);
