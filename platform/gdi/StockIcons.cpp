#include "platform/gdi/StockIcons.h"

#include "platform/base/Win32Error.h"

namespace {

constexpr WORD kFirstStockIcon = 32512;
constexpr WORD kLastStockIcon = 32518;
// Stock icon handles are this base plus the icon's number: apart from every GDI handle.
constexpr ULONG_PTR kStockIconBase = 0x7F0000;

} // namespace

extern "C" HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    if (!instance && IS_INTRESOURCE(name)) {
        const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
        if (id >= kFirstStockIcon && id <= kLastStockIcon)
            return reinterpret_cast<HICON>(kStockIconBase + id);
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

extern "C" BOOL DestroyIcon(HICON icon) {
    if (StockIconId(icon) != 0)
        return TRUE;
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return FALSE;
}

WORD StockIconId(HICON icon) {
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(icon);
    if (value < kStockIconBase + kFirstStockIcon || value > kStockIconBase + kLastStockIcon)
        return 0;
    return static_cast<WORD>(value - kStockIconBase);
}
