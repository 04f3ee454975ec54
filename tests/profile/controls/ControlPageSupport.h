// A page made from one of the profile's templates inside a host sheet, on the host's
// default project (online, so that configuration controls are enabled), with the
// controls a test adds before the page is initialised: what the control tests share.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/HostObject.h"
#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "profile/values/PVGetSetLong.h"
#include "tests/profile/panel/PanelTestSupport.h"

// The texts of a combo box's items, in order.
inline std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

inline std::wstring TextOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

// A page made from `templateId` inside a host sheet, on the default project, with the
// controls the test adds before the page is initialised.
struct PageOnHost {
    std::shared_ptr<CHostContext> context = CHostContext::Create();
    CComPtr<CHostParent> parent;
    CComPtr<CTestPage> page;
    HWND sheet = nullptr;

    explicit PageOnHost(UINT templateId) : page(NewPage(templateId)) {
        std::string error;
        EXPECT_TRUE(context->Project().LoadDefault(&error)) << error;
        context->Project().Controller().mode = 1;
        context->Project().Controller().redundancyState = 0;
        parent = MakeHostObject<CHostParent>(context);
    }
    ~PageOnHost() {
        page->Destroy();
        if (sheet)
            DestroyWindow(sheet);
    }
    void Add(IPVCtrl* control) { EXPECT_EQ(S_OK, page->AddControlToList(control)); }
    void Create() {
        EXPECT_EQ(S_OK, page->Init(parent));
        sheet = CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                                nullptr, nullptr, nullptr);
        EXPECT_EQ(S_OK, page->Create(sheet));
        EXPECT_EQ(S_OK, page->Show(SW_SHOW));
    }
    void Subclass(CWnd& window, UINT id) { EXPECT_TRUE(window.SubclassDlgItem(id, page.p())); }
    HWND Item(UINT id) const { return GetDlgItem(page->GetSafeHwnd(), static_cast<int>(id)); }
    CComPtr<IPVGetSetValue> Long(const wchar_t* member) {
        CComPtr<IPVGetSetValue> value;
        value.Attach(new CPVGetSetLong(member, page->GetIPVGetSetAdapter()));
        return value;
    }
    void SetMember(const wchar_t* member, LONG value) {
        CTagMember* found = context->Project().ConfigTag().Find(member);
        ASSERT_NE(nullptr, found) << "no member";
        found->Load(CTagValue{static_cast<LONGLONG>(value)});
    }
    void Pick(UINT comboId, int index, CUserHand::Pick how = CUserHand::Pick::Mouse) {
        EXPECT_TRUE(CUserHand::Instance().PickComboItem(Item(comboId), index, how));
    }
};
