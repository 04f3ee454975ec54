#include "profile/server/ResourceDllManager.h"

#include <memory>

#include "platform/kernel/Locale.h"
#include "platform/kernel/Module.h"
#include "platform/mfc/ModuleState.h"
#include "profile/server/FilePath.h"

namespace {

constexpr LCID kEnglishUnitedStates = 1033;

// Lives until the module is unloaded; its destructor frees the library.
std::unique_ptr<CResourceDllManager>& Instance() {
    static std::unique_ptr<CResourceDllManager> instance;
    return instance;
}

} // namespace

CString GetLanguageAbbreviation(LCID lcid) {
    wchar_t abbreviation[4] = {};
    if (GetLocaleInfoW(lcid, LOCALE_SABBREVLANGNAME | LOCALE_NOUSEROVERRIDE, abbreviation, 4) == 0)
        return CString();
    return CString(abbreviation);
}

CResourceDllManager* CResourceDllManager::GetInstance() {
    auto& instance = Instance();
    if (!instance)
        instance.reset(new CResourceDllManager);
    return instance.get();
}

CResourceDllManager::CResourceDllManager() : m_hModule(AfxGetInstanceHandle()) {
    if (m_lcid != kEnglishUnitedStates)
        Load(kEnglishUnitedStates);
}

CResourceDllManager::~CResourceDllManager() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    Free();
}

CString CResourceDllManager::GetLibraryPath(LCID lcid) const {
    CFilePath own(m_hModule);
    return own.GetDirectory() + L"\\" + own.GetFileName() + GetLanguageAbbreviation(lcid) + L".dll";
}

bool CResourceDllManager::CanLoad(LCID lcid) const {
    return CFilePath::Exists(GetLibraryPath(lcid));
}

bool CResourceDllManager::Load(LCID lcid) {
    if (lcid == m_lcid)
        return true;
    const CString path = GetLibraryPath(lcid);
    if (!CFilePath::Exists(path))
        return false;
    HINSTANCE library = LoadLibraryW(path);
    if (!library)
        return false;
    Free();
    AfxSetResourceHandle(library);
    m_lcid = lcid;
    m_hLibrary = library;
    return true;
}

void CResourceDllManager::Free() {
    if (!m_hLibrary || m_hLibrary == m_hModule)
        return;
    AfxSetResourceHandle(m_hModule);
    FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
}
