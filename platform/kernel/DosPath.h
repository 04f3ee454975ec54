// The mapping between the DOS paths the profile sees and the Linux file system:
// drive Z: is the Linux root, drive C: is the folder named by PV_DRIVE_C (default:
// a folder under the user's data directory). Backslashes and slashes both separate.
#pragma once

#include <string>

class CDosPath {
public:
    // "Z:\work\x.dll" -> "/work/x.dll"; "C:\Users\x" -> "<drive C>/Users/x"; a path
    // without a drive is taken relative to the current directory; a path that already
    // starts with '/' is kept. An unknown drive letter gives an empty result.
    static std::string ToUnix(const std::wstring& dosPath);

    // The DOS form of an absolute Linux path: under drive C's folder it is "C:\...",
    // otherwise "Z:\...".
    static std::wstring ToDos(const std::string& unixPath);

    // The Linux folder that stands for drive C:, created on first use.
    static std::string DriveC();
};
