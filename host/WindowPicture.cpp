#include "host/WindowPicture.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextMetricsModel.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowDump.h"

namespace {

using Json = nlohmann::json;

struct CColour {
    double r, g, b;
};

CColour ColourOf(DWORD c) {
    return {(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0};
}

CColour SysColour(int index) {
    return ColourOf(GetSysColor(index));
}

struct CBox {
    double x, y, w, h;
};

// The dialog font of the metrics model: "MS Shell Dlg" at 8 points, 96 dots per inch.
const FontMetrics& DialogFont() {
    static const FontMetrics metrics = CTextMetricsModel::Measure(-11, 400, false, L"MS Shell Dlg");
    return metrics;
}

constexpr DWORD kButtonTypeMask = 0x000F;
constexpr DWORD kCheckBox = 0x0002;
constexpr DWORD kAutoCheckBox = 0x0003;
constexpr DWORD kRadioButton = 0x0004;
constexpr DWORD kGroupBox = 0x0007;
constexpr DWORD kAutoRadioButton = 0x0009;
constexpr double kTabHeight = 20;
constexpr double kTabPadding = 6;

class CPainter {
public:
    CPainter(cairo_t* cr, double originX, double originY) : m_cr(cr), m_originX(originX), m_originY(originY) {
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, static_cast<double>(DialogFont().height - DialogFont().internalLeading));
    }

    void Window(const Json& node) {
        if (!node.value("visible", false))
            return;
        const CBox box = BoxOf(node);
        cairo_save(m_cr);
        cairo_rectangle(m_cr, box.x, box.y, box.w, box.h);
        cairo_clip(m_cr);
        const std::string cls = node.value("class", "");
        const DWORD style = static_cast<DWORD>(std::strtoul(node.value("style", "0").c_str(), nullptr, 16));
        const bool enabled = node.value("enabled", true);
        const Json state = node.contains("state") ? node["state"] : Json::object();
        if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON)
            Icon(box, state.value("icon", 0ULL));
        else if (cls == "Static")
            Label(box, Text(node), enabled);
        else if (cls == "Edit")
            Edit(box, state.value("text", node.value("text", "")), enabled, state.value("readOnly", false));
        else if (cls == "Button")
            Button(box, node, style, enabled, state);
        else if (cls == "SysTabControl32" && state.contains("ownerDrawn"))
            OwnerDrawnTabs(box, style, state);
        else if (cls == "SysTabControl32")
            Tabs(box, state, enabled);
        else if (cls != "ComboBox" && cls != "tooltips_class32")
            Fill(box, SysColour(COLOR_BTNFACE));
        const bool dropped = cls == "ComboBox" && state.value("dropped", false);
        if (cls == "ComboBox")
            Combo(box, state, enabled, false);
        for (const Json& child : node["children"])
            Window(child);
        cairo_restore(m_cr);
        // An open list hangs over its neighbours, so it is drawn after them.
        if (dropped)
            m_openLists.push_back({box, state, enabled});
    }

    void OpenLists() {
        for (const CList& list : m_openLists)
            Combo(list.box, list.state, list.enabled, true);
    }

    // The title bar of a window whose window rectangle starts at (x, y).
    void Caption(double x, double y, double width, const std::string& text) {
        const double height = GetSystemMetrics(SM_CYCAPTION);
        cairo_pattern_t* gradient = cairo_pattern_create_linear(x, 0, x + width, 0);
        const CColour a = SysColour(COLOR_ACTIVECAPTION);
        cairo_pattern_add_color_stop_rgb(gradient, 0, a.r, a.g, a.b);
        cairo_pattern_add_color_stop_rgb(gradient, 1, 166 / 255.0, 202 / 255.0, 240 / 255.0);
        cairo_rectangle(m_cr, x, y - height, width, height);
        cairo_set_source(m_cr, gradient);
        cairo_fill(m_cr);
        cairo_pattern_destroy(gradient);
        DrawText(text, x + 6, y - height, width - 12, height, {1, 1, 1}, false);
    }

