// pvhost: the host stand-in's command line. It registers the profile in the
// stand-in registry as a setup program does, lists the page classes registered
// there, checks and writes controller projects, opens the module's properties, and
// by default walks every page of them on the embedded project.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/HostContext.h"
#include "host/HostProject.h"
#include "host/HostServers.h"
#include "host/PropertiesDialog.h"
#include "host/WindowPicture.h"
#include "platform/base/Guid.h"
#include "platform/base/HResult.h"
#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"
#include "platform/registry/Registry.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowDump.h"
#include "tools/pvhost/CommandLine.h"
#include "tools/pvhost/DemoWalk.h"
#include "tools/pvhost/PageList.h"
#include "tools/pvhost/ProfileRegistration.h"
#include "tools/pvhost/ScriptRunner.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "usage: pvhost [COMMAND] [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  register    load the profile and call DllRegisterServer\n"
    "  unregister  load the profile and call DllUnregisterServer\n"
    "  pages       list the page classes registered for the profile\n"
    "  project     load and check a project, print a summary, optionally write it\n"
    "  open        open the module's properties on a project; act from a script or a prompt\n"
    "  demo        (default) register the profile, visit and edit every page, draw each,\n"
    "              apply, save, revert, go online and offline, and cancel an edit\n"
    "\n"
    "'pvhost COMMAND --help' tells a command's options.\n"
    "exit codes: 0 success, 1 the work failed, 2 bad usage\n";

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

const char kOpenUsage[] =
    "usage: pvhost open [--project FILE] [--online] [--locale LCID] [--page NAME] [--script FILE]\n"
    "                   [--png FILE] [--dump text|json] [--save FILE] [--profile PATH] [--registry FILE]\n"
    "  opens the module's properties dialog with the profile's registered pages\n"
    "  --project   the project to open (default: the embedded project)\n"
    "  --online    the controller is online from the start, and the simulated device connected\n"
    "  --locale    the host's language, a decimal locale id (default: the project's)\n"
    "  --page      the page shown first: its title, class name or number (1 = first)\n"
    "  --script    a file of commands, one a line; without it, a prompt when stdin is a terminal:\n"
    "              page NAME | type ID TEXT | paste ID TEXT | pick ID INDEX | click ID | key NAME |\n"
    "              wait MS | apply | ok | cancel | online | offline | refresh | revert | help | png FILE |\n"
    "              dump [json] | device\n"
    "  --png       draw the whole dialog into FILE when the script is done (or just before it\n"
    "              closes the dialog)\n"
    "  --dump      print the dialog's window tree then, as text or JSON\n"
    "  --save      where Apply and OK write the project (default: the --project file; the\n"
    "              embedded project is written nowhere unless this is given)\n"
    "  --profile   the profile module whose pages are shown (default: PVZQTavrin100.dll beside pvhost)\n"
    "  --registry  the stand-in registry file (default: registry.txt beside drive C:)\n"
    "  the dialog is closed with Cancel at the end unless the script closed it\n";
const char kDemoUsage[] =
    "usage: pvhost [demo] [--out DIR] [--profile PATH] [--registry FILE]\n"
    "  registers the profile, opens its properties on the embedded project, visits every\n"
    "  page, draws each page and the whole dialog as PNG pictures, applies, and saves the\n"
    "  project as project.json\n"
    "  --out       the folder for the pictures and the project (default: pvhost-output)\n"
    "  --profile   the profile module (default: PVZQTavrin100.dll beside pvhost)\n"
    "  --registry  the stand-in registry file (default: registry.txt beside drive C:)\n";

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

// The pages of the properties dialog: the registered classes whose server is the profile.
std::vector<CPropertyPageInfo> PagesOf(const std::string& profile) {
    const std::wstring file = CTextCodec::FromUtf8(std::filesystem::path(profile).filename().string());
    std::vector<CPropertyPageInfo> pages;
    for (const CPageEntry& entry : CPageList::Read(ResourceLibraryOf(profile), file)) {
        CPropertyPageInfo info;
        if (FAILED(CLSIDFromString(entry.clsid.c_str(), &info.clsid)))
            continue;
        info.className = entry.className;
        info.title = entry.title;
        pages.push_back(info);
    }
    return pages;
}

std::wstring Caption(CHostProject& project) {
    return L"Module Properties: " +
           (project.HasConfigTag() ? project.ConfigTag().Name() : std::wstring(L"module"));
}

bool WriteText(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    if (!text.empty() && text.back() != '\n')
        std::fputc('\n', stdout);
    return true;
}

