// pvhost: the host stand-in's command line. For now it registers and unregisters
// the profile in the stand-in registry, the way a setup program does, and prints the
// class keys the profile wrote.
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/base/HResult.h"
#include "platform/base/TextCodec.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/registry/Registry.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

using ServerFunction = HRESULT (*)();

void Usage() {
    std::fputs("usage: pvhost [register | unregister] [--profile PATH] [--registry FILE]\n"
               "  register    load the profile, call DllRegisterServer and print the class keys (default)\n"
               "  unregister  load the profile and call DllUnregisterServer\n"
               "  --profile   the profile module (default: PVZQTavrin100.dll beside pvhost)\n"
               "  --registry  keep the stand-in registry in FILE\n",
               stderr);
}

std::string DefaultProfilePath() {
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = length > 0 ? std::string(self, static_cast<size_t>(length)) : std::string("./pvhost");
    return dir.substr(0, dir.find_last_of('/')) + "/PVZQTavrin100.dll";
}

int CallServer(HMODULE profile, const char* exportName) {
    auto function = reinterpret_cast<ServerFunction>(GetProcAddress(profile, exportName));
    if (!function) {
        std::fprintf(stderr, "pvhost: the profile does not export %s\n", exportName);
        return kExitFailure;
    }
    const HRESULT hr = function();
    std::printf("%s: 0x%08X\n", exportName, static_cast<unsigned>(hr));
    return SUCCEEDED(hr) ? kExitSuccess : kExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    std::string command = "register";
    std::string profilePath = DefaultProfilePath();
    std::string registryFile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--profile" || arg == "--registry") && i + 1 < argc) {
            (arg == "--profile" ? profilePath : registryFile) = argv[++i];
        } else if (arg == "register" || arg == "unregister") {
            command = arg;
        } else if (arg == "--help" || arg == "-h") {
            Usage();
            return kExitSuccess;
        } else {
            std::fprintf(stderr, "pvhost: unknown argument '%s'\n", arg.c_str());
            Usage();
            return kExitUsage;
        }
    }
    if (!registryFile.empty())
        CRegistry::Instance().SetBackingFile(registryFile);

    const std::wstring dosPath = CDosPath::ToDos(profilePath);
    HMODULE profile = LoadLibraryW(dosPath.c_str());
    if (!profile) {
        std::fprintf(stderr, "pvhost: cannot load the profile '%s' (error %u)\n", profilePath.c_str(),
                     static_cast<unsigned>(GetLastError()));
        return kExitFailure;
    }
    std::printf("loaded %s\n", CTextCodec::ToUtf8(dosPath).c_str());
    const int result =
        CallServer(profile, command == "register" ? "DllRegisterServer" : "DllUnregisterServer");
    const std::wstring keys = CRegistry::Instance().Dump(HKEY_CLASSES_ROOT, L"CLSID");
    if (keys.empty())
        std::printf("HKEY_CLASSES_ROOT\\CLSID holds no class keys\n");
    else
        std::printf("%s", CTextCodec::ToUtf8(keys).c_str());
    FreeLibrary(profile);
    return result;
}
