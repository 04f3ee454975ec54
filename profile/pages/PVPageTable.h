// A page described as a table: its class, class id and dialog template, and one row per
// control in list order (the order of construction, of subclassing and of the control
// list) with the dialog item, the member it binds, the value class, the numbers its
// Initialize takes and the combo box it follows. The page classes build, subclass and
// bind their controls from these rows; tests, the page-cycle benchmark and pvhost's
// demo read the same rows instead of repeating them. Data only: nothing here needs the
// profile's code.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

// The control class of a row. A page that brings a new control class adds it here and
// to the classes the page skeleton builds (PVTablePage.h).
enum class PVControl {
    ConfigComboBox,               // CPVCtrlConfigComboBox
    ConfigEditInteger,            // CPVCtrlConfigEditInteger
    ConfigEditFloat,              // CPVCtrlConfigEditFloat
    ConfigDependEditFloat,        // CPVCtrlConfigDependEditFloat: follows, lowest and highest selection
    ConfigChkCmbBtnDependEditBox, // CPVCtrlConfigChkCmbBtnDependEditBox: the same
    ConfigStaticTextPages,        // CPVCtrlConfigStaticTextPages
    CmbDependStatic,              // CPVCtrlCmbDependStatic: follows, further members, mode

    // The totalizer page's.
    ConfigComboBoxTot,     // CPVCtrlConfigComboBoxTot: follows the assignment box
    CmbDependStaticPreset, // CPVCtrlCmbDependStaticPreset: follows the unit box, then the assignment box
    TotalizerTabCtrl,      // CPVCtrlTavrinTotalizerTabCtrl: its row names its tabs
};

// The value objects a row's control is bound with.
enum class PVValue {
    None,        // the control binds nothing of the tag (labels reading other controls, online controls)
    Enumeration, // CPVGetSetEnum and CPVGetEnumStrings on the same member
    Long,        // CPVGetSetLong
    Float,       // CPVGetSetFloat
    Float2,      // CPVGetSetFloat2, the second converter
};

struct CPVPageTable;

// Rows beyond the commonest are written with designated initializers, field by field
// as the page's bindings read: item, member, value class, followed combo box and the
// selections that enable the control, then the numbers of Initialize.
struct CPVControlRow {
    PVControl control;
    UINT item;
    // The member the control binds; on a tab page a format whose %d is the tab page's
    // number. Null when the control binds none.
    const wchar_t* member = nullptr;
    PVValue value = PVValue::None;
    // Further members of a label that shows one of several units (slots 2 and 3).
    const wchar_t* moreMembers[2] = {};
    // The combo boxes a dependent control follows (0: none), and for a dependent edit
    // the lowest and highest selection of the first one that enables it.
    UINT follows[2] = {};
    LONG lowestSelection = 0;
    LONG highestSelection = 0;
    // The numbers of an edit's Initialize, and a unit label's mode.
    LONG textLimit = 0;
    LONG maskFlag = 0;
    LONG decimals = 0;
    LONG mode = 0;
    // A tab control's tabs: the table each tab's page is built from, and the tabs'
    // titles in tab order, one tab page per title.
    const CPVPageTable* tabPage = nullptr;
    std::span<const wchar_t* const> tabTitles = {};
};

// An enumeration member in a configuration combo box: the commonest row.
constexpr CPVControlRow PVEnumerationRow(UINT item, const wchar_t* member) {
    return {PVControl::ConfigComboBox, item, member, PVValue::Enumeration};
}

// A page, or a tab page of one: a tab page's table has no class id, and its members
// are formats numbered by the tab page.
struct CPVPageTable {
    const wchar_t* className;
    // The default value of the page's class key.
    const wchar_t* pageName;
    // Registry form, braces included. The host stores it in its projects, so it never
    // changes from build to build.
    const wchar_t* clsid;
    UINT dialogTemplate;
    // Empty while the page is not built: the catalogue still names it.
    std::span<const CPVControlRow> rows = {};
    // Row indices in the order the page binds them; empty when that is list order (the
    // low-flow page binds 0, 4, 1, 3, 2).
    std::span<const size_t> bindOrder = {};
    // The row whose control has the focus when the page is shown.
    size_t focusRow = 0;

    // The row bound at position `position` of the binding order.
    constexpr const CPVControlRow& BoundRow(size_t position) const {
        return rows[bindOrder.empty() ? position : bindOrder[position]];
    }
    // Every dialog item once, the focus on a row, and a binding order that names every
    // row once.
    constexpr bool IsWellFormed() const {
        if (!rows.empty() && focusRow >= rows.size())
            return false;
        if (!bindOrder.empty() && bindOrder.size() != rows.size())
            return false;
        for (size_t i = 0; i < rows.size(); ++i) {
            for (size_t j = i + 1; j < rows.size(); ++j)
                if (rows[i].item == rows[j].item || (!bindOrder.empty() && bindOrder[i] == bindOrder[j]))
                    return false;
            if (!bindOrder.empty() && bindOrder[i] >= rows.size())
                return false;
        }
        return true;
    }
    // The row that binds `member` first, or null.
    constexpr const CPVControlRow* RowOf(std::wstring_view member) const {
        for (const CPVControlRow& row : rows)
            if (row.member && member == row.member)
                return &row;
        return nullptr;
    }
};

// The member a tab page's row binds on tab page `number` (1 for the first tab): the
// row's format with its %d written in decimal.
inline std::wstring PVNumberedMember(std::wstring_view format, int number) {
    std::wstring member(format);
    if (const size_t at = member.find(L"%d"); at != std::wstring::npos)
        member.replace(at, 2, std::to_wstring(number));
    return member;
}

// Where a page shows a member: the control's row and, for a member of a tab page, the
// tab control's row and the tab (0 for the first).
struct CPVMemberPlace {
    const CPVControlRow* row = nullptr;
    const CPVControlRow* tabCtrl = nullptr;
    int tab = -1;
};

// The place of `member` on `page`; a null row when the page does not bind it.
inline CPVMemberPlace PVPlaceOf(const CPVPageTable& page, std::wstring_view member) {
    if (const CPVControlRow* row = page.RowOf(member))
        return {row};
    for (const CPVControlRow& tabCtrl : page.rows) {
        if (!tabCtrl.tabPage)
            continue;
        for (int tab = 0; tab < static_cast<int>(tabCtrl.tabTitles.size()); ++tab)
            for (const CPVControlRow& row : tabCtrl.tabPage->rows)
                if (row.member && PVNumberedMember(row.member, tab + 1) == member)
                    return {&row, &tabCtrl, tab};
    }
    return {};
}
