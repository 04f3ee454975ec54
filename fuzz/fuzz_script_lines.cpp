// Any text as a pvhost script: no crash, no hang; reading it whole stops at the first
// bad line and names it, and every line reads alone as it reads within the script.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/FuzzRequire.h"
#include "tools/pvhost/ScriptRunner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    std::vector<CScriptCommand> commands;
    std::string scriptError;
    const bool whole = CScriptRunner::ParseAll(script, &commands, &scriptError);

    std::istringstream lines(script);
    std::string line;
    size_t next = 0;
    for (int number = 1; std::getline(lines, line); ++number) {
        CScriptCommand command;
        std::string error;
        if (!CScriptRunner::Parse(line, number, &command, &error)) {
            RequireProperty(!whole && error == scriptError, "the script stops at its first bad line", script);
            RequireProperty(error.rfind("line " + std::to_string(number) + ": ", 0) == 0, "an error names its line", error);
            return 0;
        }
        if (command.verb.empty())
            continue;
        RequireProperty(next < commands.size() && commands[next].verb == command.verb &&
                    commands[next].line == number && commands[next].text == command.text,
                "a line reads alone as within the script", script);
        ++next;
    }
    RequireProperty(whole && next == commands.size(), "a script of good lines reads whole", script);
    return 0;
}