    // A window that stands above the one drawn (a message box over the dialog that
    // opened it): its title bar, a dark outline and its tree.
    void Popup(const Json& node) {
        const CBox box = BoxOf(node);
        Caption(box.x, box.y, box.w, Text(node));
        Window(node);
        cairo_set_source_rgb(m_cr, 0, 0, 0);
        cairo_set_line_width(m_cr, 1);
        const double height = GetSystemMetrics(SM_CYCAPTION);
        cairo_rectangle(m_cr, box.x + 0.5, box.y - height + 0.5, box.w - 1, box.h + height - 1);
        cairo_stroke(m_cr);
    }

private:
    struct CList {
        CBox box;
        Json state;
        bool enabled;
    };

    static std::string Text(const Json& node) { return node.value("text", ""); }

    CBox BoxOf(const Json& node) const {
        const Json& r = node["rect"];
        const double left = r[0].get<double>() - m_originX;
        const double top = r[1].get<double>() - m_originY;
        return {left, top, r[2].get<double>() - r[0].get<double>(), r[3].get<double>() - r[1].get<double>()};
    }

    void Fill(const CBox& box, CColour colour) {
        cairo_set_source_rgb(m_cr, colour.r, colour.g, colour.b);
        cairo_rectangle(m_cr, box.x, box.y, box.w, box.h);
        cairo_fill(m_cr);
    }

    void Line(double x0, double y0, double x1, double y1, CColour colour) {
        cairo_set_source_rgb(m_cr, colour.r, colour.g, colour.b);
        cairo_set_line_width(m_cr, 1);
        cairo_move_to(m_cr, x0 + 0.5, y0 + 0.5);
        cairo_line_to(m_cr, x1 + 0.5, y1 + 0.5);
        cairo_stroke(m_cr);
    }

    // Two one-pixel rings: light above and left, dark below and right (raised), or the
    // other way round (sunken).
    void Frame(const CBox& box, bool raised) {
        const CColour light = SysColour(COLOR_BTNHIGHLIGHT);
        const CColour face = SysColour(COLOR_BTNFACE);
        const CColour shadow = SysColour(COLOR_BTNSHADOW);
        const CColour dark = SysColour(COLOR_3DDKSHADOW);
        const double l = box.x, t = box.y, r = box.x + box.w - 1, b = box.y + box.h - 1;
        const CColour outerTop = raised ? light : shadow, outerBottom = raised ? dark : light;
        const CColour innerTop = raised ? face : dark, innerBottom = raised ? shadow : face;
        Line(l, t, r - 1, t, outerTop);
        Line(l, t, l, b - 1, outerTop);
        Line(l, b, r, b, outerBottom);
        Line(r, t, r, b, outerBottom);
        Line(l + 1, t + 1, r - 2, t + 1, innerTop);
        Line(l + 1, t + 1, l + 1, b - 2, innerTop);
        Line(l + 1, b - 1, r - 1, b - 1, innerBottom);
        Line(r - 1, t + 1, r - 1, b - 1, innerBottom);
    }

    // One line of text at the model's size: DejaVu Sans is stretched or squeezed to the
    // width the metrics model measures for the run.
    void DrawText(const std::string& utf8, double x, double y, double w, double h, CColour colour,
                  bool centre) {
        if (utf8.empty())
            return;
        const std::wstring wide = CTextCodec::FromUtf8(utf8);
        std::wstring shown;
        for (wchar_t c : wide)
            if (c != L'&')
                shown += c; // mnemonic markers are not drawn
        const FontMetrics& font = DialogFont();
        const double modelWidth = CTextMetricsModel::Extent(font, shown.c_str(), shown.size());
        const std::string text = CTextCodec::ToUtf8(shown);
        cairo_text_extents_t extents;
        cairo_text_extents(m_cr, text.c_str(), &extents);
        const double scale = extents.x_advance > 0 ? modelWidth / extents.x_advance : 1.0;
        const double left = centre ? x + std::max(0.0, (w - modelWidth) / 2) : x;
        const double top = y + std::max(0.0, (h - font.height) / 2);
        cairo_save(m_cr);
        cairo_rectangle(m_cr, x, y, w, h);
        cairo_clip(m_cr);
        cairo_translate(m_cr, left, top + font.ascent);
        cairo_scale(m_cr, scale, 1.0);
        cairo_set_source_rgb(m_cr, colour.r, colour.g, colour.b);
        cairo_move_to(m_cr, 0, 0);
        cairo_show_text(m_cr, text.c_str());
        cairo_restore(m_cr);
    }

