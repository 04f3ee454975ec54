// PdfGenerator3.dll: writes a stored verification report as a PDF file.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/String.h"

class CPdfReport {
public:
    // The code that asks for the verification report; the profile always passes it.
    static constexpr LONG kVerificationReport = 4154;

    // Lays out the 299 bytes of `report` with the user's `comment` and writes them to
    // `fileName`, a full DOS path ("C:\...\x.pdf"). Non-zero exactly when the file was
    // written; on zero the target is as it was, no other file is left, and
    // GetLastError names the cause: ERROR_INVALID_PARAMETER (no report, another code),
    // ERROR_BAD_PATHNAME (not a full path), ERROR_PATH_NOT_FOUND (no such folder),
    // ERROR_ACCESS_DENIED (folder not writable, target read-only or a folder), or the
    // failing file call's own error.
    int CreateReport(unsigned char* report, CString fileName, CString comment, LONG code);
};
