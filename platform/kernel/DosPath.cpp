#include "platform/kernel/DosPath.h"

#include <cstdlib>
#include <filesystem>

#include "platform/base/TextCodec.h"

namespace {

std::string ForwardSlashes(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

} // namespace

std::string CDosPath::DriveC() {
    std::string root;
    if (const char* env = std::getenv("PV_DRIVE_C"); env && *env) {
        root = env;
    } else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        root = std::string(data) + "/PVZQTavrin100/drive_c";
    } else {
        const char* home = std::getenv("HOME");
        root = std::string(home && *home ? home : "/tmp") + "/.local/share/PVZQTavrin100/drive_c";
    }
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    std::filesystem::path abs = std::filesystem::absolute(root, ec);
    std::string result = abs.lexically_normal().string();
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}

std::string CDosPath::ToUnix(const std::wstring& dosPath) {
    std::string path = ForwardSlashes(CTextCodec::ToUtf8(dosPath));
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        std::string rest = path.substr(2);
        if (!rest.empty() && rest[0] != '/') rest = "/" + rest;
        if (drive == 'Z') return rest.empty() ? "/" : rest;
        if (drive == 'C') return DriveC() + rest;
        return {};
    }
    if (!path.empty() && path[0] == '/') return path;
    std::error_code ec;
    return (std::filesystem::current_path(ec) / path).string();
}

std::wstring CDosPath::ToDos(const std::string& unixPath) {
    const std::string driveC = DriveC();
    std::string rest;
    wchar_t drive = L'Z';
    if (unixPath == driveC || (unixPath.size() > driveC.size() && unixPath.compare(0, driveC.size(), driveC) == 0 &&
                               unixPath[driveC.size()] == '/')) {
        drive = L'C';
        rest = unixPath.substr(driveC.size());
    } else {
        rest = unixPath;
    }
    std::wstring out{drive, L':'};
    std::wstring wide = CTextCodec::FromUtf8(rest.empty() ? "/" : rest);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return out + wide;
}
