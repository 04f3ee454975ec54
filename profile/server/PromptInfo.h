// A prompt record: the user's message with the help file and help context that
// explain it.
#pragma once

#include "platform/mfc/String.h"

class CPromptInfo {
public:
    CPromptInfo() = default;
    CPromptInfo(const CString& text, const CString& helpFile, DWORD helpContext);
    CPromptInfo(const CPromptInfo& other) = default;
    CPromptInfo& operator=(const CPromptInfo& other) = default;
    virtual ~CPromptInfo() = default;

    bool operator==(const CPromptInfo& other) const;
    bool operator!=(const CPromptInfo& other) const { return !(*this == other); }
    void Clear();

    CString m_strText;
    CString m_strHelpFile;
    DWORD m_dwHelpContext = 0;
};
