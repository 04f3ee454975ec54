#include "platform/kernel/Module.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cwctype>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Resource.h"

namespace fs = std::filesystem;

namespace {

using DllEntryPoint = BOOL (*)(HINSTANCE, DWORD, LPVOID);

// Windows components whose calls the stand-in itself answers: loading one of these
// names gives the stand-in library, so GetProcAddress finds its functions.
constexpr const wchar_t* kSystemModules[] = {L"SHFOLDER.DLL", L"HHCTRL.OCX",  L"KERNEL32.DLL",
                                             L"USER32.DLL",   L"OLE32.DLL",   L"OLEAUT32.DLL",
                                             L"COMCTL32.DLL", L"SHLWAPI.DLL", L"SHELL32.DLL"};

std::wstring UpperCase(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return text;
}

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    return UpperCase(a) == UpperCase(b);
}

std::string Normal(const fs::path& path) {
    std::error_code ec;
    return fs::absolute(path, ec).lexically_normal().string();
}

std::wstring FileNameOf(const std::string& path) {
    return CTextCodec::FromUtf8(fs::path(path).filename().string());
}

// Windows appends ".dll" to a name without an extension; a trailing dot asks it not to.
std::wstring WithDefaultExtension(std::wstring name) {
    const size_t separator = name.find_last_of(L"\\/:");
    const size_t start = separator == std::wstring::npos ? 0 : separator + 1;
    if (!name.empty() && name.back() == L'.') {
        name.pop_back();
    } else if (name.find(L'.', start) == std::wstring::npos) {
        name += L".dll";
    }
    return name;
}

bool IsBareName(const std::wstring& name) {
    return name.find_first_of(L"\\/:") == std::wstring::npos;
}

bool IsSystemModule(const std::wstring& fileName) {
    const std::wstring upper = UpperCase(fileName);
    for (const wchar_t* system : kSystemModules)
        if (upper == system)
            return true;
    return false;
}

// The file of that name in the folder, matched as Windows' file systems match names:
// exactly first, then without regard to case. Empty when there is none.
std::string FindInFolder(const fs::path& folder, const std::wstring& fileName) {
    std::error_code ec;
    const fs::path exact = folder / CTextCodec::ToUtf8(fileName);
    if (fs::is_regular_file(exact, ec))
        return Normal(exact);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualNoCase(CTextCodec::FromUtf8(it->path().filename().string()), fileName) &&
            fs::is_regular_file(it->path(), ec))
            return Normal(it->path());
    }
    return {};
}

std::string ExecutablePath() {
    std::error_code ec;
    return Normal(fs::read_symlink("/proc/self/exe", ec));
}

std::string StandInPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&LoadLibraryW), &info) || !info.dli_fname)
        return {};
    return Normal(info.dli_fname);
}

// The loader's table. Like Windows' loader lock it is recursive: DllMain may load and
// free other modules while a load or an unload is under way.
struct Loader {
    std::recursive_mutex lock;
    std::vector<std::unique_ptr<CModule>> modules;
    CModule* executable = nullptr;
    CModule* standIn = nullptr;

    Loader() {
        modules.push_back(std::make_unique<CModule>(ExecutablePath(), dlopen(nullptr, RTLD_NOW), true));
        executable = modules.back().get();
        const std::string standInPath = StandInPath();
        modules.push_back(std::make_unique<CModule>(
            standInPath, dlopen(standInPath.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD), true));
        standIn = modules.back().get();
    }

    CModule* Find(HMODULE handle) {
        for (auto& module : modules)
            if (module->Handle() == handle)
                return module.get();
        return nullptr;
    }

    CModule* FindByPath(const std::string& path) {
        for (auto& module : modules)
            if (module->Path() == path)
                return module.get();
        return nullptr;
    }

    CModule* FindByDlHandle(void* dlHandle) {
        for (auto& module : modules)
            if (module->DlHandle() == dlHandle)
                return module.get();
        return nullptr;
    }

    CModule* FindByFileName(const std::wstring& fileName) {
        for (auto& module : modules)
            if (EqualNoCase(FileNameOf(module->Path()), fileName))
                return module.get();
        return nullptr;
    }