    CColour TextColour(bool enabled) const {
        return enabled ? SysColour(COLOR_WINDOWTEXT) : SysColour(COLOR_GRAYTEXT);
    }

    // A label lower than two lines is one line; a higher one is wrapped at its width.
    void Label(const CBox& box, const std::string& text, bool enabled) {
        Fill(box, SysColour(COLOR_BTNFACE));
        const FontMetrics& font = DialogFont();
        if (box.h < 2 * font.height) {
            DrawText(text, box.x, box.y, box.w, std::min<double>(box.h, font.height), TextColour(enabled),
                     false);
            return;
        }
        const std::vector<TextLine> lines =
            CTextLayout::Lines(font, CTextCodec::FromUtf8(text), DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX,
                               static_cast<LONG>(box.w));
        double y = box.y;
        for (const TextLine& line : lines) {
            DrawText(CTextCodec::ToUtf8(line.text), box.x, y, box.w, font.height, TextColour(enabled), false);
            y += font.height;
        }
    }

    // The stock icons as the classic shapes: a red disc with a cross (hand), a blue disc
    // with "?" or "i", a yellow triangle with "!"; any other icon a white square.
    void Icon(const CBox& box, ULONG_PTR handle) {
        Fill(box, SysColour(COLOR_BTNFACE));
        const WORD id = StockIconId(reinterpret_cast<HICON>(handle));
        const double cx = box.x + box.w / 2, cy = box.y + box.h / 2, r = std::min(box.w, box.h) / 2 - 1;
        const char* mark = id == 32514 ? "?" : id == 32516 ? "i" : id == 32515 ? "!" : "";
        if (id == 32515) {
            cairo_move_to(m_cr, cx, cy - r);
            cairo_line_to(m_cr, cx + r, cy + r);
            cairo_line_to(m_cr, cx - r, cy + r);
            cairo_close_path(m_cr);
            cairo_set_source_rgb(m_cr, 1, 0.8, 0);
        } else if (id == 32513 || id == 32514 || id == 32516) {
            cairo_arc(m_cr, cx, cy, r, 0, 2 * 3.14159265358979);
            if (id == 32513)
                cairo_set_source_rgb(m_cr, 0.85, 0.1, 0.1);
            else
                cairo_set_source_rgb(m_cr, 0.1, 0.3, 0.8);
        } else {
            cairo_rectangle(m_cr, box.x + 2, box.y + 2, box.w - 4, box.h - 4);
            cairo_set_source_rgb(m_cr, 1, 1, 1);
        }
        cairo_fill(m_cr);
        if (id == 32513) {
            cairo_set_source_rgb(m_cr, 1, 1, 1);
            cairo_set_line_width(m_cr, 3);
            cairo_move_to(m_cr, cx - r / 2, cy - r / 2);
            cairo_line_to(m_cr, cx + r / 2, cy + r / 2);
            cairo_move_to(m_cr, cx + r / 2, cy - r / 2);
            cairo_line_to(m_cr, cx - r / 2, cy + r / 2);
            cairo_stroke(m_cr);
        } else if (*mark) {
            const CColour colour = id == 32515 ? CColour{0, 0, 0} : CColour{1, 1, 1};
            DrawText(mark, box.x, box.y + (id == 32515 ? r / 3 : 0), box.w, box.h, colour, true);
        }
    }

    void Edit(const CBox& box, const std::string& text, bool enabled, bool readOnly) {
        Fill(box, enabled && !readOnly ? SysColour(COLOR_WINDOW) : SysColour(COLOR_BTNFACE));
        Frame(box, false);
        DrawText(text, box.x + 4, box.y + 2, box.w - 8, box.h - 4, TextColour(enabled), false);
    }

