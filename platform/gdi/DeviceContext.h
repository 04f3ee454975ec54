// A device context of the stand-in: the objects selected into it, its text and background
// colours, and the drawing done on it, recorded in order instead of painted.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/gdi/DrawRecord.h"
#include "platform/gdi/GdiTypes.h"

class CDeviceContext {
public:
    enum class Kind {
        Window,  // GetDC: given back with ReleaseDC
        Display, // CreateDCW(L"DISPLAY"): deleted with DeleteDC
        Memory,  // CreateCompatibleDC: deleted with DeleteDC
    };

    CDeviceContext(Kind kind, HWND window, HFONT font, HBRUSH brush);

    Kind GetKind() const { return m_kind; }
    HWND Window() const { return m_window; }

    HFONT Font() const { return m_font; }
    HBRUSH Brush() const { return m_brush; }
    // Each setter answers what it replaced, as SelectObject and SetTextColor do.
    HFONT SelectFont(HFONT font);
    HBRUSH SelectBrush(HBRUSH brush);
    COLORREF TextColor() const { return m_textColor; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF BackgroundColor() const { return m_backgroundColor; }
    COLORREF SetBackgroundColor(COLORREF color);
    int BackgroundMode() const { return m_backgroundMode; }
    int SetBackgroundMode(int mode);

    void Record(DrawRecord record) { m_recording.push_back(std::move(record)); }
    const std::vector<DrawRecord>& Recording() const { return m_recording; }
    void ClearRecording() { m_recording.clear(); }

private:
    Kind m_kind;
    HWND m_window;
    HFONT m_font;
    HBRUSH m_brush;
    COLORREF m_textColor = 0x000000;
    COLORREF m_backgroundColor = 0xFFFFFF;
    int m_backgroundMode = OPAQUE;
    std::vector<DrawRecord> m_recording;
};
