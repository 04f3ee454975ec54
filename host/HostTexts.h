// The texts of the host's string and prompt servers, in English and German: the
// labels the profile reads by string id, the module's messages and the framework's
// conversion and range messages by prompt id. Any language other than German gets
// the English texts, as the host falls back to its own language.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

class CHostTexts {
public:
    enum class PromptTable { Module, Framework };

    struct Prompt {
        std::wstring text;
        std::wstring helpFile;
        LONG helpContext = 0;
    };

    // False for an id the server does not have.
    static bool String(LONG id, LCID locale, std::wstring* text);
    static bool FindPrompt(PromptTable table, LONG id, LCID locale, Prompt* prompt);
    static bool IsGerman(LCID locale) { return (locale & 0x3FF) == 0x07; }
};
