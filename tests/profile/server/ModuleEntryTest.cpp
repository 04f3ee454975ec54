#include <gtest/gtest.h>

#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/Registry.h"
#include "profile/interfaces/Panel.h"
#include "tests/profile/server/ModuleTestSupport.h"

namespace {

constexpr CLSID kUpperPage{0x5B0F1E2A, 0x9C3D, 0x4E7F, {0x8A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0x6A, 0x7B}};
constexpr CLSID kLowerPage{0xC1D2E3F4, 0xA5B6, 0x4C7D, {0x8E, 0x9F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}};
constexpr CLSID kUnknown{0x01234567, 0x89AB, 0x4CDE, {0xF0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE}};
constexpr IID kOtherInterface{0x0BADF00D, 0x1234, 0x4567, {0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67}};

// The default value of a key under HKEY_CLASSES_ROOT, or what is missing.
std::wstring ReadClassDefault(const std::wstring& keyName) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<no key>";
    wchar_t text[300] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(text) : L"<no value>";
}

class ModuleEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CRegistry::Instance().Clear();
        ASSERT_NE(nullptr, profile.module) << "PVZQTestPages.dll did not load";
    }
    void TearDown() override {
        CFaultInjector::Instance().ClearAll();
        CRegistry::Instance().Clear();
    }

    CComPtr<IClassFactory> Factory(REFCLSID clsid) {
        CComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK,
                  profile.getClassObject(clsid, IClassFactory::Iid, reinterpret_cast<void**>(&factory)));
        return factory;
    }

    std::wstring ReadDefault(const std::wstring& keyName) { return ReadClassDefault(keyName); }

    ProfileModule profile{BinDosPath("PVZQTestPages.dll")};
};

TEST_F(ModuleEntryTest, ClassLookupIgnoresCaseAndLeavesOutPointerForUnknownClasses) {
    for (const CLSID& page : {kUpperPage, kLowerPage}) {
        CComPtr<IClassFactory> factory = Factory(page);
        EXPECT_TRUE(factory);
    }
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, profile.getClassObject(kUnknown, IClassFactory::Iid, &untouched));
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), untouched);
}

TEST_F(ModuleEntryTest, AnyRequestedInterfaceStillGivesTheFactory) {
    for (const IID& riid : {IUnknown::Iid, kOtherInterface}) {
        IUnknown* object = nullptr;
        ASSERT_EQ(S_OK, profile.getClassObject(kUpperPage, riid, reinterpret_cast<void**>(&object)));
        CComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK, object->QueryInterface(IClassFactory::Iid, reinterpret_cast<void**>(&factory)));
        object->Release();
    }
}

TEST_F(ModuleEntryTest, LockCountFollowsFactoriesPagesAndLockServer) {
    EXPECT_EQ(S_OK, profile.canUnloadNow());
    {
        CComPtr<IClassFactory> factory = Factory(kUpperPage);
        EXPECT_EQ(S_FALSE, profile.canUnloadNow()) << "a live factory locks the module";
        CComPtr<IPVChild> page;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IPVChild::Iid, reinterpret_cast<void**>(&page)));
        factory = nullptr;
        EXPECT_EQ(1, profile.livePages());
        EXPECT_EQ(S_FALSE, profile.canUnloadNow()) << "a live page locks the module";
    }
    EXPECT_EQ(0, profile.livePages());
    EXPECT_EQ(S_OK, profile.canUnloadNow());

    CComPtr<IClassFactory> factory = Factory(kLowerPage);
    factory->LockServer(TRUE);
    factory->LockServer(TRUE);
    factory->LockServer(FALSE);
    factory = nullptr;
    EXPECT_EQ(S_FALSE, profile.canUnloadNow()) << "one LockServer(TRUE) is still outstanding";
    Factory(kLowerPage)->LockServer(FALSE);
    EXPECT_EQ(S_OK, profile.canUnloadNow());
}

