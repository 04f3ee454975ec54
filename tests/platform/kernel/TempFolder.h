// A fresh folder on drive C: for one test, removed with everything in it afterwards
// (read-only files included).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/kernel/DosPath.h"

class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = CDosPath::DriveC() + "/test-XXXXXX";
        if (mkdtemp(pattern.data()))
            m_unix = pattern;
    }
    ~CTempFolder() {
        if (m_unix.empty())
            return;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_unix, error))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_unix, error);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    bool Ok() const { return !m_unix.empty(); }
    // "<drive C>/test-abc123" + "/" + name
    std::string Unix(const std::string& name = {}) const {
        return name.empty() ? m_unix : m_unix + "/" + name;
    }
    // "C:\test-abc123" + "\" + name
    std::wstring Dos(const std::wstring& name = {}) const {
        const std::wstring folder = CDosPath::ToDos(m_unix);
        return name.empty() ? folder : folder + L"\\" + name;
    }

private:
    std::string m_unix;
};
