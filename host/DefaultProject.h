// The embedded project: a controller offline with the flowmeter's module, whose
// configuration tag has every member the module's pages bind, with the unit codes
// and texts of the profile's own unit tables, realistic ranges and defaults.
#pragma once

#include <string>

class CDefaultProject {
public:
    static std::string Json();
};
