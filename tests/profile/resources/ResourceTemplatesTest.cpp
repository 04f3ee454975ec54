#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/base/TextCodec.h"
#include "platform/kernel/DosPath.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "platform/user/DialogTemplate.h"
#include "profile/resources/ResourceIds.h"

namespace {

constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD CBS_TYPE_MASK = 0x0003;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD BS_TYPE_MASK = 0x000F;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD kLabelId = 0xFFFFFFFF; // IDC_STATIC, -1 in a DWORD id
constexpr WORD kDlgInitType = 240;
constexpr WORD kDlgInitComboAddString = 0x0403;

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

enum class Kind { Combo, Edit, Static, Button, Tab };

// What a control of each kind must be: its class and the style bits it needs.
bool HasKind(const CDialogTemplate::Item& item, Kind kind, std::string* why) {
    auto fail = [why](const std::string& text) {
        *why = text;
        return false;
    };
    const std::wstring cls = Upper(item.className);
    switch (kind) {
    case Kind::Combo:
        if (cls != L"COMBOBOX")
            return fail("not a combo box");
        if ((item.style & CBS_TYPE_MASK) != CBS_DROPDOWNLIST)
            return fail("not a drop-down list");
        if ((item.style & (WS_VSCROLL | WS_TABSTOP)) != (WS_VSCROLL | WS_TABSTOP))
            return fail("combo box without scroll bar or tab stop");
        return true;
    case Kind::Edit:
        if (cls != L"EDIT")
            return fail("not an edit");
        if ((item.style & (ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP)) !=
            (ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP))
            return fail("edit without auto-scroll, border or tab stop");
        return true;
    case Kind::Static:
        return cls == L"STATIC" || fail("not a static");
    case Kind::Button:
        if (cls != L"BUTTON")
            return fail("not a button");
        if ((item.style & BS_TYPE_MASK) > BS_DEFPUSHBUTTON)
            return fail("not a push button");
        return (item.style & WS_TABSTOP) || fail("button without tab stop");
    case Kind::Tab:
        return cls == L"SYSTABCONTROL32" || fail("not a tab control");
    }
    return false;
}

struct Expected {
    WORD templateId;
    DWORD itemId;
    Kind kind;
    bool labelled; // a label stands to its left on the same line
};

// Every dialog item the pages bind or address, with the control it must be.
const Expected kItems[] = {
    // System units
    {9079, 9132, Kind::Combo, true},
    {9079, 9133, Kind::Combo, true},
    {9079, 9126, Kind::Combo, true},
    {9079, 9134, Kind::Combo, true},
    {9079, 9135, Kind::Combo, true},
    {9079, 9195, Kind::Combo, true},
    {9079, 9153, Kind::Combo, true},
    {9079, 9019, Kind::Combo, true},
    // Totalizer page and its tab page
    {9012, 9016, Kind::Tab, false},
    {9069, 9131, Kind::Combo, true},
    {9069, 9130, Kind::Combo, true},
    {9069, 9149, Kind::Combo, true},
    {9069, 9147, Kind::Combo, true},
    {9069, 9032, Kind::Edit, true},
    {9069, 9151, Kind::Combo, true},
    {9069, 9030, Kind::Static, true},
    // External compensation
    {9067, 9064, Kind::Combo, true},
    {9067, 9061, Kind::Combo, true},
    {9067, 9059, Kind::Edit, true},
    {9067, 9023, Kind::Static, true},
    // Low flow cut-off
    {9102, 9055, Kind::Combo, true},
    {9102, 9160, Kind::Edit, true},
    {9102, 9193, Kind::Static, true},
    {9102, 9165, Kind::Edit, true},
    {9102, 9163, Kind::Edit, true},
    // Empty pipe detection
    {9103, 9056, Kind::Combo, true},
    {9103, 9057, Kind::Combo, true},
    {9103, 9167, Kind::Edit, true},
    {9103, 9177, Kind::Edit, true},
    // Process filtering
    {9100, 9141, Kind::Combo, true},
    {9100, 9144, Kind::Combo, true},
    {9100, 9162, Kind::Edit, true},
    {9100, 9143, Kind::Edit, true},
    // Sensor
    {9101, 9127, Kind::Combo, true},
    // Communication: the twenty slots
    {9014, 9021, Kind::Combo, true},
    {9014, 9024, Kind::Combo, true},
    {9014, 9031, Kind::Combo, true},
    {9014, 9034, Kind::Combo, true},
    {9014, 9036, Kind::Combo, true},
    {9014, 9038, Kind::Combo, true},
    {9014, 9039, Kind::Combo, true},
    {9014, 9040, Kind::Combo, true},
    {9014, 9041, Kind::Combo, true},
    {9014, 9042, Kind::Combo, true},
    {9014, 9043, Kind::Combo, true},
    {9014, 9044, Kind::Combo, true},
    {9014, 9045, Kind::Combo, true},
    {9014, 9046, Kind::Combo, true},
    {9014, 9047, Kind::Combo, true},
    {9014, 9050, Kind::Combo, true},
    {9014, 9051, Kind::Combo, true},
    {9014, 9052, Kind::Combo, true},
    {9014, 9053, Kind::Combo, true},
    {9014, 9054, Kind::Combo, true},
    // System
    {9108, 9159, Kind::Edit, true},
    {9108, 9129, Kind::Combo, true},
    {9108, 9155, Kind::Edit, true},
    {9108, 9173, Kind::Combo, true},
    {9108, 9157, Kind::Combo, true},
    {9108, 9164, Kind::Combo, true},
    {9108, 9166, Kind::Combo, true},
    {9108, 9196, Kind::Combo, true},
    {9108, 9197, Kind::Combo, true},
    {9108, 9170, Kind::Combo, true},
    {9108, 9033, Kind::Static, true},
    {9108, 9035, Kind::Static, true},
    {9108, 9188, Kind::Button, false},
    {9108, 9037, Kind::Static, false},
    // System, second form
    {9114, 9216, Kind::Edit, true},
    {9114, 9198, Kind::Combo, true},
    {9114, 9199, Kind::Edit, true},
    {9114, 9200, Kind::Combo, true},
    {9114, 9201, Kind::Combo, true},
    {9114, 9202, Kind::Combo, true},
    {9114, 9204, Kind::Combo, true},
    {9114, 9206, Kind::Combo, true},
    {9114, 9208, Kind::Combo, true},
    {9114, 9210, Kind::Combo, true},
    {9114, 9171, Kind::Combo, true},
    {9114, 9218, Kind::Static, true},
    {9114, 9220, Kind::Static, true},
    {9114, 9212, Kind::Button, false},
    {9114, 9214, Kind::Static, false},
    // Verification report
    {9110, 9235, Kind::Button, false},
    {9110, 9187, Kind::Button, false},
    {9110, 9190, Kind::Button, false},
    {9110, 9191, Kind::Button, false},
    {9110, 9225, Kind::Button, false},
    {9110, 9226, Kind::Button, false},
    {9110, 9224, Kind::Button, false},
    {9110, 9221, Kind::Button, false},
    {9110, 9223, Kind::Button, false},
    {9110, 9215, Kind::Static, true},
    {9110, 9219, Kind::Static, true},
    {9110, 9217, Kind::Static, true},
    {9110, 9222, Kind::Static, true},
    {9110, 9227, Kind::Static, true},
    {9110, 9237, Kind::Static, true},
    {9110, 9228, Kind::Static, true},
    {9110, 9229, Kind::Static, true},
    {9110, 9230, Kind::Static, true},
    {9110, 9240, Kind::Static, true},
    {9110, 9233, Kind::Static, true},
    {9110, 9231, Kind::Static, true},
    {9110, 9232, Kind::Static, true},
    {9110, 9234, Kind::Static, true},
    {9110, 9242, Kind::Edit, true},
    {9110, 9265, Kind::Edit, true},
    {9110, 9194, Kind::Button, false},
    {9110, 9189, Kind::Button, false},
    {9110, 9239, Kind::Static, false},
    {9110, 9258, Kind::Static, false},
    // Verification settings
    {9112, 9246, Kind::Button, false},
    {9112, 9275, Kind::Button, false},
    {9112, 9271, Kind::Edit, true},
    {9112, 9270, Kind::Edit, true},
    {9112, 9276, Kind::Button, false},
    {9112, 9272, Kind::Static, true},
    {9112, 9273, Kind::Static, true},
    {9112, 9274, Kind::Static, true},
    {9112, 9205, Kind::Static, true},
    {9112, 9207, Kind::Static, true},
    {9112, 9209, Kind::Static, true},
    {9112, 9211, Kind::Static, true},
    {9112, 9203, Kind::Static, true},
    {9112, 9213, Kind::Static, true},
    {9112, 9245, Kind::Edit, true},
    {9112, 9247, Kind::Edit, true},
    {9112, 9249, Kind::Edit, true},
    {9112, 9251, Kind::Edit, true},
    {9112, 9253, Kind::Edit, true},
    {9112, 9244, Kind::Combo, true},
    {9112, 9261, Kind::Static, true},
    {9112, 9277, Kind::Static, true},
    {9112, 9241, Kind::Button, false},
    {9112, 9264, Kind::Static, true},
};

const WORD kTemplates[] = {9079, 9012, 9067, 9102, 9103, 9100, 9101, 9014, 9108, 9114, 9110, 9112, 9069};

struct Rect {
    int left, top, right, bottom;
};

// The part of an item that takes room on the page: a drop-down list's template
// height includes its closed list, of which only the selection field shows.
Rect Footprint(const CDialogTemplate::Item& item) {
    int height = item.cy;
    if (Upper(item.className) == L"COMBOBOX")
        height = std::min(height, 12);
    return {item.x, item.y, item.x + item.cx, item.y + height};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class ResourceTemplatesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_english = LoadLibraryW(CDosPath::ToDos(BinDir() + "/PVZQTavrin100ENU.dll").c_str());
        s_german = LoadLibraryW(CDosPath::ToDos(BinDir() + "/PVZQTavrin100DEU.dll").c_str());
    }
    static void TearDownTestSuite() {
        for (HMODULE module : {s_english, s_german})
            if (module)
                FreeLibrary(module);
    }
    void SetUp() override {
        ASSERT_NE(nullptr, s_english);
        ASSERT_NE(nullptr, s_german);
    }