TEST_F(ModuleEntryTest, FactoryRefusals) {
    CComPtr<IClassFactory> factory = Factory(kUpperPage);
    struct Case {
        const char* what;
        IUnknown* outer;
        IID riid;
        const char* failingAllocation;
        HRESULT expected;
    } cases[] = {
        {"aggregation", factory, IPVChild::Iid, nullptr, CLASS_E_NOAGGREGATION},
        {"interface the page lacks", nullptr, kOtherInterface, nullptr, E_NOINTERFACE},
        {"page allocation fails", nullptr, IPVChild::Iid, "new page", E_OUTOFMEMORY},
    };
    for (const Case& c : cases) {
        if (c.failingAllocation)
            CFaultInjector::Instance().Inject(c.failingAllocation, 0);
        void* out = reinterpret_cast<void*>(0x1);
        EXPECT_EQ(c.expected, factory->CreateInstance(c.outer, c.riid, &out)) << c.what;
        EXPECT_EQ(nullptr, out) << c.what;
        EXPECT_EQ(0, profile.livePages()) << c.what << ": the page must be gone";
    }
    EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IPVChild::Iid, nullptr));
    factory = nullptr;
    EXPECT_EQ(S_OK, profile.canUnloadNow()) << "the lock count is back where it was";

    void* none = nullptr;
    EXPECT_EQ(E_NOINTERFACE, Factory(kUpperPage)->QueryInterface(kOtherInterface, &none));

    CFaultInjector::Instance().Inject("new CPVPropPageClassFactory", 0);
    void* out = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(E_OUTOFMEMORY, profile.getClassObject(kUpperPage, IClassFactory::Iid, &out));
    EXPECT_EQ(S_OK, profile.canUnloadNow());
}

TEST_F(ModuleEntryTest, RegistrationWritesAndOverwritesTheClassKeys) {
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(S_OK, profile.registerServer()) << "round " << round;
        EXPECT_EQ(L"TestPageUpper Page", ReadDefault(L"CLSID\\{5B0F1E2A-9C3D-4E7F-8A1B-2C3D4E5F6A7B}"));
        EXPECT_EQ(L"TestPageLower Page", ReadDefault(L"CLSID\\{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}"));
        EXPECT_EQ(BinDosPath("PVZQTestPages.dll"),
                  ReadDefault(L"CLSID\\{5B0F1E2A-9C3D-4E7F-8A1B-2C3D4E5F6A7B}\\InProcServer32"));
    }
}

TEST_F(ModuleEntryTest, UnregistrationRemovesKeysWithSubkeysAddedByOthers) {
    ASSERT_EQ(S_OK, profile.registerServer());
    HKEY extra = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT,
                                             L"CLSID\\{5B0F1E2A-9C3D-4E7F-8A1B-2C3D4E5F6A7B}\\Other\\Deeper",
                                             0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &extra, nullptr));
    RegCloseKey(extra);
    // The lower page's key is gone already: not an error.
    HKEY clsid = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_ALL_ACCESS, &clsid));
    HKEY lower = nullptr;
    RegOpenKeyExW(clsid, L"{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}", 0, KEY_ALL_ACCESS, &lower);
    RegDeleteKeyW(lower, L"InProcServer32");
    RegCloseKey(lower);
    RegDeleteKeyW(clsid, L"{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}");
    RegCloseKey(clsid);

    EXPECT_EQ(S_OK, profile.unregisterServer());
    EXPECT_EQ(L"<no key>", ReadDefault(L"CLSID\\{5B0F1E2A-9C3D-4E7F-8A1B-2C3D4E5F6A7B}"));
    EXPECT_EQ(L"<no key>", ReadDefault(L"CLSID\\{c1d2e3f4-a5b6-4c7d-8e9f-0a1b2c3d4e5f}"));
    EXPECT_TRUE(profile.registryUsable());
}

