#include <gtest/gtest.h>

#include <map>

#include "logger/AopLogCapture.h"
#include "platform/base/FaultInjector.h"
#include "platform/com/ClassTable.h"
#include "platform/oleaut/Bstr.h"
#include "profile/interfaces/TextServers.h"
#include "profile/values/PVGetSetAdapter.h"
#include "profile/values/PVGetSetFloat.h"
#include "profile/values/PVGetSetLong.h"
#include "profile/values/PVValueForcing.h"
#include "tests/profile/values/LogLines.h"
#include "tests/profile/values/TestTag.h"

namespace {

// The host's string server, with the texts a test gives it.
class CTestStringServer final : public IPVStringServer {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IUnknown::Iid) && !IsEqualIID(riid, IPVStringServer::Iid))
            return E_NOINTERFACE;
        *ppv = static_cast<IPVStringServer*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetString(LONG id, BSTR* text) override {
        auto it = strings.find(id);
        if (it == strings.end())
            return E_INVALIDARG;
        *text = SysAllocString(it->second.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetWithAccelerators(VARIANT_BOOL) override { return S_OK; }

    std::map<LONG, std::wstring> strings;
    ULONG refs = 0;
};

class CStringServerFactory final : public IClassFactory {
public:
    explicit CStringServerFactory(CTestStringServer* server) : m_server(server) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** ppv) override {
        return m_server->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    CTestStringServer* m_server;
};

class ValueForcingTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.strings[33] = L"Forced to %1";
        CoRegisterClassObject(CLSID_PVStringServer, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                              &cookie);
        tag->members[L"Count"].value = CTestVariant::Long(4);
        tag->members[L"Count"].forcedValue = CTestVariant::Long(9);
        adapter.Attach(new CPVGetSetAdapterITag(tag));
        value.Attach(new CPVGetSetLong(L"Count", adapter));
    }
    void TearDown() override {
        CoRevokeClassObject(cookie);
        CFaultInjector::Instance().ClearAll();
        value = nullptr;
        adapter = nullptr;
        tag = nullptr;
        EXPECT_EQ(0, CTestTag::Live());
        EXPECT_EQ(0u, server.refs) << "the string server was released";
    }
    void Force(VARIANT_BOOL forced, VARIANT_BOOL enabled) {
        tag->members[L"Count"].forced = forced;
        tag->forcesEnabled = enabled;
    }

    CTestStringServer server;
    CStringServerFactory factory{&server};
    DWORD cookie = 0;
    CComPtr<CTestTag> tag = CTestTag::Create();
    CComPtr<IPVGetSetAdapter> adapter;
    CComPtr<IPVGetSetValue> value;
};

TEST_F(ValueForcingTest, ForcingState) {
    const struct {
        VARIANT_BOOL forced;
        VARIANT_BOOL enabled;
        bool offersForcing;
        const char* failure;
        int state;
    } cases[] = {
        {VARIANT_FALSE, VARIANT_FALSE, true, nullptr, 0},
        {VARIANT_FALSE, VARIANT_TRUE, true, nullptr, 0},
        {VARIANT_TRUE, VARIANT_FALSE, true, nullptr, 1},
        {VARIANT_TRUE, VARIANT_TRUE, true, nullptr, 2},
        {VARIANT_TRUE, VARIANT_TRUE, false, nullptr, 0},
        {VARIANT_TRUE, VARIANT_TRUE, true, "GetIsForced", 0},
        // Forced, but whether forces are in effect is unknown: not in effect.
        {VARIANT_TRUE, VARIANT_TRUE, true, "GetForcesEnabled", 1},
    };
    for (const auto& c : cases) {
        CComPtr<CTestTag> own = CTestTag::Create();
        own->members[L"Count"].forced = c.forced;
        own->forcesEnabled = c.enabled;
        own->offersForcing = c.offersForcing;
        if (c.failure)
            own->Fail(c.failure, E_UNEXPECTED);
        CComPtr<IPVGetSetAdapter> ownAdapter;
        ownAdapter.Attach(new CPVGetSetAdapterITag(own));
        CComPtr<IPVGetSetValue> ownValue;
        ownValue.Attach(new CPVGetSetLong(L"Count", ownAdapter));
        CPVValueForcing forcing(ownValue);
        EXPECT_EQ(c.state, forcing.GetForcingState())
            << c.forced << " " << c.enabled << " " << c.offersForcing << " " << (c.failure ? c.failure : "");
    }
}