    static const BYTE* Bytes(HMODULE module, WORD id, LPCWSTR type, DWORD* size) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        if (!found)
            return nullptr;
        *size = SizeofResource(module, found);
        return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    }

    static HRESULT Template(HMODULE module, WORD id, CDialogTemplate* parsed) {
        DWORD size = 0;
        const BYTE* bytes = Bytes(module, id, RT_DIALOG, &size);
        return bytes ? parsed->Parse(bytes, size) : E_FAIL;
    }

    static HMODULE s_english;
    static HMODULE s_german;
};

HMODULE ResourceTemplatesTest::s_english = nullptr;
HMODULE ResourceTemplatesTest::s_german = nullptr;

TEST_F(ResourceTemplatesTest, EveryPageIsAChildPageInTheDialogFont) {
    for (HMODULE module : {s_english, s_german}) {
        for (WORD id : kTemplates) {
            CDialogTemplate parsed;
            ASSERT_EQ(S_OK, Template(module, id, &parsed)) << id;
            EXPECT_TRUE(parsed.extended) << id;
            EXPECT_EQ(WS_CHILD | DS_CONTROL | DS_SETFONT, parsed.style & (WS_CHILD | DS_CONTROL | DS_SETFONT))
                << id;
            EXPECT_EQ(L"MS Shell Dlg", parsed.font.face) << id;
            EXPECT_EQ(8, parsed.font.pointSize) << id;
            EXPECT_LE(parsed.cx, 260) << id;
            EXPECT_LE(parsed.cy, 190) << id;
            EXPECT_GE(parsed.cx, 200) << id;
        }
    }
}

