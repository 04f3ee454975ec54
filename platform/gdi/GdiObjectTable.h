// The process's GDI objects (fonts, brushes) and device contexts, by handle. Handles are
// numbers that are never reused within a run, so a deleted handle stays invalid.
#pragma once

#include <map>
#include <memory>

#include "platform/base/WinTypes.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/TextMetricsModel.h"

class CGdiObjectTable {
public:
    struct Object {
        enum class Kind { Font, Brush } kind = Kind::Font;
        LOGFONTW font{};     // fonts
        COLORREF color = 0;  // brushes
        bool hollow = false; // NULL_BRUSH paints nothing
        bool stock = false;  // stock objects survive DeleteObject
    };

    static CGdiObjectTable& Instance();

    HGDIOBJ Add(const Object& object);
    // Null for a handle that is not a live object.
    const Object* Find(HGDIOBJ handle) const;
    // Removes a live, non-stock object; false otherwise.
    bool Remove(HGDIOBJ handle);
    // Null for an id that is not offered.
    HGDIOBJ Stock(int id) const;
    // The stock brush of a system colour (one per index, as GetSysColorBrush answers).
    HBRUSH SystemColorBrush(int index, COLORREF color);

    // The metrics of a font handle; a handle that is no font measures as the system font.
    FontMetrics Metrics(HFONT font) const;

    HDC AddDC(CDeviceContext::Kind kind, HWND window);
    CDeviceContext* FindDC(HDC dc) const;
    bool RemoveDC(HDC dc);
    // True while some device context has the object selected.
    bool IsSelected(HGDIOBJ handle) const;

private:
    CGdiObjectTable();
    ULONG_PTR NextHandle();

    ULONG_PTR m_next = 0x1000;
    std::map<ULONG_PTR, Object> m_objects;
    std::map<int, HGDIOBJ> m_stock;
    std::map<int, HBRUSH> m_systemColorBrushes;
    std::map<ULONG_PTR, std::unique_ptr<CDeviceContext>> m_dcs;
};

// Windows' handles are opaque numbers; so are ours.
template <typename Handle> Handle HandleFromValue(ULONG_PTR value) {
    return reinterpret_cast<Handle>(value);
}
template <typename Handle> ULONG_PTR ValueFromHandle(Handle handle) {
    return reinterpret_cast<ULONG_PTR>(handle);
}
