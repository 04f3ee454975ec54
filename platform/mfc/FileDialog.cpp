#include "platform/mfc/FileDialog.h"

#include <cwchar>
#include <iterator>

#include "platform/mfc/ModuleState.h"
#include "platform/user/WinUser.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD dwSize, BOOL bVistaStyle)
    : m_bOpenFileDialog(bOpenFileDialog), m_bVistaStyle(bVistaStyle) {
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = dwSize == 0 ? static_cast<DWORD>(sizeof(OPENFILENAMEW)) : dwSize;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = static_cast<DWORD>(std::size(m_szFileTitle));
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = lpszDefExt;
    if (lpszFileName) {
        // A longer preset name is cut to the buffer, as the framework does.
        const size_t length = wcsnlen(lpszFileName, MAX_PATH - 1);
        std::wmemcpy(m_szFileName, lpszFileName, length);
        m_szFileName[length] = L'\0';
    }
    if (lpszFilter) {
        m_strFilter = lpszFilter;
        for (wchar_t& c : m_strFilter)
            if (c == L'|')
                c = L'\0';
        m_ofn.lpstrFilter = m_strFilter.c_str();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const {
    // A chosen path is a full one, so its name never starts at 0; read it from the path
    // rather than the title buffer, which is cut to 64 characters.
    if (!m_ofn.lpstrFile || m_ofn.nFileOffset == 0 ||
        m_ofn.nFileOffset >= wcsnlen(m_ofn.lpstrFile, m_ofn.nMaxFile))
        return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileOffset);
}

CString CFileDialog::GetFileExt() const {
    if (!m_ofn.lpstrFile || m_ofn.nFileExtension == 0 ||
        m_ofn.nFileExtension >= wcsnlen(m_ofn.lpstrFile, m_ofn.nMaxFile))
        return CString();
    return CString(m_ofn.lpstrFile + m_ofn.nFileExtension);
}