TEST_F(ValueForcingTest, QueriesAnswerNoWithoutForcingInterface) {
    Force(VARIANT_TRUE, VARIANT_TRUE);
    CPVValueForcing forcing(value);
    EXPECT_TRUE(forcing.IsForcingSupported());
    EXPECT_TRUE(forcing.GetForcesEnabled());
    EXPECT_TRUE(forcing.GetIsForced());
    VARIANT forced = forcing.GetForcedValue();
    EXPECT_EQ(VT_I4, forced.vt);
    EXPECT_EQ(9, forced.lVal);
    VariantClear(&forced);

    CPVValueForcing none(nullptr);
    EXPECT_EQ(0, none.GetForcingState());
    EXPECT_FALSE(none.IsForcingSupported());
    EXPECT_FALSE(none.GetForcesEnabled());
    EXPECT_FALSE(none.GetIsForced());
    forced = none.GetForcedValue();
    EXPECT_EQ(VT_EMPTY, forced.vt);
    EXPECT_EQ(CString(), none.GetTooltipText());

    tag->suffix = L"I";
    EXPECT_FALSE(forcing.IsForcingSupported());
}

TEST_F(ValueForcingTest, TooltipShowsTheForcedValue) {
    Force(VARIANT_TRUE, VARIANT_TRUE);
    const struct {
        CTestVariant forced;
        const wchar_t* tooltip;
    } cases[] = {
        {CTestVariant::Bool(VARIANT_TRUE), L"Forced to 1"},
        {CTestVariant::Bool(VARIANT_FALSE), L"Forced to 0"},
        // Only the automation true shows as 1.
        {CTestVariant::Bool(1), L"Forced to 0"},
        {CTestVariant::Long(-3), L"Forced to -3"},
        {CTestVariant::Float(2.5f), L"Forced to 2.5"},
        {CTestVariant::Text(L" \t7 m3/h\t "), L"Forced to 7 m3/h"},
        // A value that has no text form gives no tooltip.
        {CTestVariant::Unknown(static_cast<ITag*>(tag.p())), L""},
    };
    CPVValueForcing forcing(value);
    for (const auto& c : cases) {
        tag->members[L"Count"].forcedValue = c.forced;
        CAopLogCapture log;
        EXPECT_EQ(CString(c.tooltip), forcing.GetTooltipText()) << c.tooltip;
        EXPECT_EQ(Lines{}, LogLines(log));
    }
    tag->members[L"Count"].forcedValue = CTestVariant();
}

TEST_F(ValueForcingTest, TooltipOnlyWhileTheForceIsInEffect) {
    CPVValueForcing forcing(value);
    Force(VARIANT_TRUE, VARIANT_FALSE);
    EXPECT_EQ(CString(), forcing.GetTooltipText());
    Force(VARIANT_FALSE, VARIANT_TRUE);
    EXPECT_EQ(CString(), forcing.GetTooltipText());
    Force(VARIANT_TRUE, VARIANT_TRUE);
    EXPECT_EQ(CString(L"Forced to 9"), forcing.GetTooltipText());
}

TEST_F(ValueForcingTest, TooltipFailuresAreLogged) {
    Force(VARIANT_TRUE, VARIANT_TRUE);
    CPVValueForcing forcing(value);
    CAopLogCapture log;
    CFaultInjector::Instance().Inject("CoCreateInstance", REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CString(), forcing.GetTooltipText());
    server.strings.erase(33);
    EXPECT_EQ(CString(), forcing.GetTooltipText());
    EXPECT_EQ((Lines{L"CPVValueForcing::GetTooltipText | Failed to create string server.",
                     L"CPVValueForcing::GetTooltipText | Failed to load force arrow tooltip format string"}),
              LogLines(log));
    EXPECT_EQ(L"PVValueForcing", log.Records()[0].source);
}

} // namespace
