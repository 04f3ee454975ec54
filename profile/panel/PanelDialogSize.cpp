#include "profile/panel/PanelDialogSize.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "platform/user/DialogTemplate.h"
#include "profile/server/PVLog.h"

namespace {

// The common controls' property-sheet template.
constexpr WORD kPropertySheetTemplate = 1006;

bool ReadTemplate(HMODULE module, WORD id, CDialogTemplate& dialog) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && SUCCEEDED(dialog.Parse(bytes, SizeofResource(module, found)));
}

CPanelDialogSize::BaseUnits SystemBaseUnits() {
    const LONG units = GetDialogBaseUnits();
    const int y = static_cast<int>((units >> 16) & 0xFFFF);
    return {static_cast<int>(units & 0xFFFF), y, y};
}

} // namespace

CPanelDialogSize::BaseUnits CPanelDialogSize::FontBaseUnits(WORD pointSize, const wchar_t* face) {
    if (!face)
        return SystemBaseUnits();
    HDC screen = GetDC(nullptr);
    if (!screen)
        return SystemBaseUnits();
    HFONT font = CreateFontW(-MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0,
                             0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    if (!font) {
        ReleaseDC(nullptr, screen);
        return SystemBaseUnits();
    }
    HGDIOBJ previous = SelectObject(screen, font);
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(screen, kAlphabet, 52, &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    BaseUnits units;
    units.x = static_cast<int>((extent.cx + 26) / 52);
    units.y = static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading);
    units.charHeight = static_cast<int>(metrics.tmHeight);
    return units;
}

HRESULT CPanelDialogSize::Compute(HINSTANCE resources, UINT templateId, SIZE* size) {
    HRSRC found = FindResourceW(resources, MAKEINTRESOURCEW(static_cast<WORD>(templateId)), RT_DIALOG);
    if (!found) {
        PVLog(L"Unable to find panel dialog resource.");
        return E_FAIL;
    }
    HGLOBAL loaded = LoadResource(resources, found);
    if (!loaded) {
        PVLog(L"Unable to load panel dialog resource into global memory.");
        return E_FAIL;
    }
    const void* bytes = LockResource(loaded);
    if (!bytes) {
        PVLog(L"Unable to lock panel dialog resource in memory.");
        return E_FAIL;
    }
    CDialogTemplate dialog;
    if (FAILED(dialog.Parse(bytes, SizeofResource(resources, found))))
        return E_FAIL;

    // A face is at most 31 characters.
    const std::wstring face = dialog.font.face.substr(0, 31);
    const BaseUnits panel = FontBaseUnits(dialog.font.pointSize, dialog.hasFont ? face.c_str() : nullptr);

    HMODULE comctl = LoadLibraryExW(L"COMCTL32.DLL", nullptr,
                                    LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE);
    if (!comctl)
        comctl = LoadLibraryExW(L"COMCTL32.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CDialogTemplate sheet;
    if (comctl && ReadTemplate(comctl, kPropertySheetTemplate, sheet) && sheet.hasFont) {
        const std::wstring sheetFace = sheet.font.face.substr(0, 31);
        const BaseUnits sheetUnits = FontBaseUnits(sheet.font.pointSize, sheetFace.c_str());
        size->cx = MulDiv(dialog.cx, panel.x, 4);
        size->cy = MulDiv(MulDiv(dialog.cy, sheetUnits.y, 8), panel.charHeight, sheetUnits.charHeight);
    } else {
        size->cx = MulDiv(dialog.cx, panel.x, 4);
        size->cy = MulDiv(dialog.cy, panel.y, 8);
    }
    if (comctl)
        FreeLibrary(comctl);
    return S_OK;
}
