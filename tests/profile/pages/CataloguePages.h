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

// The built pages whose controls all stand on the page: the host's events reach every
// one of them, so their members are read row by row as the page binds and activates.
inline std::vector<const CPVPageTable*> UntabbedPages() {
    std::vector<const CPVPageTable*> pages;
    for (const CPVPageTable* page : BuiltPages()) {
        bool tabbed = false;
        for (const CPVControlRow& row : page->rows)
            tabbed = tabbed || row.tabPage;
        if (!tabbed)
            pages.push_back(page);
    }
    return pages;
}

// The enumeration members of a page: in its binding order (`bound`), or in list order,
// the order the controls hear the host's events in. A tab control's row stands for
// the rows of each of its tab pages, numbered by tab.
inline std::vector<std::wstring> EnumerationMembers(const CPVPageTable& page, bool bound) {
    std::vector<std::wstring> members;
    for (size_t i = 0; i < page.rows.size(); ++i) {
        const CPVControlRow& row = bound ? page.BoundRow(i) : page.rows[i];
        if (row.value == PVValue::Enumeration)
            members.push_back(row.member);
        for (size_t tab = 0; row.tabPage && tab < row.tabTitles.size(); ++tab)
            for (const std::wstring& member : EnumerationMembers(*row.tabPage, bound))
                members.push_back(PVNumberedMember(member, static_cast<int>(tab) + 1));
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