// The host's side of an open properties dialog: the project, the host's servers and
// the dialog, for open and demo.
struct CSession {
    std::shared_ptr<CHostContext> context = CHostContext::Create();
    std::unique_ptr<CHostServers> servers;
    std::unique_ptr<CPropertiesDialog> dialog;

    bool Start() {
        // Scripted runs are repeatable: timers fire when the script lets time pass.
        CClock::Instance().SetVirtual(true);
        servers = std::make_unique<CHostServers>(context);
        if (const HRESULT hr = servers->Register(); FAILED(hr)) {
            std::fprintf(stderr, "pvhost: the host's servers cannot be registered (0x%08X)\n",
                         static_cast<unsigned>(hr));
            return false;
        }
        dialog = std::make_unique<CPropertiesDialog>(context);
        dialog->SetReporter([](const std::string& line) { std::printf("  %s\n", line.c_str()); });
        return true;
    }
    ~CSession() {
        dialog.reset();
        servers.reset();
    }
};

bool ReadFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    *text = content.str();
    return true;
}

int Open(const CCommandLine& line) {
    LCID locale = 0;
    if (line.Has("--locale")) {
        const std::string text = line.Value("--locale");
        char* end = nullptr;
        const unsigned long value = std::strtoul(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || value == 0 || value > 0xFFFF) {
            std::fprintf(stderr,
                         "pvhost open: --locale '%s' is no locale id (a decimal number such as 1033)\n%s",
                         text.c_str(), kOpenUsage);
            return kExitUsage;
        }
        locale = static_cast<LCID>(value);
    }
    const std::string dump = line.Value("--dump");
    if (line.Has("--dump") && dump != "text" && dump != "json") {
        std::fprintf(stderr, "pvhost open: --dump '%s': say text or json\n%s", dump.c_str(), kOpenUsage);
        return kExitUsage;
    }
    std::vector<CScriptCommand> commands;
    const bool scripted = line.Has("--script");
    if (scripted) {
        const std::string file = line.Value("--script");
        std::string script, error;
        if (!ReadFile(file, &script)) {
            std::fprintf(stderr, "pvhost open: %s: the script cannot be read\n", file.c_str());
            return kExitUsage;
        }
        if (!CScriptRunner::ParseAll(script, &commands, &error)) {
            std::fprintf(stderr, "pvhost open: %s: %s\n", file.c_str(), error.c_str());
            return kExitUsage;
        }
    }
    if (!UseRegistry(line))
        return kExitFailure;
    CSession session;
    std::string source;
    if (!LoadProject(line, &session.context->Project(), &source))
        return kExitFailure;
    CControllerState& controller = session.context->Project().Controller();
    if (line.Has("--online"))
        controller.mode = CPropertiesDialog::kOnlineMode;
    if (locale)
        controller.locale = locale;
    if (!session.Start())
        return kExitFailure;
    const std::string profile = line.Value("--profile", CProfileRegistration::DefaultProfilePath());
    session.dialog->SetSavePath(line.Value("--save", line.Value("--project")));
    const std::vector<CPropertyPageInfo> pages = PagesOf(profile);
    std::printf("opening the properties of %s (%s, %s)\n", source.c_str(),
                CControllerState::IsOnlineMode(controller.mode) ? "online" : "offline",
                ("locale " + std::to_string(controller.locale)).c_str());
    if (pages.empty())
        std::printf("  no page classes of %s are registered; the dialog is empty\n",
                    std::filesystem::path(profile).filename().string().c_str());
    CPropertiesDialog& dialog = *session.dialog;
    if (FAILED(dialog.Open(pages, Caption(session.context->Project()))))
        return kExitFailure;
    CScriptRunner runner(dialog, WriteText);
    bool finished = false;
    const auto finish = [&] {
        if (finished)
            return true;
        finished = true;
        bool ok = true;
        if (line.Has("--png")) {
            std::string error;
            if (CWindowPicture::WritePng(dialog.Window(), line.Value("--png"), &error)) {
                std::printf("drew the dialog into %s\n", line.Value("--png").c_str());
            } else {
                std::fprintf(stderr, "pvhost open: --png: %s\n", error.c_str());
                ok = false;
            }
        }
        if (dump == "json")
            WriteText(CWindowDump::Json(dialog.Window()).dump(2));
        else if (dump == "text")
            WriteText(CWindowDump::Text(dialog.Window()));
        return ok;
    };
    bool pictureOk = true;
    runner.SetBeforeClose([&] { pictureOk = finish() && pictureOk; });
    if (line.Has("--page")) {
        CScriptCommand page;
        page.verb = "page";
        page.text = line.Value("--page");
        std::string error;
        if (!runner.Run(page, &error)) {
            std::fprintf(stderr, "pvhost open: --page: %s\n", error.substr(error.find(": ") + 2).c_str());
            return kExitUsage;
        }
    }
    int result = kExitSuccess;
    if (scripted) {
        for (const CScriptCommand& command : commands) {
            std::string error;
            if (!runner.Run(command, &error)) {
                std::fprintf(stderr, "pvhost open: %s: %s\n", line.Value("--script").c_str(), error.c_str());
                result = kExitFailure;
                break;
            }
        }
    } else if (isatty(STDIN_FILENO)) {
        std::printf("commands: page NAME, type ID TEXT, paste ID TEXT, pick ID INDEX, click ID, key NAME,\n"
                    "wait MS, apply, ok, cancel, online, offline, refresh, revert, help, png FILE, dump "
                    "[json], device, quit\n");
        std::string text;
        for (int number = 1; dialog.IsOpen(); ++number) {
            std::printf("pvhost> ");
            std::fflush(stdout);
            if (!std::getline(std::cin, text) || text == "quit" || text == "exit")
                break;
            CScriptCommand command;
            std::string error;
            if (!CScriptRunner::Parse(text, number, &command, &error) || !runner.Run(command, &error))
                std::fprintf(stderr, "%s\n", error.c_str());
        }
    }
    if (dialog.IsOpen()) {
        pictureOk = finish() && pictureOk;
        dialog.Cancel();
    }
    if (result == kExitSuccess && !pictureOk)
        result = kExitFailure;
    return result;
}