TEST_F(ResourceTemplatesTest, EveryNamedItemHasItsControl) {
    for (HMODULE module : {s_english, s_german}) {
        for (const Expected& expected : kItems) {
            CDialogTemplate parsed;
            ASSERT_EQ(S_OK, Template(module, expected.templateId, &parsed));
            const CDialogTemplate::Item* item = parsed.FindItem(expected.itemId);
            ASSERT_NE(nullptr, item) << expected.templateId << "/" << expected.itemId;
            std::string why;
            EXPECT_TRUE(HasKind(*item, expected.kind, &why))
                << expected.templateId << "/" << expected.itemId << ": " << why;
        }
    }
}

// Apart from labels, a page holds exactly the items its code addresses, each once.
TEST_F(ResourceTemplatesTest, PagesHoldNoOtherItems) {
    for (HMODULE module : {s_english, s_german}) {
        for (WORD id : kTemplates) {
            std::multiset<DWORD> expected;
            for (const Expected& e : kItems)
                if (e.templateId == id)
                    expected.insert(e.itemId);
            CDialogTemplate parsed;
            ASSERT_EQ(S_OK, Template(module, id, &parsed));
            std::multiset<DWORD> actual;
            for (const CDialogTemplate::Item& item : parsed.items)
                if (item.id != kLabelId)
                    actual.insert(item.id);
            EXPECT_EQ(expected, actual) << id;
        }
    }
}