    void Arrow(double cx, double cy, CColour colour) {
        cairo_set_source_rgb(m_cr, colour.r, colour.g, colour.b);
        cairo_move_to(m_cr, cx - 3.5, cy - 1.5);
        cairo_line_to(m_cr, cx + 3.5, cy - 1.5);
        cairo_line_to(m_cr, cx, cy + 2);
        cairo_close_path(m_cr);
        cairo_fill(m_cr);
    }

    // The closed box (at most one line high whatever the window's height, which
    // includes its list), or, with `list`, the open list below it.
    void Combo(const CBox& box, const Json& state, bool enabled, bool list) {
        const FontMetrics& font = DialogFont();
        const double height = std::min<double>(box.h, font.height + 8);
        const Json items = state.value("items", Json::array());
        const int selection = state.value("selection", -1);
        if (!list) {
            const CBox closed{box.x, box.y, box.w, height};
            Fill(closed, enabled ? SysColour(COLOR_WINDOW) : SysColour(COLOR_BTNFACE));
            Frame(closed, false);
            const double arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
            const CBox button{box.x + box.w - 2 - arrowWidth, box.y + 2, arrowWidth, height - 4};
            Fill(button, SysColour(COLOR_BTNFACE));
            Frame(button, true);
            Arrow(button.x + button.w / 2, button.y + button.h / 2, TextColour(enabled));
            if (selection >= 0 && selection < static_cast<int>(items.size()))
                DrawText(items[static_cast<size_t>(selection)].get<std::string>(), box.x + 4, box.y + 2,
                         box.w - arrowWidth - 8, height - 4, TextColour(enabled), false);
            return;
        }
        const double itemHeight = font.height + 2;
        const CBox open{box.x, box.y + height, box.w, itemHeight * static_cast<double>(items.size()) + 2};
        Fill(open, SysColour(COLOR_WINDOW));
        cairo_set_source_rgb(m_cr, 0, 0, 0);
        cairo_rectangle(m_cr, open.x + 0.5, open.y + 0.5, open.w - 1, open.h - 1);
        cairo_set_line_width(m_cr, 1);
        cairo_stroke(m_cr);
        for (size_t i = 0; i < items.size(); ++i) {
            const CBox row{open.x + 1, open.y + 1 + itemHeight * static_cast<double>(i), open.w - 2,
                           itemHeight};
            const bool selected = static_cast<int>(i) == selection;
            if (selected)
                Fill(row, SysColour(COLOR_HIGHLIGHT));
            DrawText(items[i].get<std::string>(), row.x + 2, row.y, row.w - 4, row.h,
                     selected ? SysColour(COLOR_HIGHLIGHTTEXT) : SysColour(COLOR_WINDOWTEXT), false);
        }
    }

