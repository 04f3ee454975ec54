// A broken property stops the fuzz run with a message saying which, and the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline void RequireProperty(bool holds, const char* property, const std::string& input) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n%s\n", property, input.c_str());
    std::abort();
}
