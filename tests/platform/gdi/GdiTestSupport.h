// A screen device context with a font of the tests' choosing, released at the end of a test.
#pragma once

#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/UserDrawing.h"

class ScreenWithFont {
public:
    ScreenWithFont(const wchar_t* face, LONG height, LONG weight = FW_NORMAL, bool italic = false)
        : m_dc(GetDC(nullptr)), m_font(CreateFontW(height, 0, 0, 0, weight, italic ? 1 : 0, 0, 0,
                                                   DEFAULT_CHARSET, 0, 0, 0, 0, face)) {
        m_previous = SelectObject(m_dc, m_font);
    }
    ~ScreenWithFont() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_font);
        ReleaseDC(nullptr, m_dc);
    }
    ScreenWithFont(const ScreenWithFont&) = delete;
    ScreenWithFont& operator=(const ScreenWithFont&) = delete;

    HDC dc() const { return m_dc; }
    HFONT font() const { return m_font; }

    LONG Extent(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_previous;
};
