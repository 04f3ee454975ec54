// Any text as a project file: no crash, no hang, no leak; a refusal names the file;
// an accepted project is written, read back and written again, and the two texts
// written are the same (nothing is lost or changed by a save).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/HostProject.h"

namespace {

void Require(bool holds, const char* property, const std::string& text) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n%s\n", property, text.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CHostProject project;
    std::string error;
    if (!project.LoadText(text, "fuzz.json", &error)) {
        Require(error.rfind("fuzz.json: ", 0) == 0, "a refusal names the file", error);
        return 0;
    }
    const std::string saved = project.ToJson();
    CHostProject reread;
    Require(reread.LoadText(saved, "saved.json", &error), "a saved project loads", error + "\n" + saved);
    Require(reread.ToJson() == saved, "saving a loaded save gives the same text", saved);
    return 0;
}
