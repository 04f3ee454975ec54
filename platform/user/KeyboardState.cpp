#include "platform/user/KeyboardState.h"

#include "platform/user/WinUser.h"

namespace {
constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;
} // namespace

CKeyboardState& CKeyboardState::Instance() {
    static CKeyboardState state;
    return state;
}

void CKeyboardState::OnKeyMessage(UINT msg, WPARAM vk, wchar_t packet) {
    BYTE& key = m_keys[vk & 0xFF];
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        if (!(key & kDown))
            key ^= kToggled;
        key |= kDown;
        if ((vk & 0xFF) == static_cast<WPARAM>(VK_PACKET))
            m_packet = packet;
    } else if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        key &= static_cast<BYTE>(~kDown);
    }
}

SHORT CKeyboardState::GetKeyState(int vk) const {
    const BYTE key = m_keys[static_cast<unsigned>(vk) & 0xFF];
    return static_cast<SHORT>(((key & kDown) ? 0xFF80 : 0) | (key & kToggled));
}

bool CKeyboardState::IsDown(int vk) const {
    return (m_keys[static_cast<unsigned>(vk) & 0xFF] & kDown) != 0;
}

std::optional<wchar_t> CKeyboardState::CharacterOf(WPARAM vk) const {
    const bool ctrl = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    if (vk == static_cast<WPARAM>(VK_PACKET))
        return m_packet;
    // Ctrl+Alt is AltGr, and the US layout has no AltGr characters.
    if (ctrl && IsDown(VK_MENU))
        return std::nullopt;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return static_cast<wchar_t>(vk - 'A' + 1);
        return static_cast<wchar_t>(shift ? vk : vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9' && !ctrl)
        return static_cast<wchar_t>(vk);
    switch (vk) {
    case VK_SPACE:
        return L' ';
    case VK_BACK:
        return ctrl ? wchar_t(0x7F) : wchar_t(0x08);
    case VK_RETURN:
        return ctrl ? wchar_t(0x0A) : wchar_t(0x0D);
    case VK_ESCAPE:
        return wchar_t(0x1B);
    case VK_TAB:
        return ctrl ? std::optional<wchar_t>() : wchar_t(0x09);
    default:
        return std::nullopt;
    }
}

void CKeyboardState::Reset() {
    m_keys.fill(0);
    m_packet = 0;
}
