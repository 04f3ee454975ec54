// A dialog template read into a plain object: the classic DLGTEMPLATE form and the
// extended DLGTEMPLATEEX form, as resource compilers write them and as the window
// system builds dialogs from them. Every read is checked against the given size.
#pragma once

#include <string>
#include <vector>

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"

// Dialog styles that change the template's layout.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_FIXEDSYS = 0x08;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// The predefined control classes a template may name by ordinal.
constexpr WORD kButtonClassOrdinal = 0x0080;
constexpr WORD kEditClassOrdinal = 0x0081;
constexpr WORD kStaticClassOrdinal = 0x0082;
constexpr WORD kListBoxClassOrdinal = 0x0083;
constexpr WORD kScrollBarClassOrdinal = 0x0084;
constexpr WORD kComboBoxClassOrdinal = 0x0085;

class CDialogTemplate {
public:
    // A menu, class or title field: absent (both empty), an ordinal, or a name.
    struct NameOrOrdinal {
        WORD ordinal = 0; // 0 when the field is a name or absent
        std::wstring name;
    };

    struct Font {
        WORD pointSize = 0;
        WORD weight = 0;  // the extended form only; 0 in the classic form
        BYTE italic = 0;  // the extended form only
        BYTE charset = 0; // the extended form only
        std::wstring face;
    };

    struct Item {
        DWORD helpId = 0; // the extended form only
        DWORD exStyle = 0;
        DWORD style = 0;
        SHORT x = 0;
        SHORT y = 0;
        SHORT cx = 0;
        SHORT cy = 0;
        DWORD id = 0;           // a WORD in the classic form, widened here
        WORD classOrdinal = 0;  // 0 when the class is given by name
        std::wstring className; // always set: the ordinal's class name, or the name given
        NameOrOrdinal title;
        std::vector<BYTE> creationData;
    };

    // One entry of a dialog's initialisation data (resource type 240): a message with
    // its data (usually a narrow string for CB_ADDSTRING), sent to an item when the
    // dialog is created.
    struct InitEntry {
        WORD itemId = 0;
        WORD message = 0;
        std::vector<BYTE> data;
    };

    // Reads a whole template. On success the fields below describe it and S_OK is
    // returned; a template that is cut short or inconsistent (an item count beyond
    // the end, a string without its terminator, creation data longer than what is
    // left, an unknown signature or version) gives HRESULT_FROM_WIN32(ERROR_INVALID_DATA),
    // a null pointer E_POINTER, and leaves this object empty. No byte at or past
    // data + size is read.
    HRESULT Parse(const void* data, size_t size);

    // The item with that id, or null.
    const Item* FindItem(DWORD id) const;

    // "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"; empty for any
    // other ordinal.
    static std::wstring ClassNameOfOrdinal(WORD ordinal);

    // Reads initialisation data: records of (WORD item id, WORD message, DWORD byte
    // count, bytes) up to a zero item id. Malformed data gives
    // HRESULT_FROM_WIN32(ERROR_INVALID_DATA) and an empty list.
    static HRESULT ParseInitData(const void* data, size_t size, std::vector<InitEntry>* entries);

    bool extended = false; // DLGTEMPLATEEX
    DWORD helpId = 0;      // the extended form only
    DWORD exStyle = 0;
    DWORD style = 0;
    SHORT x = 0;
    SHORT y = 0;
    SHORT cx = 0;
    SHORT cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    bool hasFont = false; // DS_SETFONT was set
    Font font;
    std::vector<Item> items;
};