    // A module already loaded under that name or path; GetModuleHandleW's lookup.
    CModule* FindLoaded(const std::wstring& name) {
        const std::wstring fileName = WithDefaultExtension(name);
        if (IsBareName(fileName)) {
            if (CModule* module = FindByFileName(fileName))
                return module;
            return IsSystemModule(fileName) ? standIn : nullptr;
        }
        const std::wstring path = UpperCase(CTextCodec::FromUtf8(Normal(CDosPath::ToUnix(fileName))));
        for (auto& module : modules)
            if (UpperCase(CTextCodec::FromUtf8(module->Path())) == path)
                return module.get();
        return nullptr;
    }

    void Remove(CModule* module) {
        std::erase_if(modules, [module](const std::unique_ptr<CModule>& m) { return m.get() == module; });
    }
};

// Never destroyed: modules' own destructors run at exit, after this file's statics.
Loader& TheLoader() {
    static Loader& loader = *new Loader;
    return loader;
}

// Where a bare file name is looked for, in Windows' spirit: the application's folder,
// the current folder, then the folders of PV_DLL_PATH.
std::string SearchFile(const std::wstring& fileName) {
    std::vector<fs::path> folders{fs::path(ExecutablePath()).parent_path()};
    std::error_code ec;
    folders.push_back(fs::current_path(ec));
    if (const char* list = std::getenv("PV_DLL_PATH"); list && *list) {
        std::string rest = list;
        for (size_t start = 0; start <= rest.size();) {
            size_t end = rest.find(':', start);
            if (end == std::string::npos)
                end = rest.size();
            if (end > start)
                folders.emplace_back(rest.substr(start, end - start));
            start = end + 1;
        }
    }
    for (const fs::path& folder : folders)
        if (std::string found = FindInFolder(folder, fileName); !found.empty())
            return found;
    return {};
}

HMODULE Fail(DWORD code) {
    SetLastError(code);
    return nullptr;
}

HMODULE OpenFile(Loader& loader, const std::string& path) {
    if (CModule* loaded = loader.FindByPath(path)) {
        loaded->AddRef();
        return loaded->Handle();
    }
    void* dlHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dlHandle)
        return Fail(ERROR_BAD_EXE_FORMAT);
    // The same object under another path (a link, or already loaded as a dependency
    // and then loaded on its own).
    if (CModule* loaded = loader.FindByDlHandle(dlHandle)) {
        dlclose(dlHandle);
        loaded->AddRef();
        return loaded->Handle();
    }
    loader.modules.push_back(std::make_unique<CModule>(path, dlHandle, false));
    CModule* module = loader.modules.back().get();
    // The module is in the table during its attach, as it is in Windows' module list.
    if (auto entry = reinterpret_cast<DllEntryPoint>(module->OwnSymbol("DllMain"))) {
        if (!entry(module->Handle(), DLL_PROCESS_ATTACH, nullptr)) {
            loader.Remove(module);
            dlclose(dlHandle);
            return Fail(ERROR_DLL_INIT_FAILED);
        }
    }
    return module->Handle();
}

} // namespace

CModule::CModule(std::string path, void* dlHandle, bool permanent)
    : m_path(std::move(path)), m_dlHandle(dlHandle), m_permanent(permanent) {
    const auto* data = static_cast<const BYTE*>(OwnSymbol(kResourceDataSymbol));
    const auto* size = static_cast<const unsigned int*>(OwnSymbol(kResourceSizeSymbol));
    if (data && size) {
        auto table = std::make_unique<CResourceTable>();
        if (SUCCEEDED(table->Parse(data, *size)))
            m_resources = std::move(table);
    }
}

CModule::~CModule() = default;

CModule* CModule::FromHandle(HMODULE module) {
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    return module ? loader.Find(module) : loader.executable;
}

void* CModule::OwnSymbol(const char* name) const {
    if (!m_dlHandle)
        return nullptr;
    void* symbol = dlsym(m_dlHandle, name);
    if (!symbol)
        return nullptr;
    link_map* own = nullptr;
    if (dlinfo(m_dlHandle, RTLD_DI_LINKMAP, &own) != 0)
        return nullptr;
    Dl_info info{};
    link_map* owner = nullptr;
    if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) || owner != own)
        return nullptr;
    return symbol;
}

