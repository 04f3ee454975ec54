#include "tools/pvhost/PathArguments.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class PathKind { FileToRead, FileToWrite, FolderToWrite, FileToKeep };

struct PathOption {
    const char* option;
    PathKind kind;
    unsigned long long maxBytes; // for files read; 0: no limit of ours
};

// `--out` is the project file that `project` writes, and the folder `demo` fills.
PathOption OptionOf(const std::string& command, const std::string& option) {
    static const PathOption options[] = {
        {"--project", PathKind::FileToRead, 0}, // the project reader has its own limit
        {"--script", PathKind::FileToRead, CPathArguments::kMaxScriptBytes},
        {"--profile", PathKind::FileToRead, 0},
        {"--registry", PathKind::FileToKeep, CPathArguments::kMaxRegistryBytes},
        {"--save", PathKind::FileToWrite, 0},
        {"--png", PathKind::FileToWrite, 0},
    };
    if (option == "--out")
        return {"--out", command == "project" ? PathKind::FileToWrite : PathKind::FolderToWrite, 0};
    for (const PathOption& candidate : options)
        if (option == candidate.option)
            return candidate;
    return {nullptr, PathKind::FileToRead, 0};
}

// The folder a new entry at `path` goes into: its parent, or, for folders that are
// made with their parents, the nearest ancestor that exists.
std::string FolderFor(const std::string& path, bool nearestExisting) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    struct stat status {};
    while (nearestExisting && !folder.empty() && folder != folder.parent_path() &&
           stat(folder.c_str(), &status) != 0)
        folder = folder.parent_path();
    return folder.empty() ? "." : folder.string();
}

// Why a new entry cannot be made in `folder`, or "".
std::string FolderProblem(const std::string& folder) {
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0)
        return "the folder '" + folder + "' does not exist";
    if (!S_ISDIR(status.st_mode))
        return "'" + folder + "' is not a folder";
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return "the folder '" + folder + "' cannot be written";
    return "";
}

std::string Problem(const PathOption& option, const std::string& path) {
    struct stat status {};
    const bool exists = stat(path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT)
        return std::strerror(errno);
    switch (option.kind) {
    case PathKind::FileToRead:
    case PathKind::FileToKeep:
        if (!exists && option.kind == PathKind::FileToRead)
            return "no such file";
        if (!exists)
            return FolderProblem(FolderFor(path, true));
        if (S_ISDIR(status.st_mode))
            return "is a folder, not a file";
        if (!S_ISREG(status.st_mode))
            return "is not a regular file";
        if (access(path.c_str(), R_OK) != 0)
            return "cannot be read";
        if (option.maxBytes && static_cast<unsigned long long>(status.st_size) > option.maxBytes)
            return "larger than " + std::to_string(option.maxBytes) + " bytes";
        return "";
    case PathKind::FileToWrite:
        if (exists && S_ISDIR(status.st_mode))
            return "is a folder, not a file";
        if (exists && !S_ISREG(status.st_mode))
            return "is not a regular file";
        // Files are replaced by writing beside them and renaming: the folder must take new files.
        return FolderProblem(FolderFor(path, false));
    case PathKind::FolderToWrite:
        if (exists && !S_ISDIR(status.st_mode))
            return "is not a folder";
        return FolderProblem(exists ? path : FolderFor(path, true));
    }
    return "";
}

} // namespace

bool CPathArguments::Check(const std::string& command, const std::map<std::string, std::string>& values,
                           std::string* error) {
    for (const auto& [option, path] : values) {
        const PathOption pathOption = OptionOf(command, option);
        if (!pathOption.option)
            continue;
        if (const std::string problem = Problem(pathOption, path); !problem.empty()) {
            *error = option + " '" + path + "': " + problem;
            return false;
        }
    }
    return true;
}