    void Button(const CBox& box, const Json& node, DWORD style, bool enabled, const Json& state) {
        const DWORD type = style & kButtonTypeMask;
        const FontMetrics& font = DialogFont();
        if (type == kGroupBox) {
            const double mid = box.y + font.height / 2.0;
            const CBox frame{box.x, mid, box.w, box.h - (mid - box.y)};
            // An etched ring: a shadow line with a light line beside it.
            cairo_set_line_width(m_cr, 1);
            const CColour shadow = SysColour(COLOR_BTNSHADOW);
            const CColour light = SysColour(COLOR_BTNHIGHLIGHT);
            cairo_set_source_rgb(m_cr, shadow.r, shadow.g, shadow.b);
            cairo_rectangle(m_cr, frame.x + 0.5, frame.y + 0.5, frame.w - 2, frame.h - 2);
            cairo_stroke(m_cr);
            cairo_set_source_rgb(m_cr, light.r, light.g, light.b);
            cairo_rectangle(m_cr, frame.x + 1.5, frame.y + 1.5, frame.w - 2, frame.h - 2);
            cairo_stroke(m_cr);
            const std::string text = Text(node);
            if (!text.empty()) {
                const std::wstring wide = CTextCodec::FromUtf8(text);
                const double width = CTextMetricsModel::Extent(font, wide.c_str(), wide.size());
                Fill({box.x + 6, box.y, width + 4, static_cast<double>(font.height)},
                     SysColour(COLOR_BTNFACE));
                DrawText(text, box.x + 8, box.y, width + 1, font.height, TextColour(enabled), false);
            }
            return;
        }
        if (type == kCheckBox || type == kAutoCheckBox || type == kRadioButton || type == kAutoRadioButton) {
            Fill(box, SysColour(COLOR_BTNFACE));
            const double size = 13;
            const CBox mark{box.x, box.y + (box.h - size) / 2, size, size};
            Fill(mark, enabled ? SysColour(COLOR_WINDOW) : SysColour(COLOR_BTNFACE));
            Frame(mark, false);
            DrawText(Text(node), box.x + size + 4, box.y, box.w - size - 4, box.h, TextColour(enabled),
                     false);
            return;
        }
        Fill(box, SysColour(COLOR_BTNFACE));
        const bool pushed = state.value("pushed", false);
        CBox face = box;
        if (state.value("defaultButton", false)) {
            cairo_set_source_rgb(m_cr, 0, 0, 0);
            cairo_set_line_width(m_cr, 1);
            cairo_rectangle(m_cr, box.x + 0.5, box.y + 0.5, box.w - 1, box.h - 1);
            cairo_stroke(m_cr);
            face = {box.x + 1, box.y + 1, box.w - 2, box.h - 2};
        }
        Frame(face, !pushed);
        const double shift = pushed ? 1 : 0;
        if (!enabled) // the classic embossed grey: a light copy one pixel down and right
            DrawText(Text(node), face.x + 1, face.y + 1, face.w, face.h, SysColour(COLOR_BTNHIGHLIGHT), true);
        DrawText(Text(node), face.x + shift, face.y + shift, face.w, face.h, TextColour(enabled), true);
    }

    void Tabs(const CBox& box, const Json& state, bool enabled) {
        Fill(box, SysColour(COLOR_BTNFACE));
        const Json items = state.value("items", Json::array());
        const int selection = state.value("selection", -1);
        const CBox body{box.x, box.y + kTabHeight, box.w, box.h - kTabHeight};
        Frame(body, true);
        const FontMetrics& font = DialogFont();
        double x = box.x + 2;
        for (size_t i = 0; i < items.size(); ++i) {
            const std::string text = items[i].get<std::string>();
            const std::wstring wide = CTextCodec::FromUtf8(text);
            const double width = CTextMetricsModel::Extent(font, wide.c_str(), wide.size()) + 2 * kTabPadding;
            const bool selected = static_cast<int>(i) == selection;
            // The selected tab stands two pixels higher and wider and joins the body.
            const CBox tab = selected ? CBox{x - 2, box.y, width + 4, kTabHeight + 2}
                                      : CBox{x, box.y + 2, width, kTabHeight - 2};
            Fill(tab, SysColour(COLOR_BTNFACE));
            const CColour light = SysColour(COLOR_BTNHIGHLIGHT);
            const CColour shadow = SysColour(COLOR_BTNSHADOW);
            const CColour dark = SysColour(COLOR_3DDKSHADOW);
            Line(tab.x, tab.y + 2, tab.x, tab.y + tab.h - 1, light);
            Line(tab.x + 2, tab.y, tab.x + tab.w - 3, tab.y, light);
            Line(tab.x + 1, tab.y + 1, tab.x + 1, tab.y + 1, light);
            Line(tab.x + tab.w - 2, tab.y + 1, tab.x + tab.w - 2, tab.y + tab.h - 1, shadow);
            Line(tab.x + tab.w - 1, tab.y + 2, tab.x + tab.w - 1, tab.y + tab.h - 1, dark);
            DrawText(text, tab.x, tab.y + 1, tab.w, tab.h - 2, TextColour(enabled), true);
            x += width;
        }
    }

