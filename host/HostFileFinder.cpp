#include "host/HostFileFinder.h"

#include "platform/base/Win32Error.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/Locale.h"
#include "platform/oleaut/Bstr.h"
#include "platform/shell/ShellFolders.h"

namespace {

constexpr int kProgramFilesFolder = 38; // CSIDL_PROGRAM_FILES

} // namespace

CHostFileFinder::CHostFileFinder(std::shared_ptr<CHostContext> context) : m_context(std::move(context)) {}

HRESULT CHostFileFinder::ResolvePath(BSTR name, BSTR* path) {
    const std::wstring requested = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    return m_context->Faults().Run(L"ResolvePath", requested, [&]() -> HRESULT {
        if (!path)
            return E_POINTER;
        *path = nullptr;
        std::wstring relative = requested;
        relative.erase(0, relative.find_first_not_of(L'\\'));
        if (relative.empty())
            return E_INVALIDARG;
        std::wstring folder = m_context->HelpFolder();
        if (folder.empty() && !CShellFolders::Folder(kProgramFilesFolder, false, &folder))
            return E_FAIL;
        if (folder.back() != L'\\')
            folder += L'\\';
        // A name without extension takes the language suffix and ".chm", as the help
        // files are shipped one per language.
        std::wstring full = folder + relative;
        const size_t lastPart = full.find_last_of(L'\\');
        if (full.find(L'.', lastPart) == std::wstring::npos) {
            wchar_t language[4] = {};
            if (GetLocaleInfoW(m_context->Project().Controller().locale, LOCALE_SABBREVLANGNAME, language,
                               4) == 0)
                language[0] = 0;
            full += std::wstring(language) + L".chm";
        }
        if (GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES)
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        *path = SysAllocStringLen(full.c_str(), static_cast<UINT>(full.size()));
        return *path ? S_OK : E_OUTOFMEMORY;
    });
}
