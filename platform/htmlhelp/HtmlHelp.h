// HTML Help: HtmlHelpW of the help control, for the one command callers here use
// (HH_HELP_CONTEXT), and the control's class registration through which callers find
// the library. There is no help viewer: each request is recorded for tests and the
// host, and answered as the viewer would answer it.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Guid.h"
#include "platform/base/WinTypes.h"

constexpr UINT HH_HELP_CONTEXT = 0x000F;

// The HTML Help control's class; its InprocServer32 key names the library.
constexpr CLSID CLSID_HHCtrl{0xADB880A6, 0xD8FF, 0x11CF, {0x93, 0x77, 0x00, 0xAA, 0x00, 0x3B, 0x7A, 0x11}};

extern "C" {
// HH_HELP_CONTEXT: the help window when the file (the part before "::" or ">", which
// name a topic or a window type) exists, else NULL. Every other command answers NULL.
// Fault point "HtmlHelpW" (answers NULL).
HWND HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData);
}

class CHtmlHelp {
public:
    struct Request {
        HWND caller;
        std::wstring file; // as given, "::" and ">" parts included; empty for NULL
        UINT command;
        DWORD_PTR data;
        HWND answer;
    };

    static CHtmlHelp& Instance();

    // The handle a successful request answers. The viewer is not a window of this
    // process's window table: the value is a fixed, non-null token that names no
    // window there, so window calls given it fail as they do for a closed window.
    static HWND ViewerWindow();

    const std::vector<Request>& Requests() const { return m_requests; }
    void ClearRequests() { m_requests.clear(); }

    // Writes HKEY_CLASSES_ROOT\CLSID\{ADB880A6-...}\InprocServer32 as Windows has it:
    // the default value is the library's path (here the stand-in's own file, which
    // exports HtmlHelpW), ThreadingModel "Apartment". Done when the stand-in is loaded;
    // call again after the registry was replaced (Clear, LoadFromFile). Answers the
    // first failing Reg* code, or ERROR_SUCCESS.
    static LONG RegisterControl();

    HWND Handle(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

private:
    std::vector<Request> m_requests;
};
