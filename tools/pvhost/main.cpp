// pvhost: the host stand-in's command line. It registers the profile in the
// stand-in registry as a setup program does, lists the page classes registered
// there, checks and writes controller projects, and by default runs all of that on
// the embedded project.
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "host/HostProject.h"
#include "platform/base/HResult.h"
#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/registry/Registry.h"
#include "tools/pvhost/CommandLine.h"
#include "tools/pvhost/PageList.h"
#include "tools/pvhost/ProfileRegistration.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] = "usage: pvhost [COMMAND] [OPTIONS]\n"
                      "\n"
                      "commands:\n"
                      "  run         (default) register the profile, list its pages, load the embedded\n"
                      "              project and save it into the output folder\n"
                      "  register    load the profile and call DllRegisterServer\n"
                      "  unregister  load the profile and call DllUnregisterServer\n"
                      "  pages       list the page classes registered for the profile\n"
                      "  project     load and check a project, print a summary, optionally write it\n"
                      "\n"
                      "'pvhost COMMAND --help' tells a command's options.\n"
                      "exit codes: 0 success, 1 the work failed, 2 bad usage\n";

const char kRunUsage[] = "usage: pvhost [run] [--output DIR] [--profile PATH] [--registry FILE]\n"
                         "  --output    folder for the saved project (default: pvhost-output)\n"
                         "  --profile   the profile module (default: PVZQTavrin100.dll beside pvhost)\n"
                         "  --registry  the stand-in registry file (default: registry.txt beside drive C:)\n";
const char kRegisterUsage[] =
    "usage: pvhost register|unregister [--profile PATH] [--registry FILE]\n"
    "  --profile   the profile module (default: PVZQTavrin100.dll beside pvhost)\n"
    "  --registry  the stand-in registry file (default: registry.txt beside drive C:)\n";
const char kPagesUsage[] =
    "usage: pvhost pages [--registry FILE] [--profile PATH]\n"
    "  prints one line per registered page class: CLSID, class name, template id, title\n"
    "  --registry  the stand-in registry file (default: registry.txt beside drive C:)\n"
    "  --profile   the profile whose English resource library gives the titles\n";
const char kProjectUsage[] = "usage: pvhost project [--project FILE] [--out FILE]\n"
                             "  --project   the project to load (default: the embedded project)\n"
                             "  --out       write the checked project to FILE\n";

std::string DefaultRegistryFile() {
    return std::filesystem::path(CDosPath::DriveC()).parent_path().string() + "/registry.txt";
}

bool UseRegistry(const CCommandLine& line) {
    const std::string file = line.Value("--registry", DefaultRegistryFile());
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    const LONG status = CRegistry::Instance().SetBackingFile(file);
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "pvhost: %s: the registry file cannot be used (error %d)\n", file.c_str(),
                     static_cast<int>(status));
        return false;
    }
    return true;
}

std::string ResourceLibraryOf(const std::string& profile) {
    const std::string stem = profile.size() > 4 ? profile.substr(0, profile.size() - 4) : profile;
    return stem + "ENU.dll";
}

