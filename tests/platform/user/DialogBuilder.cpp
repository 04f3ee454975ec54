#include "DialogBuilder.h"

#include "platform/user/DialogTemplate.h"

namespace {

class Writer {
public:
    void Word(WORD value) {
        m_bytes.push_back(static_cast<BYTE>(value & 0xFF));
        m_bytes.push_back(static_cast<BYTE>(value >> 8));
    }
    void Dword(DWORD value) {
        Word(static_cast<WORD>(value & 0xFFFF));
        Word(static_cast<WORD>(value >> 16));
    }
    void Byte(BYTE value) { m_bytes.push_back(value); }
    void Text(const std::u16string& text) {
        for (char16_t unit : text)
            Word(unit);
        Word(0);
    }
    void Align4() {
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
    }
    std::vector<BYTE> Take() { return std::move(m_bytes); }

private:
    std::vector<BYTE> m_bytes;
};

void Coordinates(Writer& out, SHORT x, SHORT y, SHORT cx, SHORT cy) {
    for (SHORT value : {x, y, cx, cy})
        out.Word(static_cast<WORD>(value));
}

} // namespace

std::vector<BYTE> BuildTemplate(const DialogLayout& layout, bool extended) {
    Writer out;
    const WORD count = static_cast<WORD>(layout.items.size());
    if (extended) {
        out.Word(1);
        out.Word(0xFFFF);
        out.Dword(0); // help id
        out.Dword(layout.exStyle);
        out.Dword(layout.style);
    } else {
        out.Dword(layout.style);
        out.Dword(layout.exStyle);
    }
    out.Word(count);
    Coordinates(out, layout.x, layout.y, layout.cx, layout.cy);
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(layout.title);
    if (layout.style & DS_SETFONT) {
        out.Word(layout.points);
        if (extended) {
            out.Word(400);
            out.Byte(0);
            out.Byte(1);
        }
        out.Text(layout.face);
    }
    for (const ItemLayout& item : layout.items) {
        out.Align4();
        if (extended) {
            out.Dword(0); // help id
            out.Dword(0);
            out.Dword(item.style);
            Coordinates(out, item.x, item.y, item.cx, item.cy);
            out.Dword(item.id);
        } else {
            out.Dword(item.style);
            out.Dword(0);
            Coordinates(out, item.x, item.y, item.cx, item.cy);
            out.Word(static_cast<WORD>(item.id));
        }
        if (item.classOrdinal) {
            out.Word(0xFFFF);
            out.Word(item.classOrdinal);
        } else {
            out.Text(item.className);
        }
        out.Text(item.title);
        out.Word(0); // no creation data
    }
    return out.Take();
}
