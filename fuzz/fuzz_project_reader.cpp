// Any text as a project file: no crash, no hang, no leak; a refusal names the file;
// an accepted project is written, read back and written again, and the two texts
// written are the same (nothing is lost or changed by a save).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzRequire.h"
#include "host/HostProject.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CHostProject project;
    std::string error;
    if (!project.LoadText(text, "fuzz.json", &error)) {
        RequireProperty(error.rfind("fuzz.json: ", 0) == 0, "a refusal names the file", error);
        return 0;
    }
    const std::string saved = project.ToJson();
    CHostProject reread;
    RequireProperty(reread.LoadText(saved, "saved.json", &error), "a saved project loads", error + "\n" + saved);
    RequireProperty(reread.ToJson() == saved, "saving a loaded save gives the same text", saved);
    return 0;
}
