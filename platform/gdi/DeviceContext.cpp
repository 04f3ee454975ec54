#include "platform/gdi/DeviceContext.h"

#include <utility>

CDeviceContext::CDeviceContext(Kind kind, HWND window, HFONT font, HBRUSH brush)
    : m_kind(kind), m_window(window), m_font(font), m_brush(brush) {}

HFONT CDeviceContext::SelectFont(HFONT font) {
    return std::exchange(m_font, font);
}

HBRUSH CDeviceContext::SelectBrush(HBRUSH brush) {
    return std::exchange(m_brush, brush);
}

COLORREF CDeviceContext::SetTextColor(COLORREF color) {
    return std::exchange(m_textColor, color);
}

COLORREF CDeviceContext::SetBackgroundColor(COLORREF color) {
    return std::exchange(m_backgroundColor, color);
}

int CDeviceContext::SetBackgroundMode(int mode) {
    return std::exchange(m_backgroundMode, mode);
}
