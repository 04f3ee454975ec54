#include "profile/server/PVComponentsGlobals.h"

#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/kernel/Module.h"
#include "platform/shell/Shell.h"
#include "profile/server/PVLog.h"
#include "profile/server/ResourceDllManager.h"

bool InterfaceIsValid(const void* pointer) {
    if (pointer)
        return true;
    PVLog(L"Error: Interface pointer check failed!");
    return false;
}

HRESULT GetErrorInfoFromObject(IUnknown* object, REFIID iid, IErrorInfo** error) {
    if (!error)
        return E_POINTER;
    if (*error) {
        (*error)->Release();
        *error = nullptr;
    }
    if (!object)
        return E_POINTER;
    CComPtr<ISupportErrorInfo> support;
    HRESULT hr = object->QueryInterface(ISupportErrorInfo::Iid, reinterpret_cast<void**>(&support));
    if (FAILED(hr))
        return hr;
    hr = support->InterfaceSupportsErrorInfo(iid);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return E_NOINTERFACE;
    IErrorInfo* info = nullptr;
    hr = GetErrorInfo(0, &info);
    if (FAILED(hr))
        return hr;
    if (hr == S_FALSE)
        return E_FAIL;
    *error = info;
    return S_OK;
}

namespace {

std::vector<int> Positions(const wchar_t* text, wchar_t ch, size_t limit) {
    std::vector<int> positions;
    for (int i = 0; text && text[i] && positions.size() < limit; ++i)
        if (text[i] == ch)
            positions.push_back(i);
    return positions;
}

} // namespace

bool FindSingleSeparator(const wchar_t* text, wchar_t ch, int* pos) {
    const std::vector<int> found = Positions(text, ch, 2);
    if (found.size() == 2) {
        *pos = -1;
        return false;
    }
    *pos = found.empty() ? -1 : found[0];
    return true;
}

bool FindTwoSeparators(const wchar_t* text, wchar_t ch, int* first, int* second) {
    const std::vector<int> found = Positions(text, ch, 3);
    *first = -1;
    *second = -1;
    if (found.size() == 3)
        return false;
    if (found.size() >= 1)
        *first = found[0];
    if (found.size() >= 2)
        *second = found[1];
    return true;
}

CString GetHelpFilePath(const wchar_t* name, LCID lcid) {
    using GetFolderPathFn = HRESULT (*)(HWND, int, HANDLE, DWORD, LPWSTR);
    constexpr int kProgramFiles = 0x26;
    HMODULE shellFolders = LoadLibraryW(L"shfolder.dll");
    if (!shellFolders)
        return CString();
    auto getFolderPath = reinterpret_cast<GetFolderPathFn>(GetProcAddress(shellFolders, "SHGetFolderPathW"));
    wchar_t folder[MAX_PATH] = {};
    const bool haveFolder =
        getFolderPath && SUCCEEDED(getFolderPath(nullptr, kProgramFiles, nullptr, 0, folder));
    FreeLibrary(shellFolders);
    if (!haveFolder)
        return CString();
    const wchar_t* plainName = name ? name : L"";
    while (*plainName == L'\\')
        ++plainName;
    return CString(folder) + L"\\" + plainName + GetLanguageAbbreviation(lcid) + L".chm";
}
