// The framework's user messages: prompts of the host's framework prompt server,
// with %1 to %3 inserts, and the member-name prefix that says which value is meant.
#pragma once

#include "profile/server/PromptInfo.h"

HRESULT GetFrameworkPrompt(LONG promptId, CPromptInfo* info);
HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, CPromptInfo* info);
HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, const wchar_t* arg2, CPromptInfo* info);
HRESULT GetFrameworkPrompt(LONG promptId, const wchar_t* arg1, const wchar_t* arg2, const wchar_t* arg3,
                           CPromptInfo* info);

// "<name>:  <old text>"; nothing happens when either argument is null.
void PrefixPromptText(CPromptInfo* info, const wchar_t* name);
