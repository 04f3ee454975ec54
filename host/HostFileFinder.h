// The host's module-specific file finder: resolves a help file named in a page's
// extended info (a path below the help folder, without language suffix and
// extension) into the full path of the file in the host's language.
#pragma once

#include <memory>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "profile/interfaces/FileFinder.h"

class CHostFileFinder : public CHostObject<IModuleSpecificFileFind> {
public:
    explicit CHostFileFinder(std::shared_ptr<CHostContext> context);
    // The full path; HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) when no such file exists.
    HRESULT STDMETHODCALLTYPE ResolvePath(BSTR name, BSTR* path) override;

private:
    std::shared_ptr<CHostContext> m_context;
};
