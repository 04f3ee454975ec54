#include "platform/gdi/GdiObjectTable.h"

#include <cwchar>

namespace {

LOGFONTW MakeFont(LONG height, LONG weight, const wchar_t* face) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

} // namespace

CGdiObjectTable& CGdiObjectTable::Instance() {
    static CGdiObjectTable table;
    return table;
}

CGdiObjectTable::CGdiObjectTable() {
    struct StockBrush {
        int id;
        COLORREF color;
        bool hollow;
    };
    const StockBrush brushes[] = {{WHITE_BRUSH, 0xFFFFFF, false}, {LTGRAY_BRUSH, 0xC0C0C0, false},
                                  {GRAY_BRUSH, 0x808080, false},  {DKGRAY_BRUSH, 0x404040, false},
                                  {BLACK_BRUSH, 0x000000, false}, {NULL_BRUSH, 0x000000, true}};
    for (const StockBrush& b : brushes) {
        Object brush;
        brush.kind = Object::Kind::Brush;
        brush.color = b.color;
        brush.hollow = b.hollow;
        brush.stock = true;
        m_stock[b.id] = Add(brush);
    }
    // The system font is "System" with a 16-pixel cell; the GUI font is the 8-point
    // dialog font.
    Object system;
    system.font = MakeFont(16, FW_BOLD, L"System");
    system.stock = true;
    m_stock[SYSTEM_FONT] = Add(system);
    Object gui;
    gui.font = MakeFont(-11, FW_NORMAL, L"MS Shell Dlg");
    gui.stock = true;
    m_stock[DEFAULT_GUI_FONT] = Add(gui);
}

ULONG_PTR CGdiObjectTable::NextHandle() {
    const ULONG_PTR value = m_next;
    m_next += 4;
    return value;
}

HGDIOBJ CGdiObjectTable::Add(const Object& object) {
    const ULONG_PTR value = NextHandle();
    m_objects[value] = object;
    return HandleFromValue<HGDIOBJ>(value);
}

const CGdiObjectTable::Object* CGdiObjectTable::Find(HGDIOBJ handle) const {
    const auto found = m_objects.find(ValueFromHandle(handle));
    return found == m_objects.end() ? nullptr : &found->second;
}

bool CGdiObjectTable::Remove(HGDIOBJ handle) {
    const auto found = m_objects.find(ValueFromHandle(handle));
    if (found == m_objects.end() || found->second.stock)
        return false;
    m_objects.erase(found);
    return true;
}

HGDIOBJ CGdiObjectTable::Stock(int id) const {
    const auto found = m_stock.find(id);
    return found == m_stock.end() ? nullptr : found->second;
}

HBRUSH CGdiObjectTable::SystemColorBrush(int index, COLORREF color) {
    const auto found = m_systemColorBrushes.find(index);
    if (found != m_systemColorBrushes.end())
        return found->second;
    Object brush;
    brush.kind = Object::Kind::Brush;
    brush.color = color;
    brush.stock = true;
    const HBRUSH handle = static_cast<HBRUSH>(Add(brush));
    m_systemColorBrushes[index] = handle;
    return handle;
}

FontMetrics CGdiObjectTable::Metrics(HFONT font) const {
    const Object* object = Find(font);
    if (!object || object->kind != Object::Kind::Font)
        object = Find(Stock(SYSTEM_FONT));
    const LOGFONTW& lf = object->font;
    return CTextMetricsModel::Measure(lf.lfHeight, lf.lfWeight, lf.lfItalic != 0,
                                      std::wstring(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
}

HDC CGdiObjectTable::AddDC(CDeviceContext::Kind kind, HWND window) {
    const ULONG_PTR value = NextHandle();
    m_dcs[value] = std::make_unique<CDeviceContext>(kind, window, static_cast<HFONT>(Stock(SYSTEM_FONT)),
                                                    static_cast<HBRUSH>(Stock(WHITE_BRUSH)));
    return HandleFromValue<HDC>(value);
}

CDeviceContext* CGdiObjectTable::FindDC(HDC dc) const {
    const auto found = m_dcs.find(ValueFromHandle(dc));
    return found == m_dcs.end() ? nullptr : found->second.get();
}

bool CGdiObjectTable::RemoveDC(HDC dc) {
    return m_dcs.erase(ValueFromHandle(dc)) == 1;
}

bool CGdiObjectTable::IsSelected(HGDIOBJ handle) const {
    for (const auto& [value, dc] : m_dcs) {
        if (static_cast<HGDIOBJ>(dc->Font()) == handle || static_cast<HGDIOBJ>(dc->Brush()) == handle)
            return true;
    }
    return false;
}
