#include "platform/shell/ShellFolders.h"

#include <map>

#include "platform/base/HResult.h"
#include "platform/shell/Shell.h"

namespace {

struct DefaultFolder {
    int csidl;
    const wchar_t* path;
};

// A fixed user name keeps paths (and the logs that show them) the same on every machine.
constexpr DefaultFolder kDefaults[] = {
    {CSIDL_PERSONAL, L"C:\\Users\\User\\Documents"},
    {CSIDL_APPDATA, L"C:\\Users\\User\\AppData\\Roaming"},
    {CSIDL_COMMON_APPDATA, L"C:\\ProgramData"},
    {CSIDL_PROGRAM_FILES, L"C:\\Program Files"},
    {CSIDL_COMMON_DOCUMENTS, L"C:\\Users\\Public\\Documents"},
};

std::map<int, std::wstring>& Overrides() {
    static std::map<int, std::wstring> overrides;
    return overrides;
}

const wchar_t* DefaultPath(int csidl) {
    for (const DefaultFolder& folder : kDefaults)
        if (folder.csidl == csidl)
            return folder.path;
    return nullptr;
}

} // namespace

HRESULT CShellFolders::SetFolder(int csidl, std::wstring dosPath) {
    if (!DefaultPath(csidl))
        return E_INVALIDARG;
    while (dosPath.size() > 3 && dosPath.back() == L'\\')
        dosPath.pop_back();
    if (dosPath.empty())
        Overrides().erase(csidl);
    else
        Overrides()[csidl] = std::move(dosPath);
    return S_OK;
}

bool CShellFolders::Folder(int csidl, bool defaultLocation, std::wstring* dosPath) {
    const wchar_t* fallback = DefaultPath(csidl);
    if (!fallback)
        return false;
    auto it = Overrides().find(csidl);
    *dosPath = (!defaultLocation && it != Overrides().end()) ? it->second : std::wstring(fallback);
    return true;
}

void CShellFolders::Reset() {
    Overrides().clear();
}
