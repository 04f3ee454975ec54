// Dialog templates for tests: one description written out in either form, classic
// (DLGTEMPLATE) or extended (DLGTEMPLATEEX), as resource compilers lay them out.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

struct ItemLayout {
    DWORD style = 0;
    SHORT x = 0;
    SHORT y = 0;
    SHORT cx = 0;
    SHORT cy = 0;
    DWORD id = 0;
    WORD classOrdinal = 0; // 0: the class is given by name
    std::u16string className;
    std::u16string title;
};

struct DialogLayout {
    DWORD style = 0;
    DWORD exStyle = 0;
    SHORT x = 0;
    SHORT y = 0;
    SHORT cx = 100;
    SHORT cy = 50;
    std::u16string title;
    WORD points = 8; // with DS_SETFONT in the style
    std::u16string face = u"MS Shell Dlg";
    std::vector<ItemLayout> items;
};

std::vector<BYTE> BuildTemplate(const DialogLayout& layout, bool extended);
