// The properties dialog on the embedded project with the test page module
// (PVZQHostTestPages.dll, two pages) registered in the stand-in registry: what the
// dialog tests and the picture tests share.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/PropertiesDialog.h"
#include "platform/base/Guid.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/hand/UserHand.h"
#include "tests/host/HostTestSupport.h"

inline const wchar_t* const kTestPageClsids[] = {L"{6E1D0C4B-3A29-4F18-9D07-A1B2C3D4E5F6}",
                                                 L"{7F2E1D5C-4B3A-4029-8E18-B2C3D4E5F607}"};
// The ids of the test page's controls.
constexpr int kPageValueEdit = 1001;
constexpr int kPageModeCombo = 1002;
constexpr int kPageResetButton = 1003;
constexpr int kPageSerialEdit = 1004;

class PropertiesDialogFixture : public ::testing::Test {
protected:
    using LogFunction = std::vector<std::wstring>* (*)();
    using RegisterFunction = HRESULT (*)();

    void SetUp() override {
        CClock::Instance().SetVirtual(true);
        CUserHand::Instance().Reset();
        const char* bin = std::getenv("PV_BIN_DIR");
        ASSERT_NE(nullptr, bin) << "PV_BIN_DIR names the folder of the built modules";
        const std::wstring path = CDosPath::ToDos(std::string(bin) + "/PVZQHostTestPages.dll");
        module = LoadLibraryW(path.c_str());
        ASSERT_NE(nullptr, module) << "PVZQHostTestPages.dll cannot be loaded";
        auto registerServer = reinterpret_cast<RegisterFunction>(GetProcAddress(module, "DllRegisterServer"));
        ASSERT_NE(nullptr, registerServer);
        ASSERT_EQ(S_OK, registerServer());
        log = reinterpret_cast<LogFunction>(GetProcAddress(module, "HostTestPagesLog"))();
        ASSERT_NE(nullptr, log);
        log->clear();
        context = EmbeddedContext();
        dialog = std::make_unique<CPropertiesDialog>(context);
    }

    void TearDown() override {
        dialog.reset();
        if (module)
            FreeLibrary(module);
    }

    static std::vector<CPropertyPageInfo> TestPages() {
        std::vector<CPropertyPageInfo> pages;
        const wchar_t* titles[] = {L"Alpha", L"Beta"};
        for (size_t i = 0; i < 2; ++i) {
            CPropertyPageInfo info;
            CLSIDFromString(kTestPageClsids[i], &info.clsid);
            info.className = i == 0 ? L"CHostTestPageA" : L"CHostTestPageB";
            info.title = titles[i];
            pages.push_back(info);
        }
        return pages;
    }

    void Open() { ASSERT_EQ(S_OK, dialog->Open(TestPages(), L"Module Properties: Flowmeter")); }

    // The calls recorded since the last Take.
    std::vector<std::wstring> Take() {
        std::vector<std::wstring> calls = *log;
        log->clear();
        return calls;
    }

    HWND PageItem(int page, int id) const {
        return GetDlgItem(dialog->PageWindow(static_cast<size_t>(page)), id);
    }

    // Replaces the edit's text as a person does: select it all, then type.
    void TypeInto(HWND edit, const std::wstring& text) {
        CUserHand& hand = CUserHand::Instance();
        ASSERT_TRUE(hand.Focus(edit));
        hand.PressKey(VK_HOME);
        hand.PressKey(VK_END, CUserHand::kShift);
        hand.Type(text);
    }

    HMODULE module = nullptr;
    std::vector<std::wstring>* log = nullptr;
    std::shared_ptr<CHostContext> context;
    std::unique_ptr<CPropertiesDialog> dialog;
};
