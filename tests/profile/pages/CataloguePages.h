// The profile's page catalogue as the page tests and the benchmark walk it: the pages
// built so far and the members each binds.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Guid.h"
#include "profile/pages/PVPageCatalogue.h"

// The catalogue's pages that have controls: the ones the module registers.
inline std::vector<const CPVPageTable*> BuiltPages() {
    std::vector<const CPVPageTable*> pages;
    for (const CPVPageTable* page : PVPageCatalogue::kPages)
        if (!page->rows.empty())
            pages.push_back(page);
    return pages;
}

// The enumeration members of a page: in its binding order (`bound`), or in list order,
// the order the controls hear the host's events in.
inline std::vector<std::wstring> EnumerationMembers(const CPVPageTable& page, bool bound) {
    std::vector<std::wstring> members;
    for (size_t i = 0; i < page.rows.size(); ++i) {
        const CPVControlRow& row = bound ? page.BoundRow(i) : page.rows[i];
        if (row.value == PVValue::Enumeration)
            members.push_back(row.member);
    }
    return members;
}

inline CLSID PageClassId(const CPVPageTable& page) {
    CLSID clsid{};
    CLSIDFromString(page.clsid, &clsid);
    return clsid;
}

// A test name from a class name: "SYSUNIT" from "CPVPageTavrinSYSUNIT".
inline std::string PageShortName(const CPVPageTable& page) {
    const std::wstring name = page.className;
    const std::wstring prefix = L"CPVPageTavrin";
    const std::wstring shortName = name.rfind(prefix, 0) == 0 ? name.substr(prefix.size()) : name;
    return std::string(shortName.begin(), shortName.end());
}