extern "C" HMODULE LoadLibraryW(LPCWSTR fileName) {
    LONG injected = 0;
    if (CFaultInjector::Instance().ShouldFail("LoadLibraryW", &injected))
        return Fail(static_cast<DWORD>(injected));
    if (!fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!*fileName)
        return Fail(ERROR_MOD_NOT_FOUND);
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    const std::wstring name = WithDefaultExtension(fileName);
    std::string path;
    if (IsBareName(name)) {
        if (CModule* loaded = loader.FindByFileName(name)) {
            loaded->AddRef();
            return loaded->Handle();
        }
        if (IsSystemModule(name))
            return loader.standIn->Handle();
        path = SearchFile(name);
    } else if (std::string unixPath = CDosPath::ToUnix(name); !unixPath.empty()) {
        const fs::path full = Normal(unixPath);
        path = FindInFolder(full.parent_path(), CTextCodec::FromUtf8(full.filename().string()));
    }
    if (path.empty())
        return Fail(ERROR_MOD_NOT_FOUND);
    return OpenFile(loader, path);
}

extern "C" HMODULE LoadLibraryExW(LPCWSTR fileName, HANDLE reserved, DWORD flags) {
    constexpr DWORD kResourceOnly =
        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE;
    if (reserved || (flags & ~kResourceOnly) != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (flags == 0)
        return LoadLibraryW(fileName);
    // A resource-only load maps a module without running its code. The stand-in answers
    // it for modules whose code is already in (the system modules it stands for, and
    // modules loaded before); mapping a new module's resources alone is not offered.
    if (!fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    const std::wstring name = WithDefaultExtension(fileName);
    if (!IsBareName(name))
        return Fail(ERROR_NOT_SUPPORTED);
    if (CModule* loaded = loader.FindByFileName(name)) {
        loaded->AddRef();
        return loaded->Handle();
    }
    if (IsSystemModule(name))
        return loader.standIn->Handle();
    return Fail(ERROR_NOT_SUPPORTED);
}

extern "C" BOOL FreeLibrary(HMODULE handle) {
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    CModule* module = handle ? loader.Find(handle) : nullptr;
    // A count already at zero is a module whose detach is running.
    if (!module || module->RefCount() <= 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    if (module->Permanent() || module->Release() > 0)
        return TRUE;
    if (auto entry = reinterpret_cast<DllEntryPoint>(module->OwnSymbol("DllMain")))
        entry(module->Handle(), DLL_PROCESS_DETACH, nullptr);
    void* dlHandle = module->DlHandle();
    loader.Remove(module);
    dlclose(dlHandle);
    return TRUE;
}

extern "C" FARPROC GetProcAddress(HMODULE handle, LPCSTR procName) {
    CModule* module = CModule::FromHandle(handle);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // An ordinal: these modules export by name only.
    if (IS_INTRESOURCE(procName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* symbol = module->OwnSymbol(procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

extern "C" DWORD GetModuleFileNameW(HMODULE handle, LPWSTR fileName, DWORD size) {
    CModule* module = CModule::FromHandle(handle);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (size == 0 || !fileName) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::wstring dosPath = CDosPath::ToDos(module->Path());
    if (dosPath.size() < size) {
        dosPath.copy(fileName, dosPath.size());
        fileName[dosPath.size()] = L'\0';
        return static_cast<DWORD>(dosPath.size());
    }
    // Since Vista: truncated to size characters including the terminator.
    dosPath.copy(fileName, size - 1);
    fileName[size - 1] = L'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

extern "C" HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    if (!moduleName)
        return loader.executable->Handle();
    CModule* module = loader.FindLoaded(moduleName);
    return module ? module->Handle() : Fail(ERROR_MOD_NOT_FOUND);
}

extern "C" BOOL GetModuleHandleExW(DWORD flags, LPCWSTR moduleName, HMODULE* module) {
    if (!module || (flags & ~GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) != 0) {
        if (module)
            *module = nullptr;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Loader& loader = TheLoader();
    std::lock_guard<std::recursive_mutex> guard(loader.lock);
    *module = GetModuleHandleW(moduleName);
    if (!*module)
        return FALSE;
    if (!(flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT))
        loader.Find(*module)->AddRef();
    return TRUE;
}
