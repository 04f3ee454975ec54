#include "tools/pvhost/CommandLine.h"

#include "tools/pvhost/PathArguments.h"

bool CCommandLine::Parse(const std::vector<std::string>& arguments, const std::set<std::string>& valueOptions,
                         const std::set<std::string>& flags, std::string* error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            m_flags.insert("--help");
        } else if (valueOptions.count(argument)) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                *error = "the option " + argument + " needs a value";
                return false;
            }
            m_values[argument] = arguments[++i];
        } else if (flags.count(argument)) {
            m_flags.insert(argument);
        } else {
            *error = "unknown argument '" + argument + "'";
            return false;
        }
    }
    // Paths are checked before any work starts; --help does no work.
    return WantsHelp() || CPathArguments::Check(m_command, m_values, error);
}

std::string CCommandLine::Value(const std::string& option, const std::string& fallback) const {
    auto found = m_values.find(option);
    return found == m_values.end() ? fallback : found->second;
}
