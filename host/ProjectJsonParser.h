// The project file's text as a JSON tree, read with bounds: nesting, fields per object
// and text lengths are limited, a key may appear only once in an object, and a number
// beyond a double is refused. Every refusal names where in the project it happened
// ("configTag: member 'A': field 'value'"), as the project reader's own errors do.
#pragma once

#include <cstddef>
#include <string>

#include <nlohmann/json.hpp>

class CProjectJsonParser {
public:
    static constexpr size_t kMaxDepth = 16;
    static constexpr size_t kMaxFields = 256;
    static constexpr size_t kMaxTextBytes = 64 * 1024;

    // False with `error` ("<where>: <what>", or "not JSON: <why>" for broken syntax).
    static bool Parse(const std::string& text, nlohmann::ordered_json* json, std::string* error);
};
