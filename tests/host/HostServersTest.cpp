#include <cwchar>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "host/HostFileFinder.h"
#include "host/HostServers.h"
#include "platform/com/ClassTable.h"
#include "platform/kernel/DosPath.h"
#include "profile/interfaces/FileFinder.h"
#include "profile/interfaces/TextServers.h"
#include "tests/host/HostTestSupport.h"

namespace {

constexpr LCID kEnglish = 1033;
constexpr LCID kGerman = 1031;

class HostServersTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = EmbeddedContext();
        servers = std::make_unique<CHostServers>(context);
        ASSERT_EQ(S_OK, servers->Register());
    }

    // Created by class as the profile does: CoCreateInstance, OleRun, the server interface.
    template <class Server> CComPtr<Server> Create(REFCLSID clsid, LCID locale) {
        CComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                         reinterpret_cast<void**>(&object)));
        EXPECT_EQ(S_OK, OleRun(object));
        CComPtr<IPVLocale> language;
        EXPECT_EQ(S_OK, object.QueryInterface(&language));
        EXPECT_EQ(S_OK, language->SetLocale(locale));
        CComPtr<Server> server;
        EXPECT_EQ(S_OK, object.QueryInterface(&server));
        return server;
    }

    std::wstring String(LONG id, LCID locale, bool withAccelerators) {
        auto server = Create<IPVStringServer>(CLSID_PVStringServer, locale);
        server->SetWithAccelerators(withAccelerators ? VARIANT_TRUE : VARIANT_FALSE);
        BSTR text = nullptr;
        if (FAILED(server->GetString(id, &text)))
            return L"<none>";
        std::wstring result = text;
        SysFreeString(text);
        return result;
    }

    std::shared_ptr<CHostContext> context;
    std::unique_ptr<CHostServers> servers;
};

TEST_F(HostServersTest, ButtonLabelsInBothLanguages) {
    struct Case {
        LONG id;
        LCID locale;
        bool accelerators;
        const wchar_t* text;
    } cases[] = {
        {1, kEnglish, true, L"OK"},
        {2, kGerman, true, L"Abbrechen"},
        {3, kEnglish, true, L"&Yes"},
        {3, kEnglish, false, L"Yes"},
        {4, kGerman, true, L"&Nein"},
        {4, kGerman, false, L"Nein"},
        {6, kEnglish, true, L"&Retry"},
        {7, kGerman, true, L"&Ignorieren"},
        {8, kGerman, false, L"Hilfe"},
        {33, kEnglish, false, L"Forced to %1"},
        {33, kGerman, false, L"Erzwungen auf %1"},
        {3, 0x0407 | 0x10000, true, L"&Ja"}, // German with a sort order is still German
        {3, 1036, true, L"&Yes"},            // a language without texts falls back to English
        {9, kEnglish, true, L"<none>"},
        {34, kEnglish, true, L"<none>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, String(c.id, c.locale, c.accelerators)) << c.id << " " << c.locale;
}

TEST_F(HostServersTest, EveryPromptTheProfileUsesExistsInBothLanguages) {
    struct Table {
        const CLSID* clsid;
        std::vector<LONG> ids;
    } tables[] = {
        {&CLSID_PVPromptServer, {9, 11, 17}},
        {&CLSID_PVFrameworkPromptServer, {2, 3, 4, 5, 6, 7, 14, 20, 21, 0xF107}},
    };
    for (const Table& table : tables) {
        for (LCID locale : {kEnglish, kGerman}) {
            auto server = Create<IPVPromptServer>(*table.clsid, locale);
            for (LONG id : table.ids) {
                BSTR helpFile = nullptr, text = nullptr;
                LONG context = 0;
                ASSERT_EQ(S_OK, server->GetPrompt(id, &helpFile, &context, &text)) << id;
                EXPECT_GT(SysStringLen(text), 5u) << id;
                EXPECT_STREQ(L"pvhost.chm", helpFile);
                EXPECT_NE(0, context);
                SysFreeString(helpFile);
                SysFreeString(text);
            }
        }
    }
}

TEST_F(HostServersTest, PromptTextsCarryTheirInsertsAndDifferByLanguage) {
    auto english = Create<IPVPromptServer>(CLSID_PVFrameworkPromptServer, kEnglish);
    auto german = Create<IPVPromptServer>(CLSID_PVFrameworkPromptServer, kGerman);
    struct Case {
        LONG id;
        std::vector<const wchar_t*> inserts;
    } cases[] = {
        {2, {}}, {3, {L"%1"}}, {5, {L"%1", L"%2"}}, {6, {L"%1", L"%2"}}, {14, {L"%1", L"%2", L"%3"}}};
    for (const Case& c : cases) {
        BSTR file = nullptr, englishText = nullptr, germanText = nullptr;
        LONG help = 0;
        ASSERT_EQ(S_OK, english->GetPrompt(c.id, &file, &help, &englishText));
        SysFreeString(file);
        ASSERT_EQ(S_OK, german->GetPrompt(c.id, &file, &help, &germanText));
        SysFreeString(file);
        EXPECT_STRNE(englishText, germanText) << c.id;
        for (const wchar_t* insert : c.inserts) {
            EXPECT_NE(nullptr, std::wcsstr(englishText, insert)) << c.id;
            EXPECT_NE(nullptr, std::wcsstr(germanText, insert)) << c.id;
        }
        if (c.inserts.size() < 3) {
            EXPECT_EQ(nullptr, std::wcsstr(englishText, L"%3")) << c.id;
        }
        SysFreeString(englishText);
        SysFreeString(germanText);
    }
    BSTR file = nullptr, text = nullptr;
    LONG help = 0;
    EXPECT_EQ(E_INVALIDARG,
              english->GetPrompt(9, &file, &help, &text)); // a module prompt, not the framework's
    EXPECT_EQ(nullptr, text);
}

TEST_F(HostServersTest, RevokedClassesAreNoLongerCreated) {
    servers->Revoke();
    CComPtr<IUnknown> object;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_PVStringServer, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                                    reinterpret_cast<void**>(&object)));
}

