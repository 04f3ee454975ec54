// The size in pixels a panel's dialog will have, computed from its template without
// creating it: the template's dialog units scaled by the base units of its font, the
// height measured against the property-sheet font the host's sheet uses.
#pragma once

#include "platform/base/WinTypes.h"

class CPanelDialogSize {
public:
    // Reads template `templateId` of `resources`; each failing resource step is
    // logged and answered with E_FAIL (the size is then left alone).
    static HRESULT Compute(HINSTANCE resources, UINT templateId, SIZE* size);

    struct BaseUnits {
        int x = 0;
        int y = 0;
        int charHeight = 0;
    };
    // The base units of a font on the screen; the system's dialog base units when
    // there is no face or the font cannot be had.
    static BaseUnits FontBaseUnits(WORD pointSize, const wchar_t* face);
};
