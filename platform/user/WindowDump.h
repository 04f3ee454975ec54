// A window tree as text or JSON: class, id, text, styles of interest, enabled and
// visible state, rectangle (screen), and each control's own state. Reading it sends no
// message, so dumping never changes what a spy records.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

#include "platform/base/WinTypes.h"

class CWindowDump {
public:
    // Null: every top-level window.
    static nlohmann::json Json(HWND root = nullptr);
    static std::string Text(HWND root = nullptr);
};
