#include <cwchar>
#include <functional>

#include <gtest/gtest.h>

#include "host/HostParent.h"
#include "host/HostResults.h"
#include "profile/interfaces/FileFinder.h"
#include "profile/interfaces/HostView.h"
#include "profile/interfaces/Tag.h"
#include "tests/host/HostTestSupport.h"

namespace {

// Stands for a page's panel and child: the host only needs non-null pointers and
// never calls them.
IPVPanel3* FakePanel() {
    return reinterpret_cast<IPVPanel3*>(0x1000);
}
IPVChild* FakeChild() {
    return reinterpret_cast<IPVChild*>(0x2000);
}

class HostParentTest : public ::testing::Test {
protected:
    void SetUp() override {
        context = EmbeddedContext();
        // Assigned from the plain pointer: CComPtr's move assignment does not compile for classes.
        parent = MakeHostObject<CHostParent>(context).p();
    }
    std::shared_ptr<CHostContext> context;
    CComPtr<CHostParent> parent;
};

TEST_F(HostParentTest, ControllerStateAsTheProjectHasIt) {
    struct Case {
        LONG mode;
        LONG redundancy;
    } cases[] = {{8, 0}, {1, 0}, {6, 1}, {4, 0}, {0, 2}};
    CComPtr<IPVLogixProperties> logix;
    ASSERT_EQ(S_OK, parent->QueryInterface(IPVLogixProperties::Iid, reinterpret_cast<void**>(&logix)));
    for (const Case& c : cases) {
        context->Project().Controller().mode = c.mode;
        context->Project().Controller().redundancyState = c.redundancy;
        LONG mode = -1, redundancy = -1;
        EXPECT_EQ(S_OK, logix->GetLogixMode(&mode));
        EXPECT_EQ(S_OK, logix->GetRedundancyState(&redundancy));
        EXPECT_EQ(c.mode, mode);
        EXPECT_EQ(c.redundancy, redundancy);
    }
    EXPECT_EQ(E_POINTER, logix->GetLogixMode(nullptr));
}

TEST_F(HostParentTest, ParentStatesBySelector) {
    context->Project().Controller().parentStates = {{2, true}, {3, false}};
    const std::pair<LONG, BOOL> cases[] = {{2, TRUE}, {3, FALSE}, {7, FALSE}};
    for (const auto& [which, expected] : cases) {
        BOOL state = -1;
        EXPECT_EQ(S_OK, parent->GetParentState(&state, which));
        EXPECT_EQ(expected, state) << which;
    }
}

TEST_F(HostParentTest, SafetyInterfacesOnlyOnAModuleWithSafety) {
    CComPtr<IModule> module;
    ASSERT_EQ(S_OK, parent->GetModule(&module));
    CComPtr<IModuleSafety> safety;
    EXPECT_EQ(E_NOINTERFACE, module.QueryInterface(&safety));

    struct Case {
        bool enabled;
        bool lockedOut;
        HRESULT enabledResult;
        VARIANT_BOOL enabledAnswer;
        VARIANT_BOOL lockedAnswer;
    } cases[] = {
        {false, false, S_FALSE, VARIANT_FALSE, VARIANT_FALSE},
        {true, false, S_OK, VARIANT_TRUE, VARIANT_FALSE},
        {true, true, S_OK, VARIANT_TRUE, VARIANT_TRUE},
    };
    context->Project().Controller().hasSafety = true;
    ASSERT_EQ(S_OK, module.QueryInterface(&safety));
    CComPtr<IModuleSafetyLock> lock;
    ASSERT_EQ(S_OK, module.QueryInterface(&lock));
    for (const Case& c : cases) {
        context->Project().Controller().safetyEnabled = c.enabled;
        context->Project().Controller().safetyLockedOut = c.lockedOut;
        VARIANT_BOOL enabled = 7, locked = 7;
        EXPECT_EQ(c.enabledResult, safety->GetSafetyEnabled(1, &enabled));
        EXPECT_EQ(c.enabledAnswer, enabled);
        EXPECT_EQ(S_OK, lock->GetSafetyLockedOut(&locked));
        EXPECT_EQ(c.lockedAnswer, locked);
    }
    CComPtr<ITag> safetyTag;
    EXPECT_EQ(E_NOINTERFACE, safety->GetSafetyConfigTag(&safetyTag));
}

TEST_F(HostParentTest, ModuleStateFlagAndVersion) {
    CComPtr<IModule> module;
    ASSERT_EQ(S_OK, parent->GetModule(&module));
    CComPtr<IModuleState> state;
    CComPtr<IModuleInternal7> internal;
    ASSERT_EQ(S_OK, module.QueryInterface(&state));
    ASSERT_EQ(S_OK, module.QueryInterface(&internal));
    VARIANT_BOOL flag = VARIANT_TRUE;
    EXPECT_EQ(S_OK, state->get_ModuleStateFlag(&flag));
    EXPECT_EQ(VARIANT_FALSE, flag);
    context->Project().Controller().moduleStateFlag = true;
    state->get_ModuleStateFlag(&flag);
    EXPECT_EQ(VARIANT_TRUE, flag);
    LONG version = 0;
    EXPECT_EQ(S_OK, internal->get_CurrentLogixVersion(&version));
    EXPECT_EQ(32, version);
}

TEST_F(HostParentTest, MessageDialogsTakePreparedAnswersThenTheDefaultButton) {
    constexpr UINT kYesNo = 4, kOkCancel = 1, kDefButton2 = 0x100, kExclamation = 0x30;
    parent->QueueAnswer(7);
    parent->QueueAnswer(6);
    CTestBstr text(L"Start the verification?");
    struct Case {
        UINT type;
        HRESULT result;
        LONG button;
        bool prepared;
    } cases[] = {
        {kYesNo | kExclamation, S_OK, 7, true},
        {kYesNo | kExclamation, S_OK, 6, true},
        {kYesNo, S_OK, 6, false},                  // nothing prepared: the first button
        {kOkCancel | kDefButton2, S_OK, 2, false}, // the second button is the default
    };
    for (const Case& c : cases) {
        LONG button = 0;
        EXPECT_EQ(c.result, parent->MessageDlg(nullptr, text, c.type, 12, nullptr, &button));
        EXPECT_EQ(c.button, button);
    }
    ASSERT_EQ(4u, parent->MessageDlgs().size());
    EXPECT_EQ(L"Start the verification?", parent->MessageDlgs()[0].text);
    EXPECT_EQ(12u, parent->MessageDlgs()[0].helpContext);
    EXPECT_TRUE(parent->MessageDlgs()[1].prepared);
    EXPECT_FALSE(parent->MessageDlgs()[2].prepared);

    // An answer the dialog does not offer fails the call with -1.
    parent->QueueAnswer(6);
    LONG button = 0;
    EXPECT_EQ(E_INVALIDARG, parent->MessageDlg(nullptr, text, 0, 0, nullptr, &button));
    EXPECT_EQ(-1, button);
    EXPECT_EQ(0u, parent->PendingAnswers());
}

TEST_F(HostParentTest, RecordsErrorsDirtyAndFocus) {
    EXPECT_EQ(S_OK, parent->ShowError(CTestBstr(L"Count:  too large"), CTestBstr(L"help.chm"), 77));
    ASSERT_EQ(1u, parent->ShownErrors().size());
    EXPECT_EQ(L"Count:  too large", parent->ShownErrors()[0].text);
    EXPECT_EQ(L"help.chm", parent->ShownErrors()[0].helpFile);
    EXPECT_EQ(77u, parent->ShownErrors()[0].helpContext);

    EXPECT_FALSE(parent->ProfileDirty());
    EXPECT_EQ(E_INVALIDARG, parent->SetProfileDirty(nullptr));
    EXPECT_FALSE(parent->ProfileDirty());
    EXPECT_EQ(S_OK, parent->SetProfileDirty(FakePanel()));
    EXPECT_TRUE(parent->ProfileDirty());

    EXPECT_EQ(E_INVALIDARG, parent->RequestInputFocus(nullptr));
    EXPECT_EQ(S_OK, parent->RequestInputFocus(FakeChild()));
    EXPECT_EQ(1, parent->FocusRequests());
    EXPECT_EQ(S_OK, parent->RebuildSubItems(FakePanel()));
    EXPECT_EQ(1, parent->RebuildRequests());
}

TEST_F(HostParentTest, HostServiceLeadsToTheApplication) {
    CComPtr<IUnknown> service;
    ASSERT_EQ(S_OK, parent->GetHostService(CLSID_PVExtHostViewConnector, &service));
    CComPtr<IPVExtHostViewConnector> ext;
    ASSERT_EQ(S_OK, service.QueryInterface(&ext));
    CComPtr<IUnknown> connectorObject;
    ASSERT_EQ(S_OK, ext->GetHostViewConnector(&connectorObject));
    CComPtr<IHostViewConnector> connector;
    ASSERT_EQ(S_OK, connectorObject.QueryInterface(&connector));
    CComPtr<IUnknown> applicationObject;
    ASSERT_EQ(S_OK, connector->GetApplication(&applicationObject));
    CComPtr<IApplication> application;
    EXPECT_EQ(S_OK, applicationObject.QueryInterface(&application));

    CComPtr<IUnknown> other;
    EXPECT_EQ(E_NOINTERFACE, parent->GetHostService(CLSID_ModuleSpecificFileFind, &other));
    EXPECT_EQ(nullptr, other.p());
}

TEST_F(HostParentTest, DialogManagerChecksThatCallsPairUp) {
    CComPtr<IPVDlgManager> manager;
    ASSERT_EQ(S_OK, parent->GetDlgManager(&manager));
    CHostDlgManager* record = parent->DlgManager();
    HWND dialog = reinterpret_cast<HWND>(0x42);
    struct Step {
        const char* what;
        std::function<HRESULT()> call;
        HRESULT expected;
        int locks;
        size_t dialogs;
    } steps[] = {
        {"Lock", [&] { return manager->Lock(); }, S_OK, 1, 0},
        {"Lock again", [&] { return manager->Lock(); }, S_OK, 2, 0},
        {"RegisterDialog", [&] { return manager->RegisterDialog(dialog); }, S_OK, 2, 1},
        {"RegisterDialog twice", [&] { return manager->RegisterDialog(dialog); }, HOST_E_NOTPAIRED, 2, 1},
        {"UnregisterDialog", [&] { return manager->UnregisterDialog(dialog); }, S_OK, 2, 0},
        {"Unlock", [&] { return manager->Unlock(); }, S_OK, 1, 0},
        {"Unlock", [&] { return manager->Unlock(); }, S_OK, 0, 0},
    };
    for (Step& step : steps) {
        EXPECT_EQ(step.expected, step.call()) << step.what;
        EXPECT_EQ(step.locks, record->LockCount()) << step.what;
        EXPECT_EQ(step.dialogs, record->RegisteredCount()) << step.what;
    }
    // One refused registration spoils the balance even though all is released.
    EXPECT_FALSE(record->IsBalanced());
    EXPECT_EQ(1, record->UnpairedCalls());
}

TEST_F(HostParentTest, UnlockWithoutLockIsRefused) {
    CComPtr<IPVDlgManager> manager;
    ASSERT_EQ(S_OK, parent->GetDlgManager(&manager));
    EXPECT_TRUE(parent->DlgManager()->IsBalanced());
    EXPECT_EQ(HOST_E_NOTPAIRED, manager->Unlock());
    EXPECT_EQ(HOST_E_NOTPAIRED, manager->UnregisterDialog(reinterpret_cast<HWND>(0x5)));
    EXPECT_EQ(0, parent->DlgManager()->LockCount());
    EXPECT_FALSE(parent->DlgManager()->IsBalanced());
}

// A page's sub-item events: counts the notifications it receives.
class CCountingEvents : public CHostObject<IDynamicSubItemEvents> {
public:
    HRESULT STDMETHODCALLTYPE OnSubItemsChanged(LONG hint) override {
        ++calls;
        lastHint = hint;
        return S_OK;
    }
    int calls = 0;
    LONG lastHint = 0;
};

TEST_F(HostParentTest, SubItemSourceNotifiesAdvisedPages) {
    CHostModule* module = parent->Module();
    auto events = MakeHostObject<CCountingEvents>();
    EXPECT_EQ(S_OK, module->AdviseSubItems(events));
    module->FireSubItemsChanged(3);
    EXPECT_EQ(1, events->calls);
    EXPECT_EQ(3, events->lastHint);
    EXPECT_EQ(S_OK, module->UnadviseSubItems(events));
    EXPECT_EQ(E_INVALIDARG, module->UnadviseSubItems(events));
    module->FireSubItemsChanged(4);
    EXPECT_EQ(1, events->calls);

    BSTR xml = nullptr;
    ASSERT_EQ(S_OK, module->GetSubItemsXml(&xml));
    EXPECT_EQ(0, std::wcsncmp(xml, L"<PageSet>", 9));
    SysFreeString(xml);
    EXPECT_EQ(S_OK, module->SubItemSelChanged(2));
    EXPECT_EQ(std::vector<ULONG>{2}, module->SelectedSubItems());
}

} // namespace
