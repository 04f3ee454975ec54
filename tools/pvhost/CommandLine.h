// pvhost's command line: the command word, then options. Each command accepts its
// own options; anything else is a usage error that names the argument at fault.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

class CCommandLine {
public:
    // `command` decides what a path option must name (see PathArguments).
    explicit CCommandLine(std::string command = "") : m_command(std::move(command)) {}

    // `valueOptions` take one value ("--out FILE"); `flags` none. --help is always allowed.
    bool Parse(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flags, std::string* error);

    bool Has(const std::string& option) const { return m_values.count(option) || m_flags.count(option); }
    std::string Value(const std::string& option, const std::string& fallback = "") const;
    bool WantsHelp() const { return m_flags.count("--help") != 0; }

private:
    std::string m_command;
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_flags;
};
