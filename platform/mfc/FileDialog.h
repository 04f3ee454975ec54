// CFileDialog: the framework's wrapper of the common file dialog. m_ofn is filled by the
// constructor and may be adjusted before DoModal; the file name buffers live in the
// object, so it cannot be copied. The Vista-style flag is kept for callers that ask;
// the stand-in's dialog has one look.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"
#include "platform/commdlg/CommDlg.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/String.h"

class CFileDialog : public CDialog {
public:
    // The filter is the framework's form, "Text (*.txt)|*.txt||"; dwSize 0 means the
    // full structure.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    // IDOK when a file was chosen; IDCANCEL when the user cancelled or the dialog
    // failed (CommDlgExtendedError tells which).
    virtual INT_PTR DoModal();

    // The full path chosen (the preset name until one is chosen), the name with its
    // extension, and the extension without its dot (both empty until a file is chosen).
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;

    BOOL IsVistaStyle() const { return m_bVistaStyle; }

    OPENFILENAMEW m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    BOOL m_bVistaStyle;
    std::wstring m_strFilter; // '|' replaced by the null separators Windows reads
    wchar_t m_szFileName[MAX_PATH]{};
    wchar_t m_szFileTitle[64]{};
};
