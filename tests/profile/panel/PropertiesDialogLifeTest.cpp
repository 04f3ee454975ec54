// A page on the configuration panel inside the host's properties dialog: created by
// class through the class table, driven through its whole life, its controls hearing
// every event in order.
#include <gtest/gtest.h>

#include "host/PropertiesDialog.h"
#include "platform/com/ClassTable.h"
#include "profile/convert/CnvErrors.h"
#include "profile/resources/ResourceIds.h"
#include "tests/profile/panel/PanelTestSupport.h"

namespace {

// {5C1D0E2A-7B7F-4E0B-9C1E-2B3A4D5E6F70}
constexpr CLSID kLifePageClsid = {
    0x5c1d0e2a, 0x7b7f, 0x4e0b, {0x9c, 0x1e, 0x2b, 0x3a, 0x4d, 0x5e, 0x6f, 0x70}};

// Hands out pages with two recording controls, as a page class factory does.
class CLifePageFactory final : public IClassFactory {
public:
    explicit CLifePageFactory(CallLog* log) : m_first(L"first", log), m_second(L"second", log) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (riid != IUnknown::Iid && riid != IClassFactory::Iid)
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        CComPtr<CTestPage> page = NewPage(IDD_SYSUNIT);
        page->AddControlToList(&m_first);
        page->AddControlToList(&m_second);
        ++created;
        return page->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    int created = 0;
    CRecordingCtrl m_first;
    CRecordingCtrl m_second;
};

class PropertiesDialogLifeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, CoRegisterClassObject(kLifePageClsid, &factory, CLSCTX_INPROC_SERVER,
                                              REGCLS_MULTIPLEUSE, &cookie));
    }
    void TearDown() override { CoRevokeClassObject(cookie); }

    // The events of one control, in order.
    std::vector<std::wstring> Of(const std::wstring& name) const {
        std::vector<std::wstring> events;
        for (const std::wstring& line : log)
            if (line.rfind(name + L":", 0) == 0)
                events.push_back(line.substr(name.size() + 1));
        return events;
    }

    CallLog log;
    CLifePageFactory factory{&log};
    DWORD cookie = 0;
};

TEST_F(PropertiesDialogLifeTest, ThePageLivesItsWholeLifeInTheDialog) {
    auto context = ContextFor(ProjectJson(true, false, false));
    {
        CPropertiesDialog dialog(context);
        ASSERT_EQ(S_OK, dialog.Open({{kLifePageClsid, L"CTestPage", L"Units"}}, L"Module Properties"));
        ASSERT_EQ(1, factory.created);
        const HWND page = dialog.PageWindow(0);
        ASSERT_TRUE(IsWindow(page));
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_TRUE(IsChild(dialog.Window(), page));
        EXPECT_NE(nullptr, GetDlgItem(page, IDC_SYSUNIT_MASS_FLOW)) << "the page's template made its items";

        ASSERT_EQ(S_OK, dialog.SetOnline(true));
        ASSERT_EQ(S_OK, dialog.Apply());
        ASSERT_EQ(S_OK, dialog.Ok());
        EXPECT_EQ(IDOK, dialog.Result());
        EXPECT_FALSE(IsWindow(page)) << "Destroy took the page's window";
    }
    // Apply saves; OK applies again and then leaves the page.
    const std::vector<std::wstring> expected = {
        L"SetIPVPropPageEnum", L"SetIModule",   L"PreInitialActivate", L"OnActivate",
        L"LogixStateChanged4", L"Save",         L"ClearDirty",         L"Save",
        L"ClearDirty",         L"OnDeactivate",
    };
    EXPECT_EQ(expected, Of(L"first"));
    EXPECT_EQ(expected, Of(L"second"));
    // Each event reaches the first control before the second.
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(L"first:SetIPVPropPageEnum", log[0]);
    EXPECT_EQ(L"second:SetIPVPropPageEnum", log[1]);
}

TEST_F(PropertiesDialogLifeTest, AConversionRefusalOnLeavingKeepsTheDialogOpen) {
    auto context = ContextFor(ProjectJson(true, false, false));
    CPropertiesDialog dialog(context);
    ASSERT_EQ(S_OK, dialog.Open({{kLifePageClsid, L"CTestPage", L"Units"}}, L"Module Properties"));
    // A converter's code from the first control stops the broadcast, so the page
    // refuses to be left and OK leaves the dialog open.
    factory.m_first.Answer(L"OnDeactivate", CNV_E_INVALIDFLOAT);
    EXPECT_TRUE(FAILED(dialog.Ok()));
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(0, dialog.Result());
    EXPECT_EQ(L"OnDeactivate", Of(L"first").back());
    EXPECT_NE(L"OnDeactivate", Of(L"second").back()) << "the broadcast stopped at the first control";

    EXPECT_EQ(S_OK, dialog.Cancel());
    EXPECT_EQ(IDCANCEL, dialog.Result());
    EXPECT_FALSE(dialog.IsOpen());
}

} // namespace
