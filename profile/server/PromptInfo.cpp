#include "profile/server/PromptInfo.h"

CPromptInfo::CPromptInfo(const CString& text, const CString& helpFile, DWORD helpContext)
    : m_strText(text), m_strHelpFile(helpFile), m_dwHelpContext(helpContext) {}

bool CPromptInfo::operator==(const CPromptInfo& other) const {
    return m_strText == other.m_strText && m_strHelpFile == other.m_strHelpFile &&
           m_dwHelpContext == other.m_dwHelpContext;
}

void CPromptInfo::Clear() {
    m_strText.Empty();
    m_strHelpFile.Empty();
    m_dwHelpContext = 0;
}