TEST_F(ResourceTemplatesTest, ItemsStayInsideThePageAndApart) {
    for (HMODULE module : {s_english, s_german}) {
        for (WORD id : kTemplates) {
            CDialogTemplate parsed;
            ASSERT_EQ(S_OK, Template(module, id, &parsed));
            for (size_t i = 0; i < parsed.items.size(); ++i) {
                const Rect a = Footprint(parsed.items[i]);
                EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= parsed.cx && a.bottom <= parsed.cy)
                    << id << ": item " << i << " leaves the page";
                for (size_t j = i + 1; j < parsed.items.size(); ++j)
                    EXPECT_FALSE(Overlap(a, Footprint(parsed.items[j])))
                        << id << ": items " << parsed.items[i].id << " and " << parsed.items[j].id << " ("
                        << i << ", " << j << ") overlap";
            }
        }
    }
}

// A field is labelled when a label with text ends left of it on the same line.
TEST_F(ResourceTemplatesTest, EveryFieldHasALabel) {
    for (HMODULE module : {s_english, s_german}) {
        for (const Expected& expected : kItems) {
            if (!expected.labelled)
                continue;
            CDialogTemplate parsed;
            ASSERT_EQ(S_OK, Template(module, expected.templateId, &parsed));
            const CDialogTemplate::Item* field = parsed.FindItem(expected.itemId);
            ASSERT_NE(nullptr, field);
            const Rect f = Footprint(*field);
            const bool labelled =
                std::any_of(parsed.items.begin(), parsed.items.end(), [&](const auto& item) {
                    const Rect l = Footprint(item);
                    return item.id == kLabelId && !item.title.name.empty() && l.right <= f.left &&
                           l.top < f.bottom && f.top < l.bottom;
                });
            EXPECT_TRUE(labelled) << expected.templateId << "/" << expected.itemId;
        }
    }
}