TEST_F(HostServersTest, CreationCanBeMadeToFailByClass) {
    context->Faults().Inject(L"CreateInstance", E_OUTOFMEMORY, L"PromptServer");
    CComPtr<IUnknown> object;
    EXPECT_EQ(E_OUTOFMEMORY, CoCreateInstance(CLSID_PVPromptServer, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                              reinterpret_cast<void**>(&object)));
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_PVFrameworkPromptServer, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                     reinterpret_cast<void**>(&object)));
}

TEST_F(HostServersTest, FileFinderResolvesHelpFilesInTheHostsLanguage) {
    const std::string folder = CDosPath::DriveC() + "/HostHelpTest";
    std::filesystem::create_directories(folder + "/Vendor");
    { std::ofstream(folder + "/Vendor/Flowmeter.chm") << "x"; }
    { std::ofstream(folder + "/Vendor/FlowmeterENU.chm") << "x"; }
    context->SetHelpFolder(L"C:\\HostHelpTest");
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ModuleSpecificFileFind, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                     reinterpret_cast<void**>(&object)));
    CComPtr<IModuleSpecificFileFind> finder;
    ASSERT_EQ(S_OK, object.QueryInterface(&finder));
    struct Case {
        const wchar_t* name;
        HRESULT result;
        const wchar_t* path;
    } cases[] = {
        {L"\\Vendor\\Flowmeter", S_OK, L"C:\\HostHelpTest\\Vendor\\FlowmeterENU.chm"},
        {L"Vendor\\Flowmeter.chm", S_OK, L"C:\\HostHelpTest\\Vendor\\Flowmeter.chm"},
        {L"Vendor\\Missing", HRESULT_FROM_WIN32(2), nullptr},
        {L"\\\\", E_INVALIDARG, nullptr},
    };
    for (const Case& c : cases) {
        BSTR path = nullptr;
        EXPECT_EQ(c.result, finder->ResolvePath(CTestBstr(c.name), &path));
        if (c.path) {
            EXPECT_STREQ(c.path, path);
        } else {
            EXPECT_EQ(nullptr, path);
        }
        SysFreeString(path);
    }
}

} // namespace
