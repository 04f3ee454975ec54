#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Module.h"
#include "tests/profile/server/ModuleTestSupport.h"

namespace {

namespace fs = std::filesystem;

// A folder holding a copy of the test module under the name X.dll, with the
// resource libraries a test chooses.
class ResourceLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("pv-reslib-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        fs::copy_file(BinDir() + "/PVZQTestPages.dll", folder / "X.dll",
                      fs::copy_options::overwrite_existing);
    }
    void TearDown() override {
        CFaultInjector::Instance().ClearAll();
        fs::remove_all(folder);
    }
    void AddLibrary(const char* language) {
        fs::copy_file(BinDir() + "/PVZQTestPages" + language + ".dll",
                      folder / ("X" + std::string(language) + ".dll"), fs::copy_options::overwrite_existing);
    }
    std::wstring ModulePath() const { return CDosPath::ToDos((folder / "X.dll").string()); }
    template <class F> F Export(HMODULE module, const char* name) {
        return reinterpret_cast<F>(GetProcAddress(module, name));
    }
    std::wstring String(HMODULE module, UINT id) {
        wchar_t text[256] = {};
        Export<int (*)(UINT, wchar_t*, int)>(module, "PvTestLoadString")(id, text, 256);
        return text;
    }

    fs::path folder;
};

TEST_F(ResourceLibraryTest, WithoutTheEnglishLibraryTheModuleRefusesToLoad) {
    EXPECT_EQ(nullptr, LoadLibraryW(ModulePath().c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), GetLastError());
}

TEST_F(ResourceLibraryTest, LoadsFromAnyFolderWithTheEnglishLibraryBesideIt) {
    AddLibrary("ENU");
    HMODULE module = LoadLibraryW(ModulePath().c_str());
    ASSERT_NE(nullptr, module);
    EXPECT_EQ(1033u, Export<LCID (*)()>(module, "PvTestLocale")());
    EXPECT_FALSE(String(module, 10019).empty());
    FreeLibrary(module);
}

TEST_F(ResourceLibraryTest, SwitchingLocales) {
    AddLibrary("ENU");
    AddLibrary("DEU");
    HMODULE module = LoadLibraryW(ModulePath().c_str());
    ASSERT_NE(nullptr, module);
    auto load = Export<bool (*)(LCID)>(module, "PvTestLoadLocale");
    auto locale = Export<LCID (*)()>(module, "PvTestLocale");
    auto library = Export<HINSTANCE (*)()>(module, "PvTestResourceLibrary");
    const std::wstring english = String(module, 10020);
    HINSTANCE englishLibrary = library();

    // The current locale again: nothing is reloaded.
    const int loadsBefore = CFaultInjector::Instance().Calls("LoadLibraryW");
    EXPECT_TRUE(load(1033));
    EXPECT_EQ(loadsBefore, CFaultInjector::Instance().Calls("LoadLibraryW"));
    EXPECT_EQ(englishLibrary, library());

    // French has no library beside the module: the English one stays.
    EXPECT_FALSE(load(1036));
    EXPECT_EQ(1033u, locale());
    EXPECT_EQ(english, String(module, 10020));

    // German: XDEU.dll is loaded and becomes the resource library.
    EXPECT_TRUE(load(1031));
    EXPECT_EQ(1031u, locale());
    EXPECT_NE(english, String(module, 10020));
    EXPECT_EQ(ModulePath().substr(0, ModulePath().size() - 4) + L"DEU.dll", [&] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(library(), path, MAX_PATH);
        return std::wstring(path);
    }());

    // A library that exists but does not load keeps German.
    AddLibrary("ENU");
    CFaultInjector::Instance().Inject("LoadLibraryW", ERROR_BAD_EXE_FORMAT);
    EXPECT_FALSE(load(1033));
    EXPECT_EQ(1031u, locale());
    FreeLibrary(module);
}

} // namespace
