// The common file dialog: GetOpenFileNameW and GetSaveFileNameW with Windows' structure
// and flags. Nobody sits at this screen: the dialog is answered by the user's hand from
// answers prepared beforehand (CFileDialogRecorder), and ends as cancelled when none is
// left, so it never waits.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

using LPOFNHOOKPROC = UINT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEW {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCWSTR lpstrFilter;
    LPWSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPWSTR lpstrFile;
    DWORD nMaxFile;
    LPWSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCWSTR lpstrInitialDir;
    LPCWSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCWSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCWSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
using LPOPENFILENAMEW = OPENFILENAMEW*;

// The older structure ends after lpTemplateName; both sizes are accepted.
constexpr DWORD OPENFILENAME_SIZE_VERSION_400W =
    static_cast<DWORD>(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR));

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// CommDlgExtendedError codes.
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

extern "C" {
// TRUE with the chosen path in lpstrFile (nFileOffset, nFileExtension and lpstrFileTitle
// set); FALSE when the user cancelled (CommDlgExtendedError 0) or on an error. A path
// that does not fit nMaxFile gives FNERR_BUFFERTOOSMALL with the size it needs, in
// characters with the terminating null, in lpstrFile[0]. Fault points
// "GetOpenFileNameW" and "GetSaveFileNameW" (the injected value is the extended error).
BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn);
// As GetOpenFileNameW; OFN_OVERWRITEPROMPT asks through a message box (MB_YESNO) before
// an existing file is chosen.
BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn);
// The error of the calling thread's last file dialog; 0 after success or a cancel.
DWORD CommDlgExtendedError();
}
