// The page skeleton on a table whose binding order and focus row differ from its list
// order, as the measurement and system pages' tables will: the controls hear the host's
// events in row order, are bound in the table's order and the named row has the focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/HostContext.h"
#include "host/HostObject.h"
#include "host/HostParent.h"
#include "platform/com/RuntimeClass.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/WinUser.h"
#include "profile/pages/PVTablePage.h"
#include "profile/resources/ResourceIds.h"
#include "profile/server/ResourceDllManager.h"

namespace {

constexpr CPVControlRow kRows[] = {
    PVEnumerationRow(IDC_SYSUNIT_MASS, L"SystemUnitMass"),
    PVEnumerationRow(IDC_SYSUNIT_VOLUME, L"SystemUnitVolume"),
    PVEnumerationRow(IDC_SYSUNIT_DENSITY, L"SystemUnitDensity"),
};
constexpr size_t kBindOrder[] = {2, 0, 1};
constexpr CPVPageTable kTable{L"CTestTablePage",
                              L"TestTablePage Page",
                              L"{6A1D3C55-0B7E-4F0A-9D51-3E2C7B840A11}",
                              IDD_SYSUNIT,
                              kRows,
                              kBindOrder,
                              1};

class CTestTablePage : public CPVTablePage<kTable> {
public:
    CTestTablePage() {
        // The module's start-up makes the English resource library current.
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        CResourceDllManager::GetInstance();
    }
};

std::vector<std::wstring> MembersOf(CHostContext& context, const wchar_t* operation) {
    std::vector<std::wstring> members;
    for (const CHostCall& call : context.Faults().CallsOf(operation))
        members.push_back(call.member);
    return members;
}

TEST(TablePageTest, ListsInRowOrderBindsInTheTablesOrderAndFocusesItsRow) {
    const auto context = CHostContext::Create();
    std::string error;
    ASSERT_TRUE(context->Project().LoadDefault(&error)) << error;
    const CComPtr<CHostParent> parent = MakeHostObject<CHostParent>(context);
    const CComPtr<CTestTablePage> page = Make<CTestTablePage>();
    const HWND sheet = CreateWindowExW(0, L"Static", L"Properties", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400,
                                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(S_OK, page->Init(parent));
    ASSERT_EQ(S_OK, page->Create(sheet));
    EXPECT_EQ((std::vector<std::wstring>{L"SystemUnitDensity", L"SystemUnitMass", L"SystemUnitVolume"}),
              MembersOf(*context, L"GetEnumStrings"));
    ASSERT_EQ(S_OK, page->OnActivate());
    EXPECT_EQ((std::vector<std::wstring>{L"SystemUnitMass", L"SystemUnitVolume", L"SystemUnitDensity"}),
              MembersOf(*context, L"GetEnumIndex"));
    EXPECT_EQ(GetDlgItem(page->GetSafeHwnd(), IDC_SYSUNIT_VOLUME), GetFocus());
    page->Destroy();
    DestroyWindow(sheet);
}

} // namespace
