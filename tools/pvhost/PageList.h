// The profile's page classes as the registry has them: every class key under
// HKEY_CLASSES_ROOT\CLSID whose in-process server is the profile, with the page's
// class name, dialog template id and title (the template's caption in the English
// resource library, when the library has the template).
#pragma once

#include <string>
#include <vector>

struct CPageEntry {
    std::wstring clsid;
    std::wstring className;
    int templateId = 0; // 0: not a page class pvhost knows
    std::wstring title;
    std::wstring server;
};

class CPageList {
public:
    // Reads the class keys whose server's file name is `serverFile` (any case);
    // `resourceLibrary` is the Linux path of the English resource library (empty: no
    // titles). The profile's pages come in the order of its page catalogue, other
    // classes after them in registry order.
    static std::vector<CPageEntry> Read(const std::string& resourceLibrary,
                                        const std::wstring& serverFile = L"PVZQTavrin100.dll");
    static int TemplateIdOf(const std::wstring& className);
    // The caption of a DLGTEMPLATE or DLGTEMPLATEEX block; empty when it has none.
    static std::wstring DialogCaption(const unsigned char* data, size_t size);
};
