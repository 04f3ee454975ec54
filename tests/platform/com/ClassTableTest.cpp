#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/FaultInjector.h"
#include "platform/base/TextCodec.h"
#include "platform/com/ClassTable.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/registry/Registry.h"
#include "tests/platform/com/CountedObject.h"

namespace {

constexpr CLSID kServerClass{0x6E1F0A52, 0x3C7B, 0x4D2E, {0x9A, 0x11, 0x50, 0x2C, 0x7E, 0x44, 0x81, 0x3F}};
constexpr CLSID kHostClass{0x0B6C53D1, 0x7F2A, 0x4E90, {0x8C, 0x3D, 0x21, 0x6A, 0x9F, 0x05, 0xB7, 0x42}};
constexpr CLSID kUnknownClass{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

// A factory a host registers in-process; it makes counted objects.
class CHostFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IUnknown::Iid) && !IsEqualIID(riid, IClassFactory::Iid))
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        ++m_created;
        auto* object = new CCountedObject(nullptr, true);
        object->AddRef();
        HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    ULONG m_refs = 0;
    int m_created = 0;
};

std::wstring ServerPath() {
    const char* bin = std::getenv("PV_BIN_DIR");
    return CDosPath::ToDos(std::string(bin ? bin : ".") + "/PvTestServer.dll");
}

struct CreationFailure {
    const char* what;
    std::wstring serverPath; // registered for `clsid`; empty: no registry key at all
    CLSID clsid;
    HRESULT expected;
};

void RegisterClassPath(REFCLSID clsid, const std::wstring& path) {
    wchar_t text[39];
    StringFromGUID2(clsid, text, 39);
    HKEY key = nullptr;
    const std::wstring name = std::wstring(L"CLSID\\") + text + L"\\InProcServer32";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

class ClassTableTest : public ::testing::Test {
protected:
    void SetUp() override { CRegistry::Instance().Clear(); }
    void TearDown() override {
        CFaultInjector::Instance().ClearAll();
        CoFreeUnusedLibraries();
        CRegistry::Instance().Clear();
    }
};

TEST_F(ClassTableTest, HostRegisteredClassIsCreatedUntilRevoked) {
    CHostFactory factory;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK,
              CoRegisterClassObject(kHostClass, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, CoCreateInstance(kHostClass, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                     reinterpret_cast<void**>(&object)));
    EXPECT_EQ(1, factory.m_created);
    ASSERT_EQ(S_OK, CoRevokeClassObject(cookie));
    EXPECT_EQ(0u, factory.m_refs);
    EXPECT_EQ(E_INVALIDARG, CoRevokeClassObject(cookie));
    void* again = reinterpret_cast<void*>(1);
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(kHostClass, nullptr, CLSCTX_ALL, IUnknown::Iid, &again));
    EXPECT_EQ(nullptr, again);
}

TEST_F(ClassTableTest, InProcessServerIsFoundThroughTheRegistryAndUnloadedWhenUnused) {
    RegisterClassPath(kServerClass, ServerPath());
    CComPtr<IUnknown> object;
    ASSERT_EQ(S_OK, CoCreateInstance(kServerClass, nullptr, CLSCTX_ALL, IUnknown::Iid,
                                     reinterpret_cast<void**>(&object)));
    EXPECT_EQ(1u, CClassTable::Instance().LoadedServerCount());
    CoFreeUnusedLibraries();
    EXPECT_EQ(1u, CClassTable::Instance().LoadedServerCount()) << "an object is still alive";
    object = nullptr;
    CoFreeUnusedLibraries();
    EXPECT_EQ(0u, CClassTable::Instance().LoadedServerCount());
}

TEST_F(ClassTableTest, CreationFailuresGiveTheDocumentedCodes) {
    const CreationFailure cases[] = {
        {"class not registered", L"", kUnknownClass, REGDB_E_CLASSNOTREG},
        {"server file missing", L"Z:\\nonexistent\\Missing.dll", kServerClass, CO_E_DLLNOTFOUND},
        // The registry names the test server for a class the server does not know.
        {"server refuses the class", ServerPath(), kHostClass, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const CreationFailure& c : cases) {
        CRegistry::Instance().Clear();
        if (!c.serverPath.empty())
            RegisterClassPath(c.clsid, c.serverPath);
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.expected, CoCreateInstance(c.clsid, nullptr, CLSCTX_ALL, IUnknown::Iid, &out)) << c.what;
        EXPECT_EQ(nullptr, out) << c.what;
    }
}

TEST_F(ClassTableTest, InjectedFailureIsReturned) {
    CHostFactory factory;
    DWORD cookie = 0;
    CoRegisterClassObject(kHostClass, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    CFaultInjector::Instance().Inject("CoCreateInstance", E_OUTOFMEMORY);
    void* out = nullptr;
    EXPECT_EQ(E_OUTOFMEMORY, CoCreateInstance(kHostClass, nullptr, CLSCTX_ALL, IUnknown::Iid, &out));
    EXPECT_EQ(0, factory.m_created);
    CoRevokeClassObject(cookie);
}

TEST(OleRun, RunsRunnableObjectsAndPassesTheirResult) {
    auto* runnable = new CCountedObject(nullptr, true);
    CComPtr<IUnknown> a(static_cast<IRunnableObject*>(runnable));
    EXPECT_EQ(S_OK, OleRun(a));
    EXPECT_EQ(1, runnable->m_runs);
    runnable->m_runResult = E_FAIL;
    EXPECT_EQ(E_FAIL, OleRun(a));

    auto* plain = new CCountedObject(nullptr, false);
    CComPtr<IUnknown> b(static_cast<IRunnableObject*>(plain));
    EXPECT_EQ(S_OK, OleRun(b));
    EXPECT_EQ(0, plain->m_runs);
}

} // namespace