// Each registry call of registration fails once in turn: the result is E_FAIL and
// the module refuses every later (un)registration without touching the registry.
// The module is loaded afresh for each case, since the refusal lasts for its life.
TEST(ModuleEntryRegistryFailure, AnyFailingCallDisablesTheRegistryForTheModuleLife) {
    const char* calls[] = {"RegCreateKeyExW", "RegSetValueExW", "RegCloseKey"};
    for (const char* call : calls) {
        for (int skip = 0; skip < 3; ++skip) {
            CRegistry::Instance().Clear();
            ProfileModule profile(BinDosPath("PVZQTestPages.dll"));
            ASSERT_NE(nullptr, profile.module);
            CFaultInjector::Instance().Inject(call, ERROR_ACCESS_DENIED, skip, 1);
            EXPECT_EQ(E_FAIL, profile.registerServer()) << call << " after " << skip;
            CFaultInjector::Instance().ClearAll();
            EXPECT_FALSE(profile.registryUsable());
            const int createsBefore = CFaultInjector::Instance().Calls("RegCreateKeyExW");
            EXPECT_EQ(E_FAIL, profile.registerServer());
            EXPECT_EQ(E_FAIL, profile.unregisterServer());
            EXPECT_EQ(createsBefore, CFaultInjector::Instance().Calls("RegCreateKeyExW"));
        }
    }
    CRegistry::Instance().Clear();
}

TEST(ModuleEntryRegistryFailure, UnregistrationFailsWhenTheClsidKeyCannotBeOpened) {
    CRegistry::Instance().Clear();
    ProfileModule profile(BinDosPath("PVZQTestPages.dll"));
    ASSERT_NE(nullptr, profile.module);
    EXPECT_EQ(E_FAIL, profile.unregisterServer()) << "there is no CLSID key at all";
    EXPECT_FALSE(profile.registryUsable());
}

TEST(ModuleEntry, ShippedModuleRegistersItsPagesUnderTheirFixedClassIds) {
    CRegistry::Instance().Clear();
    ProfileModule profile(BinDosPath("PVZQTavrin100.dll"));
    ASSERT_NE(nullptr, profile.module);
    ASSERT_NE(nullptr, profile.registerServer);
    EXPECT_EQ(S_OK, profile.registerServer());
    // The host keeps these identifiers in its projects: they never change.
    const struct {
        const wchar_t* clsid;
        const wchar_t* name;
    } pages[] = {
        {L"{A8385E73-23E7-479D-951F-685F470BA12B}", L"PVPageTavrinCOMM Page"},
        {L"{16F6FE9D-221C-459A-8BA1-7BEE4922E6F0}", L"PVPageTavrinSENSOR Page"},
        {L"{487752D8-E4E9-4112-A117-95EB27DD853A}", L"PVPageTavrinSYSUNIT Page"},
    };
    for (const auto& page : pages) {
        const std::wstring key = std::wstring(L"CLSID\\") + page.clsid;
        EXPECT_EQ(page.name, ReadClassDefault(key)) << page.clsid;
        const std::wstring server = ReadClassDefault(key + L"\\InProcServer32");
        EXPECT_TRUE(server.ends_with(L"\\PVZQTavrin100.dll")) << server;
        CLSID clsid{};
        ASSERT_EQ(S_OK, CLSIDFromString(page.clsid, &clsid));
        CComPtr<IClassFactory> factory;
        ASSERT_EQ(S_OK, profile.getClassObject(clsid, IClassFactory::Iid, reinterpret_cast<void**>(&factory)));
        CComPtr<IPVChild> child;
        EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, IPVChild::Iid, reinterpret_cast<void**>(&child)));
    }
    EXPECT_EQ(S_OK, profile.canUnloadNow()) << "every factory and page is gone";
    EXPECT_EQ(S_OK, profile.unregisterServer());
    EXPECT_EQ(L"<no key>", ReadClassDefault(std::wstring(L"CLSID\\") + pages[0].clsid));
}

} // namespace
