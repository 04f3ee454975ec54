// The resource library manager: one per process, it keeps the resource library of
// the current language loaded and makes it the framework's current resource module.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/String.h"

class CResourceDllManager {
public:
    // The process-wide manager; the first call creates it and loads the English library.
    static CResourceDllManager* GetInstance();

    virtual ~CResourceDllManager();
    CResourceDllManager(const CResourceDllManager&) = delete;
    CResourceDllManager& operator=(const CResourceDllManager&) = delete;

    bool IsReady() const { return m_hModule != nullptr && m_hLibrary != nullptr; }
    LCID GetLocale() const { return m_lcid; }
    bool CanLoad(LCID lcid) const;
    bool Load(LCID lcid);

    HINSTANCE GetLibraryHandle() const { return m_hLibrary; }
    // "<folder>\<name><abbreviation>.dll" beside this module.
    CString GetLibraryPath(LCID lcid) const;

private:
    CResourceDllManager();
    void Free();

    LCID m_lcid = 0;
    HINSTANCE m_hModule = nullptr;
    HINSTANCE m_hLibrary = nullptr;
};

// The three-letter language abbreviation of a locale ("ENU", "DEU"); empty when the
// locale is unknown.
CString GetLanguageAbbreviation(LCID lcid);
