// The registry's text form, used both for the file a host keeps the tree in and for
// the readable listing the command line prints:
//
//   [HKEY_CLASSES_ROOT\CLSID\{...}]
//   @=REG_SZ "PV Panel"
//   "Count"=REG_DWORD 0x0000002a
//   "Raw"=REG_BINARY hex:01,02,ff
//
// Strings escape '\', '"' and characters that are not printable as \x{hex}; key names
// escape '%' and such characters as %XXXXXXXX (eight hex digits), since '\' separates
// them. Data that no friendlier form would give back byte for byte is written as hex,
// so every value round-trips exactly.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/registry/RegistryKey.h"

class CRegistryText {
public:
    using Roots = std::map<std::wstring, std::shared_ptr<CRegistryKey>, CRegistryKey::NameLess>;

    // The key (named `path`) and everything under it, depth first, keys in name order.
    static std::wstring Write(const std::wstring& path, const CRegistryKey& key);

    // A key name as it appears between the '\\' of a key line.
    static std::wstring EscapeKeyName(const std::wstring& name);

    // Adds the keys and values of `text` under the roots named in its key lines.
    // False (with the 1-based line number) on a line it cannot read.
    static bool Read(const std::wstring& text, const Roots& roots, size_t* errorLine);
};
