// The report's file on disk, named by a DOS path. It is either written whole or left
// as it was: the bytes go to a new file beside the target, which takes the target's
// place only once it is complete and closed.
#pragma once

#include <string>

#include "platform/base/HResult.h"

class CReportFile {
public:
    explicit CReportFile(std::wstring fileName);

    // The name must be a full path ("C:\folder\name.pdf"): a bare name would land in
    // whatever folder the host happens to run in. An existing target must be a file
    // its owner may write: the read-only attribute binds the report writer too.
    HRESULT CheckTarget() const;
    // CheckTarget, then the whole write; on failure no new file is left behind.
    HRESULT Write(const std::string& bytes) const;

private:
    HRESULT WriteNew(const std::wstring& path, const std::string& bytes) const;

    std::wstring m_fileName;
};
