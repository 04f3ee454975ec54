#include "platform/user/SystemMenu.h"

#include <array>
#include <map>

#include "platform/user/WinUser.h"

namespace {

// The standard window menu, in its order.
constexpr std::array<UINT, 6> kCommands{SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;
constexpr UINT kNoItem = static_cast<UINT>(-1);

struct Menu {
    HWND owner = nullptr;
    std::array<UINT, kCommands.size()> states{};
};

// Window handles are never reused, so a menu of a destroyed window only lingers
// until someone asks for it.
std::map<HMENU, Menu>& Menus() {
    static std::map<HMENU, Menu> menus;
    return menus;
}

std::map<HWND, HMENU>& MenuOfWindow() {
    static std::map<HWND, HMENU> menus;
    return menus;
}

// The item's state slot, or null.
UINT* Slot(HMENU handle, UINT item, UINT flags) {
    auto found = Menus().find(handle);
    if (found == Menus().end())
        return nullptr;
    if (!IsWindow(found->second.owner)) {
        MenuOfWindow().erase(found->second.owner);
        Menus().erase(found);
        return nullptr;
    }
    if (flags & MF_BYPOSITION)
        return item < kCommands.size() ? &found->second.states[item] : nullptr;
    for (size_t i = 0; i < kCommands.size(); ++i)
        if (kCommands[i] == item)
            return &found->second.states[i];
    return nullptr;
}

} // namespace

extern "C" HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
    if (!IsWindow(hwnd))
        return nullptr;
    auto existing = MenuOfWindow().find(hwnd);
    if (revert) {
        if (existing != MenuOfWindow().end()) {
            Menus().erase(existing->second);
            MenuOfWindow().erase(existing);
        }
        return nullptr;
    }
    if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_SYSMENU))
        return nullptr;
    if (existing != MenuOfWindow().end())
        return existing->second;
    static ULONG_PTR next = 0x5E0000;
    HMENU handle = reinterpret_cast<HMENU>(next += 4);
    Menus()[handle].owner = hwnd;
    MenuOfWindow()[hwnd] = handle;
    return handle;
}

extern "C" BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    UINT* state = Slot(menu, item, enable);
    if (!state)
        return static_cast<BOOL>(kNoItem);
    const UINT previous = *state;
    *state = enable & kStateBits;
    return static_cast<BOOL>(previous);
}

extern "C" UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    const UINT* state = Slot(menu, item, flags);
    return state ? *state : kNoItem;
}
