#include "tools/pvhost/PageList.h"

#include <algorithm>
#include <cwctype>

#include "platform/base/TextCodec.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "platform/registry/Registry.h"
#include "profile/pages/PVPageCatalogue.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

std::wstring DefaultValue(HKEY key, const wchar_t* subKey) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key, subKey, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return L"";
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    std::wstring value;
    if (RegQueryValueExW(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        value = buffer;
    RegCloseKey(opened);
    return value;
}

// A 16-bit little-endian unit of a resource block.
struct CBlockReader {
    const unsigned char* data;
    size_t size;
    size_t offset = 0;
    bool ok = true;

    unsigned Word() {
        if (offset + 2 > size) {
            ok = false;
            return 0;
        }
        const unsigned value = data[offset] | (data[offset + 1] << 8);
        offset += 2;
        return value;
    }
    void Skip(size_t bytes) {
        if (offset + bytes > size)
            ok = false;
        offset += bytes;
    }
    // A name or ordinal: 0 none, 0xFFFF and an ordinal, or a terminated string.
    std::wstring NameOrOrdinal() {
        const unsigned first = Word();
        if (first == 0 || !ok)
            return L"";
        if (first == 0xFFFF) {
            Word();
            return L"";
        }
        std::u16string units(1, static_cast<char16_t>(first));
        for (unsigned unit = Word(); ok && unit != 0; unit = Word())
            units += static_cast<char16_t>(unit);
        return CTextCodec::FromUtf16(units.data(), units.size());
    }
};

} // namespace

int CPageList::TemplateIdOf(const std::wstring& className) {
    const CPVPageTable* page = PVPageCatalogue::Find(className);
    return page ? static_cast<int>(page->dialogTemplate) : 0;
}

std::wstring CPageList::DialogCaption(const unsigned char* data, size_t size) {
    CBlockReader reader{data, size};
    const unsigned version = reader.Word();
    const unsigned signature = reader.Word();
    if (version == 1 && signature == 0xFFFF)
        reader.Skip(4 + 4 + 4 + 2 + 8); // help id, extended style, style, item count, rectangle
    else
        reader.Skip(4 + 2 + 8); // the style's words are read; extended style, item count, rectangle
    reader.NameOrOrdinal();     // menu
    reader.NameOrOrdinal();     // window class
    const std::wstring caption = reader.NameOrOrdinal();
    return reader.ok ? caption : L"";
}

std::vector<CPageEntry> CPageList::Read(const std::string& resourceLibrary, const std::wstring& serverFile) {
    const std::wstring wantedFile = Lower(serverFile);
    std::vector<CPageEntry> pages;
    HKEY classes = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &classes) != ERROR_SUCCESS)
        return pages;
    HMODULE resources = nullptr;
    if (!resourceLibrary.empty())
        resources = LoadLibraryW(CDosPath::ToDos(resourceLibrary).c_str());
    for (DWORD index = 0;; ++index) {
        wchar_t name[128] = {};
        DWORD length = 128;
        if (RegEnumKeyExW(classes, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::wstring server = DefaultValue(classes, (std::wstring(name) + L"\\InProcServer32").c_str());
        const std::wstring lowerServer = Lower(server);
        const size_t fileLength = wantedFile.size();
        if (lowerServer.size() < fileLength ||
            lowerServer.compare(lowerServer.size() - fileLength, fileLength, wantedFile) != 0 ||
            (lowerServer.size() > fileLength && lowerServer[lowerServer.size() - fileLength - 1] != L'\\' &&
             lowerServer[lowerServer.size() - fileLength - 1] != L'/'))
            continue;
        CPageEntry entry;
        entry.clsid = name;
        entry.server = server;
        // The class key holds "<name> Page"; the class is that name with a C before it.
        std::wstring pageName = DefaultValue(classes, name);
        const std::wstring suffix = L" Page";
        if (pageName.size() > suffix.size() &&
            pageName.compare(pageName.size() - suffix.size(), suffix.size(), suffix) == 0)
            pageName.resize(pageName.size() - suffix.size());
        entry.className = pageName.empty() ? L"" : L"C" + pageName;
        entry.templateId = TemplateIdOf(entry.className);
        if (resources && entry.templateId != 0) {
            if (HRSRC found = FindResourceW(resources, MAKEINTRESOURCEW(entry.templateId), RT_DIALOG)) {
                const auto* block =
                    static_cast<const unsigned char*>(LockResource(LoadResource(resources, found)));
                if (block)
                    entry.title = DialogCaption(block, SizeofResource(resources, found));
            }
        }
        pages.push_back(entry);
    }
    if (resources)
        FreeLibrary(resources);
    RegCloseKey(classes);
    const auto rank = [](const CPageEntry& page) {
        const auto& pages = PVPageCatalogue::kPages;
        for (size_t i = 0; i < std::size(pages); ++i)
            if (page.className == pages[i]->className)
                return i;
        return std::size(pages);
    };
    std::stable_sort(pages.begin(), pages.end(),
                     [&](const CPageEntry& a, const CPageEntry& b) { return rank(a) < rank(b); });
    return pages;
}
