#include "platform/user/DialogTemplate.h"

#include <cstring>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"

namespace {

constexpr WORD kExtendedVersion = 1;
constexpr WORD kExtendedSignature = 0xFFFF;

// A cursor over the template's bytes. Every read checks what is left first; the
// bytes carry no alignment promise, so values are copied out.
class CReader {
public:
    CReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    size_t Offset() const { return m_offset; }

    bool Word(WORD* value) { return Copy(value, sizeof *value); }
    bool Dword(DWORD* value) { return Copy(value, sizeof *value); }
    bool Short(SHORT* value) { return Copy(value, sizeof *value); }
    bool Byte(BYTE* value) { return Copy(value, sizeof *value); }

    bool Bytes(size_t count, std::vector<BYTE>* out) {
        if (count > m_size - m_offset)
            return false;
        out->assign(m_data + m_offset, m_data + m_offset + count);
        m_offset += count;
        return true;
    }

    // Alignment is counted from the template's start, which the resource loader
    // hands out DWORD-aligned. Padding past the end is fine for the last item only,
    // so moving never fails; the next read does.
    void AlignTo(size_t boundary) {
        const size_t aligned = (m_offset + boundary - 1) / boundary * boundary;
        m_offset = aligned < m_size ? aligned : m_size;
    }

    // A zero-terminated UTF-16 string; its terminator must lie inside the bounds.
    bool String(std::wstring* out) {
        std::u16string units;
        for (;;) {
            WORD unit = 0;
            if (!Word(&unit))
                return false;
            if (unit == 0)
                break;
            units += static_cast<char16_t>(unit);
        }
        *out = CTextCodec::FromUtf16(units.data(), units.size());
        return true;
    }

    // A menu, class or title field: 0x0000 (none), 0xFFFF then an ordinal, or a string.
    bool NameOrOrdinal(CDialogTemplate::NameOrOrdinal* out) {
        const size_t start = m_offset;
        WORD first = 0;
        if (!Word(&first))
            return false;
        if (first == 0)
            return true;
        if (first == 0xFFFF)
            return Word(&out->ordinal);
        m_offset = start;
        return String(&out->name);
    }

private:
    bool Copy(void* value, size_t bytes) {
        if (bytes > m_size - m_offset)
            return false;
        std::memcpy(value, m_data + m_offset, bytes);
        m_offset += bytes;
        return true;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

bool ReadItem(CReader& reader, bool extended, CDialogTemplate::Item* item) {
    reader.AlignTo(4);
    if (extended) {
        if (!reader.Dword(&item->helpId) || !reader.Dword(&item->exStyle) || !reader.Dword(&item->style))
            return false;
    } else if (!reader.Dword(&item->style) || !reader.Dword(&item->exStyle)) {
        return false;
    }
    if (!reader.Short(&item->x) || !reader.Short(&item->y) || !reader.Short(&item->cx) ||
        !reader.Short(&item->cy))
        return false;
    if (extended) {
        if (!reader.Dword(&item->id))
            return false;
    } else {
        WORD id = 0;
        if (!reader.Word(&id))
            return false;
        item->id = id;
    }
    // The class has no "none" form for an item: a leading 0x0000 is an empty name,
    // which no control class answers to.
    CDialogTemplate::NameOrOrdinal itemClass;
    if (!reader.NameOrOrdinal(&itemClass) || (itemClass.ordinal == 0 && itemClass.name.empty()))
        return false;
    item->classOrdinal = itemClass.ordinal;
    item->className =
        itemClass.ordinal != 0 ? CDialogTemplate::ClassNameOfOrdinal(itemClass.ordinal) : itemClass.name;
    if (!reader.NameOrOrdinal(&item->title))
        return false;
    // Both forms end with a WORD byte count and that many bytes of creation data, as
    // resource compilers write them.
    WORD extra = 0;
    return reader.Word(&extra) && reader.Bytes(extra, &item->creationData);
}

} // namespace

HRESULT CDialogTemplate::Parse(const void* data, size_t size) {
    *this = CDialogTemplate{};
    if (!data)
        return E_POINTER;
    const HRESULT malformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    CDialogTemplate parsed;
    CReader reader(static_cast<const BYTE*>(data), size);

    WORD first = 0;
    WORD second = 0;
    if (!reader.Word(&first) || !reader.Word(&second))
        return malformed;
    parsed.extended = second == kExtendedSignature;
    WORD count = 0;
    if (parsed.extended) {
        if (first != kExtendedVersion)
            return malformed;
        if (!reader.Dword(&parsed.helpId) || !reader.Dword(&parsed.exStyle) || !reader.Dword(&parsed.style))
            return malformed;
    } else {
        parsed.style = static_cast<DWORD>(first) | static_cast<DWORD>(second) << 16;
        if (!reader.Dword(&parsed.exStyle))
            return malformed;
    }
    if (!reader.Word(&count) || !reader.Short(&parsed.x) || !reader.Short(&parsed.y) ||
        !reader.Short(&parsed.cx) || !reader.Short(&parsed.cy))
        return malformed;
    if (!reader.NameOrOrdinal(&parsed.menu) || !reader.NameOrOrdinal(&parsed.windowClass) ||
        !reader.NameOrOrdinal(&parsed.title))
        return malformed;

    if (parsed.style & DS_SETFONT) {
        parsed.hasFont = true;
        if (!reader.Word(&parsed.font.pointSize))
            return malformed;
        if (parsed.extended && (!reader.Word(&parsed.font.weight) || !reader.Byte(&parsed.font.italic) ||
                                !reader.Byte(&parsed.font.charset)))
            return malformed;
        if (!reader.String(&parsed.font.face))
            return malformed;
    }

    // The count comes from the image: items are read one by one, so a count that
    // promises more than the bytes hold fails on the first missing item.
    for (WORD i = 0; i < count; ++i) {
        Item item;
        if (!ReadItem(reader, parsed.extended, &item))
            return malformed;
        parsed.items.push_back(std::move(item));
    }
    *this = std::move(parsed);
    return S_OK;
}

const CDialogTemplate::Item* CDialogTemplate::FindItem(DWORD id) const {
    for (const Item& item : items)
        if (item.id == id)
            return &item;
    return nullptr;
}

std::wstring CDialogTemplate::ClassNameOfOrdinal(WORD ordinal) {
    switch (ordinal) {
    case kButtonClassOrdinal:
        return L"Button";
    case kEditClassOrdinal:
        return L"Edit";
    case kStaticClassOrdinal:
        return L"Static";
    case kListBoxClassOrdinal:
        return L"ListBox";
    case kScrollBarClassOrdinal:
        return L"ScrollBar";
    case kComboBoxClassOrdinal:
        return L"ComboBox";
    default:
        return {};
    }
}

HRESULT CDialogTemplate::ParseInitData(const void* data, size_t size, std::vector<InitEntry>* entries) {
    if (!entries)
        return E_POINTER;
    entries->clear();
    if (!data)
        return E_POINTER;
    const HRESULT malformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    CReader reader(static_cast<const BYTE*>(data), size);
    std::vector<InitEntry> parsed;
    // Records follow one another unaligned, as resource compilers write them.
    for (;;) {
        InitEntry entry;
        if (!reader.Word(&entry.itemId))
            return malformed;
        if (entry.itemId == 0)
            break;
        DWORD length = 0;
        if (!reader.Word(&entry.message) || !reader.Dword(&length) || !reader.Bytes(length, &entry.data))
            return malformed;
        parsed.push_back(std::move(entry));
    }
    *entries = std::move(parsed);
    return S_OK;
}
