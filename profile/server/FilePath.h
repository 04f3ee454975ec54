// A path and the pieces of it the profile needs (folder, file name, extension).
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

class CFilePath : public CObject {
public:
    explicit CFilePath(const wchar_t* path = nullptr);
    // The module's file name in its long form; empty when either look-up fails.
    explicit CFilePath(HMODULE module);

    const CString& GetPath() const { return m_path; }
    // The text before the last backslash; empty without one.
    CString GetDirectory() const;
    // The text between the last backslash and the last dot (to the end without a
    // dot), with the dot and extension when asked.
    CString GetFileName(bool withExtension = false) const;
    // The text after the last dot.
    CString GetExtension() const;
    bool Exists() const;
    static bool Exists(const wchar_t* path);

private:
    CString m_path;
};
