// Child dialog templates of the tests' own resource libraries in both languages, built
// the way the host shows property pages, and the common controls' property-sheet template.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cwctype>
#include <string>
#include <vector>

#include "MessageSpy.h"
#include "platform/gdi/Gdi.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "tests/platform/fixtures/TestDialogIds.h"

namespace {

const WORD kPageIds[] = {IDD_FORM, IDD_PLAIN};

std::string BinDir() {
    if (const char* bin = std::getenv("PV_BIN_DIR"); bin && *bin)
        return bin;
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path(self, length > 0 ? static_cast<size_t>(length) : 0);
    return path.substr(0, path.find_last_of('/'));
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// Pages leave the focus to their host and handle nothing themselves.
INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

CDialogTemplate ReadTemplate(HMODULE module, WORD id) {
    CDialogTemplate parsed;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!found)
        return parsed;
    const void* bytes = LockResource(LoadResource(module, found));
    if (bytes)
        parsed.Parse(bytes, SizeofResource(module, found));
    return parsed;
}

struct Library {
    const char* name;
    const char* file;
};

class PageTemplatesTest : public UserTest, public ::testing::WithParamInterface<Library> {
protected:
    void SetUp() override {
        UserTest::SetUp();
        m_module = LoadLibraryW(CDosPath::ToDos(BinDir() + "/" + GetParam().file).c_str());
        ASSERT_NE(nullptr, m_module) << GetParam().file;
    }
    void TearDown() override {
        UserTest::TearDown();
        if (m_module)
            FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

TEST_P(PageTemplatesTest, EveryPageOpensAsAChildDialogWithAllItsControls) {
    MoveWindow(parent, 0, 0, 800, 600, FALSE);
    for (WORD id : kPageIds) {
        SCOPED_TRACE(::testing::Message() << GetParam().name << " page " << id);
        const CDialogTemplate expected = ReadTemplate(m_module, id);
        ASSERT_FALSE(expected.items.empty());
        HWND page = CreateDialogParamW(m_module, MAKEINTRESOURCEW(id), parent, &PageProc, 0);
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(parent, GetParent(page));
        EXPECT_TRUE(GetWindowLongW(page, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(GetWindowLongW(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

        // "MS Shell Dlg" 8: base units 6 x 13.
        RECT units{0, 0, 4, 8};
        ASSERT_TRUE(MapDialogRect(page, &units));
        EXPECT_EQ(6, units.right);
        EXPECT_EQ(13, units.bottom);
        RECT client{};
        GetClientRect(page, &client);
        EXPECT_EQ(MulDiv(expected.cx, 6, 4), client.right);
        EXPECT_EQ(MulDiv(expected.cy, 13, 8), client.bottom);

        size_t index = 0;
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
            ASSERT_LT(index, expected.items.size());
            const CDialogTemplate::Item& item = expected.items[index];
            SCOPED_TRACE(::testing::Message() << "item " << item.id);
            EXPECT_EQ(static_cast<int>(item.id), GetDlgCtrlID(child));
            if (item.id != 0xFFFF && item.id != 0xFFFFFFFF) {
                EXPECT_EQ(child, GetDlgItem(page, static_cast<int>(item.id)));
            }
            const std::wstring wanted =
                item.classOrdinal ? CDialogTemplate::ClassNameOfOrdinal(item.classOrdinal) : item.className;
            EXPECT_EQ(Upper(wanted), Upper(ClassOf(child)));
            const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
            EXPECT_EQ((item.style | WS_CHILD) & ~WS_VISIBLE, style & ~WS_VISIBLE);
            const bool combo = Upper(ClassOf(child)) == L"COMBOBOX";
            if (combo) {
                EXPECT_EQ(CBS_DROPDOWNLIST, style & 0x3);
            }

            // Inside the page; a drop-down list counts with its closed height only.
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
            const LONG bottom = combo ? r.top + MulDiv(12, 13, 8) : r.bottom;
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.right, client.right);
            EXPECT_LE(bottom, client.bottom);
            EXPECT_EQ(MulDiv(item.x, 6, 4), r.left);
            EXPECT_EQ(MulDiv(item.y, 13, 8), r.top);
        }
        EXPECT_EQ(expected.items.size(), index);
        EXPECT_TRUE(DestroyWindow(page));
    }
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD));
}

TEST_P(PageTemplatesTest, PagesKnownByNameAreTheRightKind) {
    struct Expect {
        WORD page;
        int item;
        const wchar_t* className;
        DWORD styleBits;
    };
    const Expect cases[] = {
        {IDD_FORM, IDC_FORM_AMPM, L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
        {IDD_FORM, IDC_FORM_TABS, L"SysTabControl32", WS_TABSTOP},
        {IDD_FORM, IDC_FORM_CUSTOMER, L"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {IDD_PLAIN, IDC_PLAIN_VALUE, L"Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    };
    for (const Expect& c : cases) {
        HWND page = CreateDialogParamW(m_module, MAKEINTRESOURCEW(c.page), parent, &PageProc, 0);
        ASSERT_NE(nullptr, page) << c.page;
        HWND item = GetDlgItem(page, c.item);
        ASSERT_NE(nullptr, item) << c.item;
        EXPECT_EQ(std::wstring(c.className), ClassOf(item)) << c.item;
        EXPECT_EQ(c.styleBits, static_cast<DWORD>(GetWindowLongW(item, GWL_STYLE)) & c.styleBits) << c.item;
        DestroyWindow(page);
    }
}

INSTANTIATE_TEST_SUITE_P(Libraries, PageTemplatesTest,
                         ::testing::Values(Library{"English", "PvTestDialogsENU.dll"},
                                           Library{"German", "PvTestDialogsDEU.dll"}),
                         [](const auto& info) { return std::string(info.param.name); });

class PropertySheetTemplateTest : public UserTest {};

TEST_F(PropertySheetTemplateTest, CommonControlsTemplate1006BuildsAPopupSheet) {
    HMODULE comctl = LoadLibraryW(L"COMCTL32.DLL");
    ASSERT_NE(nullptr, comctl);
    HWND sheet = CreateDialogParamW(comctl, MAKEINTRESOURCEW(1006), parent, &PageProc, 0);
    ASSERT_NE(nullptr, sheet);
    EXPECT_FALSE(GetWindowLongW(sheet, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(parent, GetWindow(sheet, GW_OWNER));
    RECT units{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(sheet, &units));
    EXPECT_EQ(6, units.right);
    EXPECT_EQ(13, units.bottom);
    EXPECT_EQ(L"SysTabControl32", ClassOf(GetDlgItem(sheet, 0x3020)));
    for (int id : {IDOK, IDCANCEL, 0x3021, 9})
        EXPECT_EQ(L"Button", ClassOf(GetDlgItem(sheet, id))) << id;
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), SendMessageW(sheet, DM_GETDEFID, 0, 0));
    DestroyWindow(sheet);
    // Run modally by resource id, it ends with what EndDialog gives.
    const INT_PTR result = DialogBoxParamW(
        comctl, MAKEINTRESOURCEW(1006), parent,
        [](HWND dialog, UINT msg, WPARAM, LPARAM param) -> INT_PTR {
            if (msg == WM_INITDIALOG)
                EndDialog(dialog, param + 1);
            return FALSE;
        },
        41);
    EXPECT_EQ(42, result);
    EXPECT_EQ(-1, DialogBoxParamW(comctl, MAKEINTRESOURCEW(4711), parent, &PageProc, 0));
    EXPECT_TRUE(IsWindowEnabled(parent));
    EXPECT_EQ(nullptr, GetWindow(parent, GW_CHILD));
    FreeLibrary(comctl);
}

} // namespace
