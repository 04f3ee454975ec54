#include "platform/commdlg/CommDlg.h"

#include <unistd.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/commdlg/FileDialogRecorder.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Files.h"
#include "platform/user/WinUser.h"

namespace {

// Set on output when the chosen extension is not the default one.
constexpr DWORD OFN_EXTENSIONDIFFERENT = 0x00000400;

DWORD g_extendedError = 0;

bool HasDrive(const std::wstring& path) {
    return path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0]);
}

// Where a file name part starts: after the last separator (or the drive's colon).
size_t NameStart(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\:");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring CurrentFolder() {
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer))
        return L"Z:\\";
    return CDosPath::ToDos(buffer);
}

// The folder a typed name is taken relative to: the preset file's folder, else the
// initial folder, else the current directory, in Windows' order.
std::wstring DialogFolder(const std::wstring& initialFile, LPCWSTR initialDir) {
    const size_t start = NameStart(initialFile);
    if (start > 0 && HasDrive(initialFile))
        return initialFile.substr(0, start);
    if (initialDir && *initialDir)
        return initialDir;
    return CurrentFolder();
}

std::wstring FullPath(std::wstring answer, const std::wstring& folder) {
    for (wchar_t& c : answer)
        if (c == L'/')
            c = L'\\';
    if (HasDrive(answer) || answer.starts_with(L"\\\\"))
        return answer;
    if (answer.starts_with(L"\\"))
        return HasDrive(folder) ? folder.substr(0, 2) + answer : answer;
    if (folder.empty() || folder.back() == L'\\')
        return folder + answer;
    return folder + L"\\" + answer;
}

// Only the first three characters of the default extension are appended, and only to
// a name the user gave no extension.
std::wstring WithDefaultExtension(const std::wstring& path, LPCWSTR defExt) {
    if (!defExt || !*defExt || path.find(L'.', NameStart(path)) != std::wstring::npos)
        return path;
    return path + L"." + std::wstring(defExt, wcsnlen(defExt, 3));
}

DWORD Attributes(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    const size_t start = NameStart(path);
    if (start == 0)
        return false;
    // "C:\x" lives in "C:\", whose separator belongs to it.
    const size_t end = (start == 3 && HasDrive(path)) || path[start - 1] == L':' ? start : start - 1;
    return IsFolder(path.substr(0, end));
}

// What the dialog would say no to, as Windows does for the flags given; the dialog then
// stays open and waits for the next answer.
bool Accepts(const std::wstring& path, const OPENFILENAMEW& ofn, bool open, const std::wstring& caption) {
    if (NameStart(path) >= path.size() || IsFolder(path))
        return false;
    const DWORD flags = ofn.Flags;
    if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !FolderExists(path))
        return false;
    const DWORD attributes = Attributes(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if ((flags & OFN_FILEMUSTEXIST) && !exists)
        return false;
    if ((flags & OFN_NOREADONLYRETURN) && exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    if (!open && (flags & OFN_OVERWRITEPROMPT) && exists) {
        const std::wstring question =
            path.substr(NameStart(path)) + L" already exists.\nDo you want to replace it?";
        return MessageBoxW(ofn.hwndOwner, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING) ==
               IDYES;
    }
    return true;
}

bool SameExtension(const std::wstring& extension, LPCWSTR defExt) {
    const std::wstring expected(defExt, wcsnlen(defExt, 3));
    if (extension.size() != expected.size())
        return false;
    for (size_t i = 0; i < extension.size(); ++i)
        if (std::towlower(extension[i]) != std::towlower(expected[i]))
            return false;
    return true;
}

// Writes the chosen path back as Windows does; false when lpstrFile cannot hold it.
bool Deliver(const std::wstring& path, OPENFILENAMEW& ofn) {
    const size_t needed = path.size() + 1;
    if (!ofn.lpstrFile || ofn.nMaxFile < needed) {
        if (ofn.lpstrFile && ofn.nMaxFile > 0)
            ofn.lpstrFile[0] = static_cast<wchar_t>(needed);
        return false;
    }
    std::wmemcpy(ofn.lpstrFile, path.c_str(), needed);
    const size_t nameStart = NameStart(path);
    const size_t dot = path.find_last_of(L'.');
    ofn.nFileOffset = static_cast<WORD>(nameStart);
    if (dot == std::wstring::npos || dot < nameStart)
        ofn.nFileExtension = static_cast<WORD>(path.size());
    else if (dot + 1 == path.size())
        ofn.nFileExtension = 0;
    else
        ofn.nFileExtension = static_cast<WORD>(dot + 1);
    if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
        const std::wstring name = path.substr(nameStart);
        const size_t count = std::min<size_t>(name.size(), ofn.nMaxFileTitle - 1);
        std::wmemcpy(ofn.lpstrFileTitle, name.c_str(), count);
        ofn.lpstrFileTitle[count] = L'\0';
    }
    if (ofn.lpstrDefExt && *ofn.lpstrDefExt) {
        const bool differs = ofn.nFileExtension == 0 || ofn.nFileExtension >= path.size() ||
                             !SameExtension(path.substr(ofn.nFileExtension), ofn.lpstrDefExt);
        ofn.Flags = differs ? ofn.Flags | OFN_EXTENSIONDIFFERENT : ofn.Flags & ~OFN_EXTENSIONDIFFERENT;
    }
    return true;
}

