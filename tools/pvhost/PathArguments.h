// What each path option of pvhost must name, checked before any work starts: a file
// to read must be a regular file (not a folder, not a device that never ends), a file
// to write must have a folder to go into, a folder to write must not be a file. A bad
// path is a usage error naming the option and the path.
#pragma once

#include <map>
#include <string>

class CPathArguments {
public:
    // Scripts are read whole before the dialog opens; registry files are kept in memory.
    static constexpr unsigned long long kMaxScriptBytes = 1024 * 1024;
    static constexpr unsigned long long kMaxRegistryBytes = 16 * 1024 * 1024;

    // `values`: option -> value as given to `command`. False with "--option 'PATH': why".
    static bool Check(const std::string& command, const std::map<std::string, std::string>& values,
                      std::string* error);
};
