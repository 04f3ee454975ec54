// The keyboard as the retrieved input says it is: GetKeyState answers from the key
// messages taken out of the queue so far, as Windows does.
#pragma once

#include <array>
#include <optional>

#include "platform/base/WinTypes.h"

class CKeyboardState {
public:
    static CKeyboardState& Instance();

    void OnKeyMessage(UINT msg, WPARAM vk, wchar_t packet);
    SHORT GetKeyState(int vk) const;
    bool IsDown(int vk) const;
    // The character a key press gives, as TranslateMessage produces it (US layout for
    // letters, digits and the editing keys; VK_PACKET carries its own character).
    std::optional<wchar_t> CharacterOf(WPARAM vk) const;
    void Reset();

private:
    std::array<BYTE, 256> m_keys{};
    wchar_t m_packet = 0;
};
