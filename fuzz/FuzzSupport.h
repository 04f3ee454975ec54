// What every converter fuzz target shares: the input as a wide text, a framework
// prompt server registered in-process, and a check that stops the run on a broken
// property with a message saying which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "profile/convert/CnvErrors.h"
#include "profile/server/PromptInfo.h"
#include "tests/profile/convert/TestPromptServer.h"

inline void Require(bool holds, const char* property, const std::wstring& text) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s; text '%ls'\n", property, text.c_str());
    std::abort();
}

// Each byte is one character: digits, signs, points, blanks, letters and controls
// are all a byte away. The converters take C strings, so a null ends the text.
inline std::wstring WideText(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size && data[i] != 0; ++i)
        text += static_cast<wchar_t>(data[i]);
    return text;
}

inline CTestPromptServer& FuzzPromptServer() {
    static CTestPromptServerRegistration registration;
    return registration.Server();
}

inline CPromptInfo UntouchedPrompt() {
    return CPromptInfo(L"untouched", L"old.chm", 99);
}

// A failure of the framework range comes with exactly one prompt when a record is
// given, as does a refused number of decimals; any other failure and a success leave
// the record as it was.
inline void CheckPrompt(HRESULT hr, const CPromptInfo& prompt, const std::wstring& text,
                        bool decimalsRefused = false) {
    CTestPromptServer& server = FuzzPromptServer();
    if (IsConverterError(hr) || decimalsRefused) {
        Require(server.m_requested.size() == 1, "one prompt for a converter error", text);
        Require(prompt != UntouchedPrompt() && !prompt.m_strText.IsEmpty(), "the prompt record is filled",
                text);
    } else {
        Require(server.m_requested.empty(), "no prompt without a converter error", text);
        Require(prompt == UntouchedPrompt(), "the prompt record is untouched", text);
    }
    server.m_requested.clear();
}