int Register(const CCommandLine& line, bool unregister) {
    if (!UseRegistry(line))
        return kExitFailure;
    const std::string profile = line.Value("--profile", CProfileRegistration::DefaultProfilePath());
    std::string error;
    if (FAILED(CProfileRegistration::Run(profile, unregister, &error))) {
        std::fprintf(stderr, "pvhost: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("%s %s\n", unregister ? "unregistered" : "registered", profile.c_str());
    return kExitSuccess;
}

int Pages(const CCommandLine& line) {
    if (!UseRegistry(line))
        return kExitFailure;
    const std::string profile = line.Value("--profile", CProfileRegistration::DefaultProfilePath());
    const std::vector<CPageEntry> pages = CPageList::Read(ResourceLibraryOf(profile));
    if (pages.empty()) {
        std::printf("no page classes of PVZQTavrin100.dll are registered\n");
        return kExitSuccess;
    }
    for (const CPageEntry& page : pages) {
        const std::string title = page.title.empty() ? "-" : CTextCodec::ToUtf8(page.title);
        const std::string templateId = page.templateId ? std::to_string(page.templateId) : "-";
        std::printf("%s  %s  %s  %s\n", CTextCodec::ToUtf8(page.clsid).c_str(),
                    CTextCodec::ToUtf8(page.className).c_str(), templateId.c_str(), title.c_str());
    }
    std::printf("%zu page classes registered\n", pages.size());
    return kExitSuccess;
}

void PrintSummary(const CHostProject& project, const std::string& source) {
    const CControllerState& controller = project.Controller();
    std::printf("project: %s\n", source.c_str());
    std::printf("controller: mode %d (%s), redundancy state %d, safety %s, module state flag %s, locale %u\n",
                static_cast<int>(controller.mode),
                CControllerState::IsOnlineMode(controller.mode) ? "online" : "offline",
                static_cast<int>(controller.redundancyState),
                !controller.hasSafety      ? "none"
                : controller.safetyEnabled ? (controller.safetyLockedOut ? "on, locked out" : "on, secured")
                                           : "off",
                controller.moduleStateFlag ? "on" : "off", static_cast<unsigned>(controller.locale));
    const auto printTag = [](const char* what, const CTagModel& tag) {
        size_t enumerations = 0;
        for (const CTagMember& member : tag.Members())
            enumerations += member.IsEnum() ? 1 : 0;
        std::printf("%s %s: %zu members (%zu enumerations), %zu changed\n", what,
                    CTextCodec::ToUtf8(tag.Name()).c_str(), tag.Members().size(), enumerations,
                    tag.DirtyCount());
    };
    if (project.HasConfigTag())
        printTag("configuration tag", project.ConfigTag());
    else
        std::printf("configuration tag: none\n");
    if (project.HasSafetyConfigTag())
        printTag("safety configuration tag", project.SafetyConfigTag());
}

bool LoadProject(const CCommandLine& line, CHostProject* project, std::string* source) {
    std::string error;
    bool loaded = false;
    if (line.Has("--project")) {
        *source = line.Value("--project");
        loaded = project->LoadFile(*source, &error);
    } else {
        *source = "embedded project";
        loaded = project->LoadDefault(&error);
    }
    if (!loaded)
        std::fprintf(stderr, "pvhost: %s\n", error.c_str());
    return loaded;
}

int Project(const CCommandLine& line) {
    CHostProject project;
    std::string source;
    if (!LoadProject(line, &project, &source))
        return kExitFailure;
    PrintSummary(project, source);
    if (line.Has("--out")) {
        std::string error;
        if (!project.SaveFile(line.Value("--out"), &error)) {
            std::fprintf(stderr, "pvhost: %s\n", error.c_str());
            return kExitFailure;
        }
        std::printf("written to %s\n", line.Value("--out").c_str());
    }
    return kExitSuccess;
}

int DefaultRun(const CCommandLine& line) {
    const std::string output = line.Value("--output", "pvhost-output");
    std::error_code failure;
    std::filesystem::create_directories(output, failure);
    if (failure) {
        std::fprintf(stderr, "pvhost: %s: the output folder cannot be made (%s)\n", output.c_str(),
                     failure.message().c_str());
        return kExitFailure;
    }
    if (int result = Register(line, false); result != kExitSuccess)
        return result;
    if (int result = Pages(line); result != kExitSuccess)
        return result;
    CHostProject project;
    std::string source;
    if (!LoadProject(line, &project, &source))
        return kExitFailure;
    PrintSummary(project, source);
    const std::string saved = output + "/project.json";
    std::string error;
    if (!project.SaveFile(saved, &error)) {
        std::fprintf(stderr, "pvhost: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf("saved the project to %s\n", saved.c_str());
    return kExitSuccess;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string command = "run";
    if (!arguments.empty() && arguments.front().rfind("-", 0) != 0) {
        command = arguments.front();
        arguments.erase(arguments.begin());
    } else if (!arguments.empty() && (arguments.front() == "--help" || arguments.front() == "-h") &&
               arguments.size() == 1) {
        std::fputs(kUsage, stdout);
        return kExitSuccess;
    }

    struct Command {
        const char* name;
        const char* usage;
        std::set<std::string> options;
    };
    const Command commands[] = {
        {"run", kRunUsage, {"--output", "--profile", "--registry"}},
        {"register", kRegisterUsage, {"--profile", "--registry"}},
        {"unregister", kRegisterUsage, {"--profile", "--registry"}},
        {"pages", kPagesUsage, {"--profile", "--registry"}},
        {"project", kProjectUsage, {"--project", "--out"}},
    };
    const Command* chosen = nullptr;
    for (const Command& candidate : commands)
        if (command == candidate.name)
            chosen = &candidate;
    if (!chosen) {
        std::fprintf(stderr, "pvhost: unknown command '%s'\n%s", command.c_str(), kUsage);
        return kExitUsage;
    }
    CCommandLine line;
    std::string error;
    if (!line.Parse(arguments, chosen->options, {}, &error)) {
        std::fprintf(stderr, "pvhost %s: %s\n%s", chosen->name, error.c_str(), chosen->usage);
        return kExitUsage;
    }
    if (line.WantsHelp()) {
        std::fputs(chosen->usage, stdout);
        return kExitSuccess;
    }
    if (command == "register" || command == "unregister")
        return Register(line, command == "unregister");
    if (command == "pages")
        return Pages(line);
    if (command == "project")
        return Project(line);
    return DefaultRun(line);
}
