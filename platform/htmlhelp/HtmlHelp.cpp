#include "platform/htmlhelp/HtmlHelp.h"

#include <dlfcn.h>

#include "platform/base/FaultInjector.h"
#include "platform/base/TextCodec.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Files.h"
#include "platform/registry/Registry.h"

namespace {

// The file part of a help path: "x.chm::/topic.htm>main" names the file "x.chm".
std::wstring FilePart(const std::wstring& path) {
    size_t end = path.find(L"::");
    const size_t window = path.find(L'>');
    if (window < end)
        end = window;
    return end == std::wstring::npos ? path : path.substr(0, end);
}

bool IsExistingFile(const std::wstring& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

LONG SetText(HKEY key, LPCWSTR name, const std::wstring& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring StandInPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&HtmlHelpW), &info) || !info.dli_fname)
        return {};
    return CDosPath::ToDos(info.dli_fname);
}

// Windows always has the control registered; so does the stand-in, from its load on.
const LONG g_registered = CHtmlHelp::RegisterControl();

} // namespace

CHtmlHelp& CHtmlHelp::Instance() {
    static CHtmlHelp instance;
    return instance;
}

HWND CHtmlHelp::ViewerWindow() {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x48480001));
}

HWND CHtmlHelp::Handle(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
    Request request{caller, file ? file : L"", command, data, nullptr};
    LONG injected = 0;
    const bool failed = CFaultInjector::Instance().ShouldFail("HtmlHelpW", &injected);
    if (!failed && command == HH_HELP_CONTEXT && file && IsExistingFile(FilePart(file)))
        request.answer = ViewerWindow();
    m_requests.push_back(request);
    return request.answer;
}

LONG CHtmlHelp::RegisterControl() {
    wchar_t clsid[39];
    StringFromGUID2(CLSID_HHCtrl, clsid, 39);
    const std::wstring keyName = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = SetText(key, nullptr, StandInPath());
    if (status == ERROR_SUCCESS)
        status = SetText(key, L"ThreadingModel", L"Apartment");
    RegCloseKey(key);
    return status;
}

extern "C" HWND HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData) {
    return CHtmlHelp::Instance().Handle(hwndCaller, pszFile, uCommand, dwData);
}
