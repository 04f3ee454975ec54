#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/htmlhelp/HtmlHelp.h"
#include "platform/kernel/Module.h"
#include "platform/registry/Registry.h"
#include "tests/platform/kernel/TempFolder.h"

namespace {

class HtmlHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.Ok());
        std::ofstream(m_folder.Unix("PV.chm")) << "help";
        CHtmlHelp::Instance().ClearRequests();
        CFaultInjector::Instance().ClearAll();
    }
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }

    std::wstring Path(const std::wstring& pattern) const {
        std::wstring path = pattern;
        if (size_t at = path.find(L"$DIR"); at != std::wstring::npos)
            path.replace(at, 4, m_folder.Dos());
        return path;
    }

    CTempFolder m_folder;
};

struct HelpCase {
    const wchar_t* file;
    UINT command;
    bool opens;
};

class HtmlHelpTable : public HtmlHelpTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HtmlHelpTable, OpensOnlyAnExistingFile) {
    const HelpCase& c = GetParam();
    const std::wstring file = Path(c.file);
    const HWND window = HtmlHelpW(nullptr, file.c_str(), c.command, 4711);
    EXPECT_EQ(c.opens ? CHtmlHelp::ViewerWindow() : nullptr, window) << file;
    ASSERT_EQ(1u, CHtmlHelp::Instance().Requests().size());
    EXPECT_EQ(window, CHtmlHelp::Instance().Requests()[0].answer);
}

INSTANTIATE_TEST_SUITE_P(Files, HtmlHelpTable,
                         ::testing::Values(HelpCase{L"$DIR\\PV.chm", HH_HELP_CONTEXT, true},
                                           HelpCase{L"$DIR/PV.chm", HH_HELP_CONTEXT, true},
                                           HelpCase{L"$DIR\\PV.chm::/topic.htm", HH_HELP_CONTEXT, true},
                                           HelpCase{L"$DIR\\PV.chm>main", HH_HELP_CONTEXT, true},
                                           HelpCase{L"$DIR\\Missing.chm", HH_HELP_CONTEXT, false},
                                           HelpCase{L"$DIR\\Missing.chm::/PV.chm", HH_HELP_CONTEXT, false},
                                           HelpCase{L"$DIR", HH_HELP_CONTEXT, false},
                                           HelpCase{L"", HH_HELP_CONTEXT, false},
                                           // Commands other than HH_HELP_CONTEXT are not offered.
                                           HelpCase{L"$DIR\\PV.chm", 0x0000, false}));

TEST_F(HtmlHelpTest, RecordsEveryRequestInOrder) {
    const HWND caller = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    const std::wstring existing = Path(L"$DIR\\PV.chm");
    const std::wstring missing = Path(L"$DIR\\None.chm");
    HtmlHelpW(caller, existing.c_str(), HH_HELP_CONTEXT, 1006);
    HtmlHelpW(nullptr, missing.c_str(), HH_HELP_CONTEXT, 0xFFFFFFFF);
    HtmlHelpW(caller, nullptr, HH_HELP_CONTEXT, 7);
    const std::vector<CHtmlHelp::Request>& requests = CHtmlHelp::Instance().Requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_EQ(caller, requests[0].caller);
    EXPECT_EQ(existing, requests[0].file);
    EXPECT_EQ(HH_HELP_CONTEXT, requests[0].command);
    EXPECT_EQ(1006u, requests[0].data);
    EXPECT_EQ(CHtmlHelp::ViewerWindow(), requests[0].answer);
    EXPECT_EQ(nullptr, requests[1].caller);
    EXPECT_EQ(missing, requests[1].file);
    EXPECT_EQ(0xFFFFFFFFu, requests[1].data);
    EXPECT_EQ(nullptr, requests[1].answer);
    EXPECT_EQ(L"", requests[2].file);
    EXPECT_EQ(nullptr, requests[2].answer);
    CHtmlHelp::Instance().ClearRequests();
    EXPECT_TRUE(CHtmlHelp::Instance().Requests().empty());
}

TEST_F(HtmlHelpTest, InjectedFailureAnswersNoWindow) {
    CFaultInjector::Instance().Inject("HtmlHelpW", 0);
    const std::wstring existing = Path(L"$DIR\\PV.chm");
    EXPECT_EQ(nullptr, HtmlHelpW(nullptr, existing.c_str(), HH_HELP_CONTEXT, 1));
    EXPECT_EQ(CHtmlHelp::ViewerWindow(), HtmlHelpW(nullptr, existing.c_str(), HH_HELP_CONTEXT, 1));
    EXPECT_EQ(2u, CHtmlHelp::Instance().Requests().size());
}

constexpr const wchar_t* kServerKey = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

bool ReadText(const wchar_t* valueName, std::wstring* text) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    *text = buffer;
    return true;
}

// What a caller does to find HtmlHelpW: the control's registered library, loaded by path.
void ExpectRegisteredLibraryExportsHtmlHelp() {
    std::wstring path, threading;
    ASSERT_TRUE(ReadText(nullptr, &path));
    ASSERT_TRUE(ReadText(L"ThreadingModel", &threading));
    EXPECT_EQ(L"Apartment", threading);
    EXPECT_EQ(L"Z:\\", path.substr(0, 3));
    const HMODULE library = LoadLibraryW(path.c_str());
    ASSERT_NE(nullptr, library) << path;
    EXPECT_EQ(reinterpret_cast<FARPROC>(&HtmlHelpW), GetProcAddress(library, "HtmlHelpW"));
    FreeLibrary(library);
}

TEST(HtmlHelpRegistration, TheControlIsRegisteredWhenTheLibraryLoads) {
    ExpectRegisteredLibraryExportsHtmlHelp();
}

TEST(HtmlHelpRegistration, RegisterControlWritesTheKeyAgainAfterTheRegistryWasCleared) {
    CRegistry::Instance().Clear();
    std::wstring path;
    EXPECT_FALSE(ReadText(nullptr, &path));
    ASSERT_EQ(ERROR_SUCCESS, CHtmlHelp::RegisterControl());
    ExpectRegisteredLibraryExportsHtmlHelp();
    CRegistry::Instance().Clear();
}

TEST(HtmlHelpRegistration, TheLibraryNameAloneFindsHtmlHelpToo) {
    const HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(reinterpret_cast<FARPROC>(&HtmlHelpW), GetProcAddress(library, "HtmlHelpW"));
    FreeLibrary(library);
}

} // namespace