    // A strip whose parent draws the items: the control's frames (buttons with
    // TCS_BUTTONS, pushed when selected), with the owner's fills under them and its text
    // over them.
    void OwnerDrawnTabs(const CBox& box, DWORD style, const Json& state) {
        Fill(box, SysColour(COLOR_BTNFACE));
        const Json rects = state.value("itemRects", Json::array());
        const Json drawn = state["ownerDrawn"];
        auto boxOf = [&](const Json& r) {
            return CBox{box.x + r[0].get<double>(), box.y + r[1].get<double>(),
                        r[2].get<double>() - r[0].get<double>(), r[3].get<double>() - r[1].get<double>()};
        };
        const bool buttons = (style & TCS_BUTTONS) != 0;
        if (!buttons && !rects.empty()) {
            const double strip = rects[0][3].get<double>() + 2;
            Frame(CBox{box.x, box.y + strip, box.w, box.h - strip}, true);
        }
        for (const Json& record : drawn)
            if (record.value("op", "") == "fill")
                Fill(boxOf(record["rect"]), ColourOf(record.value("color", 0U)));
        const int selection = state.value("selection", -1);
        for (size_t i = 0; i < rects.size(); ++i)
            Frame(boxOf(rects[i]), !buttons || static_cast<int>(i) != selection);
        const FontMetrics& font = DialogFont();
        for (const Json& record : drawn) {
            if (record.value("op", "") != "text" || !record.contains("lines"))
                continue;
            const CBox clip = boxOf(record["rect"]);
            for (const Json& line : record["lines"])
                DrawText(line.value("text", ""), box.x + line.value("x", 0), box.y + line.value("y", 0),
                         clip.x + clip.w - (box.x + line.value("x", 0)), font.height,
                         ColourOf(record.value("color", 0U)), false);
        }
    }

    cairo_t* m_cr;
    double m_originX;
    double m_originY;
    std::vector<CList> m_openLists;
};

// cairo keeps its fonts (and fontconfig's patterns) for the life of the process; they
// are given back at exit so that a leak checker sees only real leaks.
void ReleaseFontCachesAtExit() {
    static const bool registered = [] {
        std::atexit([] {
            cairo_debug_reset_static_data();
            FcFini();
        });
        return true;
    }();
    (void)registered;
}

} // namespace

bool CWindowPicture::WritePng(HWND root, const std::string& path, std::string* error) {
    if (!IsWindow(root)) {
        *error = "there is no window to draw";
        return false;
    }
    ReleaseFontCachesAtExit();
    const Json tree = CWindowDump::Json(root);
    const Json& r = tree["rect"];
    const int width = std::max(1, r[2].get<int>() - r[0].get<int>());
    const int height = std::max(1, r[3].get<int>() - r[1].get<int>());
    const DWORD style = static_cast<DWORD>(std::strtoul(tree.value("style", "0").c_str(), nullptr, 16));
    const bool caption = !(style & WS_CHILD) && (style & WS_CAPTION) == WS_CAPTION;
    const int captionHeight = caption ? GetSystemMetrics(SM_CYCAPTION) : 0;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height + captionHeight),
        &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), &cairo_destroy);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        *error =
            std::string("the picture cannot be drawn: ") + cairo_status_to_string(cairo_status(cr.get()));
        return false;
    }
    CPainter painter(cr.get(), r[0].get<double>(), r[1].get<double>() - captionHeight);
    if (caption)
        painter.Caption(0, captionHeight, width, tree.value("text", ""));
    // A hidden root is still drawn: it is what was asked for.
    Json shown = tree;
    shown["visible"] = true;
    painter.Window(shown);
    painter.OpenLists();
    for (HWND popup = GetWindow(root, GW_HWNDFIRST); popup; popup = GetWindow(popup, GW_HWNDNEXT)) {
        if (popup != root && GetWindow(popup, GW_OWNER) == root && IsWindowVisible(popup))
            painter.Popup(CWindowDump::Json(popup));
    }
    cairo_surface_flush(surface.get());
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        *error = path + ": the picture cannot be written (" + cairo_status_to_string(status) + ")";
        return false;
    }
    return true;
}