// Both languages lay out the same controls; only the label texts differ.
TEST_F(ResourceTemplatesTest, EnglishAndGermanHaveTheSameControls) {
    for (WORD id : kTemplates) {
        CDialogTemplate english;
        CDialogTemplate german;
        ASSERT_EQ(S_OK, Template(s_english, id, &english));
        ASSERT_EQ(S_OK, Template(s_german, id, &german));
        EXPECT_EQ(english.cx, german.cx) << id;
        EXPECT_EQ(english.cy, german.cy) << id;
        ASSERT_EQ(english.items.size(), german.items.size()) << id;
        bool someLabelTranslated = false;
        bool anyLabel = false;
        for (size_t i = 0; i < english.items.size(); ++i) {
            const CDialogTemplate::Item& e = english.items[i];
            const CDialogTemplate::Item& g = german.items[i];
            EXPECT_EQ(e.id, g.id) << id << " item " << i;
            EXPECT_EQ(Upper(e.className), Upper(g.className)) << id << " item " << i;
            EXPECT_EQ(e.style, g.style) << id << " item " << i;
            if (e.id == kLabelId) {
                anyLabel = true;
                someLabelTranslated = someLabelTranslated || e.title.name != g.title.name;
            }
        }
        EXPECT_EQ(anyLabel, someLabelTranslated) << id;
    }
}

TEST_F(ResourceTemplatesTest, TheAmPmChoiceListsAmThenPm) {
    for (HMODULE module : {s_english, s_german}) {
        DWORD size = 0;
        const BYTE* bytes = Bytes(module, IDD_VERIFICATION_SETTINGS, MAKEINTRESOURCEW(kDlgInitType), &size);
        ASSERT_NE(nullptr, bytes);
        std::vector<CDialogTemplate::InitEntry> entries;
        ASSERT_EQ(S_OK, CDialogTemplate::ParseInitData(bytes, size, &entries));
        ASSERT_EQ(2u, entries.size());
        const char* texts[] = {"AM", "PM"};
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(9244, entries[i].itemId);
            EXPECT_EQ(kDlgInitComboAddString, entries[i].message);
            const std::string text(entries[i].data.begin(), entries[i].data.end());
            EXPECT_EQ(std::string(texts[i], 3), text); // with its terminator
        }
    }
}

TEST_F(ResourceTemplatesTest, ThePropertySheetTemplateOfTheCommonControls) {
    HMODULE comctl = LoadLibraryW(L"COMCTL32.DLL");
    ASSERT_NE(nullptr, comctl);
    CDialogTemplate sheet;
    ASSERT_EQ(S_OK, Template(comctl, 1006, &sheet));
    ASSERT_TRUE(sheet.hasFont);
    EXPECT_EQ(L"MS Shell Dlg", sheet.font.face);
    EXPECT_EQ(8, sheet.font.pointSize);
    EXPECT_GT(sheet.cx, 150);
    EXPECT_GT(sheet.cy, 150);
    const CDialogTemplate::Item* tabs = sheet.FindItem(0x3020);
    ASSERT_NE(nullptr, tabs);
    EXPECT_EQ(L"SYSTABCONTROL32", Upper(tabs->className));
    for (DWORD button : {1u, 2u, 0x3021u}) {
        const CDialogTemplate::Item* item = sheet.FindItem(button);
        ASSERT_NE(nullptr, item) << button;
        EXPECT_EQ(L"Button", item->className) << button;
    }
    FreeLibrary(comctl);
}

TEST_F(ResourceTemplatesTest, MessagesLoadInBothLanguages) {
    for (UINT id = IDS_TIME_YEAR_RANGE; id <= IDS_TIME_FEBRUARY_29; ++id) {
        wchar_t english[256] = {};
        wchar_t german[256] = {};
        EXPECT_GT(LoadStringW(s_english, id, english, 256), 0) << id;
        EXPECT_GT(LoadStringW(s_german, id, german, 256), 0) << id;
        EXPECT_NE(std::wstring(english), std::wstring(german)) << id;
    }
}

} // namespace