BOOL ShowFileDialog(LPOPENFILENAMEW ofn, bool open) {
    if (!ofn) {
        g_extendedError = CDERR_INITIALIZATION;
        return FALSE;
    }
    if (ofn->lStructSize != sizeof(OPENFILENAMEW) && ofn->lStructSize != OPENFILENAME_SIZE_VERSION_400W) {
        g_extendedError = CDERR_STRUCTSIZE;
        return FALSE;
    }
    LONG injected = 0;
    if (CFaultInjector::Instance().ShouldFail(open ? "GetOpenFileNameW" : "GetSaveFileNameW", &injected)) {
        g_extendedError = static_cast<DWORD>(injected);
        return FALSE;
    }

    CFileDialogRecorder::Record record{};
    record.owner = ofn->hwndOwner;
    record.open = open;
    record.caption = ofn->lpstrTitle ? ofn->lpstrTitle : open ? L"Open" : L"Save As";
    if (ofn->lpstrFile)
        record.initialFile.assign(ofn->lpstrFile, wcsnlen(ofn->lpstrFile, ofn->nMaxFile));
    record.initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : L"";
    record.flags = ofn->Flags;
    record.defaultExtension = ofn->lpstrDefExt ? ofn->lpstrDefExt : L"";
    record.outcome = CFileDialogRecorder::Outcome::Unanswered;

    CFileDialogRecorder& recorder = CFileDialogRecorder::Instance();
    const std::wstring folder = DialogFolder(record.initialFile, ofn->lpstrInitialDir);
    std::optional<std::wstring> answer;
    while (recorder.TakeAnswer(&answer)) {
        if (!answer) {
            record.outcome = CFileDialogRecorder::Outcome::Cancelled;
            break;
        }
        const std::wstring path = WithDefaultExtension(FullPath(*answer, folder), ofn->lpstrDefExt);
        if (Accepts(path, *ofn, open, record.caption)) {
            record.outcome = CFileDialogRecorder::Outcome::Chosen;
            record.path = path;
            break;
        }
        record.refused.push_back(*answer);
    }
    recorder.Add(record);

    g_extendedError = 0;
    if (record.outcome != CFileDialogRecorder::Outcome::Chosen)
        return FALSE;
    if (!Deliver(record.path, *ofn)) {
        g_extendedError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    return TRUE;
}

} // namespace

extern "C" BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) {
    return ShowFileDialog(ofn, true);
}

extern "C" BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn) {
    return ShowFileDialog(ofn, false);
}

extern "C" DWORD CommDlgExtendedError() {
    return g_extendedError;
}