int Demo(const CCommandLine& line) {
    const std::string output = line.Value("--out", "pvhost-output");
    std::error_code failure;
    std::filesystem::create_directories(output, failure);
    if (failure) {
        std::fprintf(stderr, "pvhost: %s: the output folder cannot be made (%s)\n", output.c_str(),
                     failure.message().c_str());
        return kExitFailure;
    }
    if (int result = Register(line, false); result != kExitSuccess)
        return result;
    CSession session;
    std::string error;
    if (!session.context->Project().LoadDefault(&error)) {
        std::fprintf(stderr, "pvhost: %s\n", error.c_str());
        return kExitFailure;
    }
    if (!session.Start())
        return kExitFailure;
    const std::string profile = line.Value("--profile", CProfileRegistration::DefaultProfilePath());
    const std::vector<CPropertyPageInfo> pages = PagesOf(profile);
    CPropertiesDialog& dialog = *session.dialog;
    const std::string saved = output + "/project.json";
    dialog.SetSavePath(saved);
    std::printf("opening the properties of the embedded project\n");
    if (pages.empty())
        std::printf("  no page classes of %s are registered yet; the dialog is empty\n",
                    std::filesystem::path(profile).filename().string().c_str());
    if (FAILED(dialog.Open(pages, Caption(session.context->Project()))))
        return kExitFailure;
    CDemoWalk walk(
        session.context, dialog, output, saved,
        [](const std::string& line) { std::printf("%s\n", line.c_str()); },
        [](const std::string& line) { std::fprintf(stderr, "pvhost: %s\n", line.c_str()); });
    return walk.Run() ? kExitSuccess : kExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string command = "demo";
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
        std::set<std::string> flags = {};
    };
    const Command commands[] = {
        {"register", kRegisterUsage, {"--profile", "--registry"}},
        {"unregister", kRegisterUsage, {"--profile", "--registry"}},
        {"pages", kPagesUsage, {"--profile", "--registry"}},
        {"project", kProjectUsage, {"--project", "--out"}},
        {"open",
         kOpenUsage,
         {"--project", "--locale", "--page", "--script", "--png", "--dump", "--save", "--profile",
          "--registry"},
         {"--online"}},
        {"demo", kDemoUsage, {"--out", "--profile", "--registry"}},
    };
    const Command* chosen = nullptr;
    for (const Command& candidate : commands)
        if (command == candidate.name)
            chosen = &candidate;
    if (!chosen) {
        std::fprintf(stderr, "pvhost: unknown command '%s'\n%s", command.c_str(), kUsage);
        return kExitUsage;
    }
    CCommandLine line(command);
    std::string error;
    if (!line.Parse(arguments, chosen->options, chosen->flags, &error)) {
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
    if (command == "open")
        return Open(line);
    return Demo(line);
}
