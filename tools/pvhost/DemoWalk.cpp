#include "tools/pvhost/DemoWalk.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/HostProject.h"
#include "host/WindowPicture.h"
#include "platform/base/TextCodec.h"
#include "platform/hand/UserHand.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "profile/pages/PVPageCatalogue.h"

struct CDemoWalk::CEdit {
    const wchar_t* member;
    // The item the walk picks, and the one it picks to show that Revert and Cancel drop it.
    const wchar_t* picked;
    const wchar_t* undone;
};

struct CDemoWalk::CEntry {
    const wchar_t* member;
    // Beyond the member's range but within the box's text limit, so that only the host
    // refuses it; then a value the member takes.
    const wchar_t* outOfRange;
    const wchar_t* valid;
};

namespace {

const CDemoWalk::Printer kIgnore = [](const std::string&) {};

std::string Utf8(const std::wstring& text) {
    return CTextCodec::ToUtf8(text);
}

std::wstring ComboText(HWND combo) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0)
        return L"";
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    return text;
}

// The display text of an enumeration member's value in `project`.
std::wstring MemberText(CHostProject& project, const std::wstring& name) {
    const CTagMember* member = project.ConfigTag().Find(name);
    if (!member || !std::holds_alternative<LONGLONG>(member->Value()))
        return L"";
    const int index = member->EnumIndexOf(static_cast<LONG>(std::get<LONGLONG>(member->Value())));
    return index < 0 ? L"" : member->Enumeration()[static_cast<size_t>(index)].text;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The row of the table of `className`'s page that `table` names a member of, or null.
template <class T, size_t N> const T* ForPage(const T (&table)[N], const std::wstring& className) {
    const CPVPageTable* page = PVPageCatalogue::Find(className);
    for (const T& row : table)
        if (page && page->RowOf(row.member))
            return &row;
    return nullptr;
}

// The dialog item `item` on the one tab page of `page` the user sees; a tab control's
// pages carry the same items.
HWND ShownItem(HWND page, UINT item) {
    for (HWND tab = GetWindow(page, GW_CHILD); tab; tab = GetWindow(tab, GW_HWNDNEXT))
        if (IsWindowVisible(tab))
            if (HWND found = GetDlgItem(tab, static_cast<int>(item)))
                return found;
    return nullptr;
}

std::string ComboItemRange(HWND combo) {
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    const auto item = [combo](int index) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        return Utf8(text);
    };
    return std::to_string(count) + " units" +
           (count > 0 ? " ('" + item(0) + "' to '" + item(count - 1) + "')" : "");
}

std::vector<HWND> ComboBoxesOf(HWND page) {
    std::vector<HWND> boxes;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        if (std::wstring(className) == WC_COMBOBOXW)
            boxes.push_back(child);
    }
    return boxes;
}

} // namespace

const CDemoWalk::CEdit* CDemoWalk::EditOf(const std::wstring& className) {
    static const CEdit kEdits[] = {
        {L"SystemUnitVolumeFlow", L"l/min", L"m3/s"},
        {L"ConfigurableInputAsm_8", L"Flow velocity", L"Conductivity"},
        {L"SensorInstalledDirection", L"Reverse flow", L"Forward flow"},
    };
    return ForPage(kEdits, className);
}

const CDemoWalk::CEntry* CDemoWalk::EntryOf(const std::wstring& className) {
    static const CEntry kEntries[] = {
        {L"ExternalCompensationFixedDensity", L"120000", L"998.2"},
        {L"LowFlowCutOffLowFlowCutOffVal", L"150", L"40"},
        {L"EmptyFilledPipeResponseTime", L"20", L"2.5"},
        {L"SystemDamping", L"42", L"9"},
    };
    return ForPage(kEntries, className);
}

HWND CDemoWalk::ControlOf(size_t index, HWND window, const std::wstring& member) const {
    const CPVPageTable* page = PVPageCatalogue::Find(m_dialog.PageInfo(index).className);
    const CPVControlRow* row = page ? page->RowOf(member) : nullptr;
    return row ? GetDlgItem(window, static_cast<int>(row->item)) : nullptr;
}

CDemoWalk::CDemoWalk(std::shared_ptr<CHostContext> context, CPropertiesDialog& dialog,
                     std::string outputFolder, std::string savePath, Printer print, Printer fail)
    : m_context(std::move(context)), m_dialog(dialog), m_output(std::move(outputFolder)),
      m_savePath(std::move(savePath)), m_print(std::move(print)), m_fail(std::move(fail)) {}

std::string CDemoWalk::PictureName(size_t index, const std::wstring& title) {
    std::string slug;
    for (char c : Utf8(title)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    char number[24];
    std::snprintf(number, sizeof number, "%02zu", index + 1);
    return std::string("page-") + number + "-" + (slug.empty() ? "page" : slug) + ".png";
}

bool CDemoWalk::Fail(const std::string& message) {
    m_fail(message);
    return false;
}

std::string CDemoWalk::PageTitle(size_t index) const {
    const CPropertyPageInfo& info = m_dialog.PageInfo(index);
    return Utf8(info.title.empty() ? info.className : info.title);
}

bool CDemoWalk::Draw(HWND window, const std::string& file) {
    std::string error;
    if (!CWindowPicture::WritePng(window, m_output + "/" + file, &error))
        return Fail(error);
    return true;
}

bool CDemoWalk::PickText(HWND combo, const std::wstring& text, const std::string& where) {
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0)
        return Fail(where + ": the list has no item '" + Utf8(text) + "'");
    if (!CUserHand::Instance().PickComboItem(combo, static_cast<int>(index), CUserHand::Pick::Mouse))
        return Fail(where + ": the item '" + Utf8(text) + "' could not be picked");
    if (ComboText(combo) != text)
        return Fail(where + ": the box shows '" + Utf8(ComboText(combo)) + "' after picking '" + Utf8(text) +
                    "'");
    return true;
}

bool CDemoWalk::Run() {
    bool ok = VisitPages();
    if (!Draw(m_dialog.Window(), "properties.png"))
        ok = false;
    else
        m_print("drew the whole dialog into " + m_output + "/properties.png");
    if (FAILED(m_dialog.Apply()))
        return Fail(m_dialog.LastError());
    ok = CheckSavedProject() && ok;
    if (!m_edited.empty())
        ok = RevertAPick() && GreyOnline() && ok;
    if (FAILED(m_dialog.Ok()))
        return Fail(m_dialog.LastError());
    m_print("saved the project to " + m_savePath);
    if (!m_edited.empty())
        ok = CancelAPick() && ok;
    return ok;
}

bool CDemoWalk::VisitPages() {
    bool ok = true;
    for (size_t i = 0; i < m_dialog.PageCount(); ++i) {
        CUserHand::Instance().ClickTab(m_dialog.Item(CPropertiesDialog::kTabId), static_cast<int>(i));
        const HWND window = m_dialog.PageWindow(i);
        if (m_dialog.CurrentPage() != static_cast<int>(i) || !window) {
            ok = Fail("page " + std::to_string(i + 1) + " '" + PageTitle(i) + "' could not be shown");
            continue;
        }
        if (m_dialog.PageInfo(i).className == PVPageCatalogue::kTotalizerConfig.className) {
            ok = WalkTotalizers(i, window) && ok;
            continue;
        }
        if (const CEdit* edit = EditOf(m_dialog.PageInfo(i).className)) {
            const HWND combo = ControlOf(i, window, edit->member);
            const std::wstring before = ComboText(combo);
            if (PickText(combo, edit->picked, "page '" + PageTitle(i) + "'")) {
                m_edited.push_back(i);
                m_print("page '" + PageTitle(i) + "': picked '" + Utf8(edit->picked) + "' for " +
                        Utf8(edit->member) + " (was '" + Utf8(before) + "')");
            } else {
                ok = false;
            }
        }
        if (const CEntry* entry = EntryOf(m_dialog.PageInfo(i).className))
            ok = EnterNumbers(i, window, *entry) && FollowLowFlowAssignment(i, window) && ok;
        const std::string picture =
            PictureName(i, m_dialog.PageInfo(i).title.empty() ? m_dialog.PageInfo(i).className
                                                              : m_dialog.PageInfo(i).title);
        if (!Draw(window, picture)) {
            ok = false;
            continue;
        }
        m_print("visited page " + std::to_string(i + 1) + " '" + PageTitle(i) + "'; drew it into " +
                m_output + "/" + picture);
    }
    return ok;
}

bool CDemoWalk::CheckSavedProject() {
    if (m_savePath.empty() || (m_edited.empty() && m_entered.empty() && m_expectedSaved.empty()))
        return true;
    CHostProject saved;
    std::string error;
    if (!saved.LoadFile(m_savePath, &error))
        return Fail(error);
    bool ok = true;
    for (size_t index : m_edited) {
        const CEdit* edit = EditOf(m_dialog.PageInfo(index).className);
        const std::wstring text = MemberText(saved, edit->member);
        if (text != edit->picked)
            ok = Fail("the saved project holds '" + Utf8(text) + "' for " + Utf8(edit->member) + ", not '" +
                      Utf8(edit->picked) + "'");
        else
            m_print("the saved project holds '" + Utf8(text) + "' for " + Utf8(edit->member));
    }
    for (const auto& [member, expected] : m_expectedSaved) {
        const std::wstring text = MemberText(saved, member);
        if (text != expected)
            ok = Fail("the saved project holds '" + Utf8(text) + "' for " + Utf8(member) + ", not '" +
                      Utf8(expected) + "'");
        else
            m_print("the saved project holds '" + Utf8(text) + "' for " + Utf8(member));
    }
    return CheckSavedEntries(saved) && ok;
}

bool CDemoWalk::RevertAPick() {
    const size_t index = m_edited.back();
    const CEdit* edit = EditOf(m_dialog.PageInfo(index).className);
    if (FAILED(m_dialog.SelectPage(static_cast<int>(index))))
        return Fail(m_dialog.LastError());
    const HWND combo = ControlOf(index, m_dialog.PageWindow(index), edit->member);
    const std::string where = "page '" + PageTitle(index) + "'";
    if (!PickText(combo, edit->undone, where))
        return false;
    m_print(where + ": picked '" + Utf8(edit->undone) + "' without applying it");
    if (FAILED(m_dialog.Revert()) || FAILED(m_dialog.Refresh()))
        return Fail(m_dialog.LastError());
    if (ComboText(combo) != edit->picked)
        return Fail(where + ": after Revert the box shows '" + Utf8(ComboText(combo)) +
                    "', not the applied '" + Utf8(edit->picked) + "'");
    m_print(where + ": Revert and Refresh show the applied '" + Utf8(edit->picked) + "' again");
    return true;
}

bool CDemoWalk::GreyOnline() {
    const size_t current = static_cast<size_t>(m_dialog.CurrentPage());
    const std::vector<HWND> boxes = ComboBoxesOf(m_dialog.PageWindow(current));
    const auto enabledCount = [&] {
        size_t enabled = 0;
        for (HWND box : boxes)
            enabled += IsWindowEnabled(box) ? 1 : 0;
        return enabled;
    };
    const std::string where = std::to_string(boxes.size()) + " boxes of page '" + PageTitle(current) + "'";
    if (FAILED(m_dialog.SetOnline(true)))
        return Fail(m_dialog.LastError());
    if (enabledCount() != 0)
        return Fail("online, " + std::to_string(enabledCount()) + " of the " + where +
                    " can still be changed");
    if (!Draw(m_dialog.Window(), "online.png"))
        return false;
    m_print("online: the " + where + " are greyed; drew the dialog into " + m_output + "/online.png");
    if (FAILED(m_dialog.SetOnline(false)))
        return Fail(m_dialog.LastError());
    if (enabledCount() != boxes.size())
        return Fail("offline again, only " + std::to_string(enabledCount()) + " of the " + where +
                    " are enabled");
    m_print("offline: the " + where + " can be changed again");
    return true;
}

bool CDemoWalk::CancelAPick() {
    const size_t index = m_edited.front();
    const CEdit* edit = EditOf(m_dialog.PageInfo(index).className);
    std::vector<CPropertyPageInfo> pages;
    for (size_t i = 0; i < m_dialog.PageCount(); ++i)
        pages.push_back(m_dialog.PageInfo(i));
    // The dialog opened again on the applied project, its messages not repeated.
    CPropertiesDialog again(m_context);
    again.SetReporter(kIgnore);
    if (FAILED(again.Open(pages, L"Module Properties")) || FAILED(again.SelectPage(static_cast<int>(index))))
        return Fail(again.LastError());
    const HWND combo = ControlOf(index, again.PageWindow(index), edit->member);
    const std::string where = "page '" + PageTitle(index) + "' opened again";
    if (!PickText(combo, edit->undone, where))
        return false;
    if (FAILED(again.Cancel()))
        return Fail(again.LastError());
    const std::wstring kept = MemberText(m_context->Project(), edit->member);
    if (kept != edit->picked)
        return Fail(where + ": after Cancel the project holds '" + Utf8(kept) + "', not '" +
                    Utf8(edit->picked) + "'");
    m_print(where + ": picked '" + Utf8(edit->undone) + "' and cancelled; the project keeps '" + Utf8(kept) +
            "'");
    return true;
}

bool CDemoWalk::TypeInto(HWND box, const std::wstring& text) {
    CUserHand& hand = CUserHand::Instance();
    if (!hand.Click(box))
        return false;
    hand.PressKey('A', CUserHand::kCtrl);
    hand.Type(text);
    return WindowText(box) == text;
}

bool CDemoWalk::EnterNumbers(size_t index, HWND window, const CEntry& entry) {
    const std::string where = "page '" + PageTitle(index) + "'";
    const std::string member = Utf8(entry.member);
    const HWND box = ControlOf(index, window, entry.member);
    if (!box || !TypeInto(box, entry.outOfRange))
        return Fail(where + ": the box of " + member + " did not take '" + Utf8(entry.outOfRange) + "'");
    // Leaving the page saves the box; the host refuses the value and the page stays.
    const size_t shownBefore = m_dialog.Parent()->ShownErrors().size();
    const size_t other = (index + 1) % m_dialog.PageCount();
    if (other != index)
        CUserHand::Instance().ClickTab(m_dialog.Item(CPropertiesDialog::kTabId), static_cast<int>(other));
    else
        m_dialog.Apply();
    const auto& shown = m_dialog.Parent()->ShownErrors();
    if (m_dialog.CurrentPage() != static_cast<int>(index))
        return Fail(where + " let go of " + member + " = " + Utf8(entry.outOfRange));
    if (shown.size() == shownBefore || shown.back().text.find(entry.member) == std::wstring::npos)
        return Fail(where + ": no message naming " + member + " was shown for " + Utf8(entry.outOfRange));
    if (GetFocus() != box)
        return Fail(where + ": the box of " + member + " did not take the focus back");
    m_print(where + ": " + Utf8(entry.outOfRange) + " for " + member + " is refused; the page stays and the host shows '" +
            Utf8(shown.back().text) + "'");
    if (!TypeInto(box, entry.valid))
        return Fail(where + ": the box of " + member + " did not take '" + Utf8(entry.valid) + "'");
    m_entered.push_back(index);
    m_print(where + ": typed " + Utf8(entry.valid) + " for " + member);
    return true;
}

bool CDemoWalk::FollowLowFlowAssignment(size_t index, HWND window) {
    const CPVPageTable* page = PVPageCatalogue::Find(m_dialog.PageInfo(index).className);
    const CPVControlRow* assignment = page ? page->RowOf(L"LowFlowCutOffAssignLowFlow") : nullptr;
    if (!assignment)
        return true;
    const std::string where = "page '" + PageTitle(index) + "'";
    std::vector<HWND> boxes;
    HWND label = nullptr;
    for (const CPVControlRow& row : page->rows) {
        if (row.follows[0] != assignment->item)
            continue;
        const HWND item = GetDlgItem(window, static_cast<int>(row.item));
        if (row.control == PVControl::CmbDependStatic)
            label = item;
        else
            boxes.push_back(item);
    }
    const auto enabledCount = [&] {
        size_t enabled = 0;
        for (HWND box : boxes)
            enabled += IsWindowEnabled(box) ? 1 : 0;
        return enabled;
    };
    const HWND combo = GetDlgItem(window, static_cast<int>(assignment->item));
    if (!label || !PickText(combo, L"Off", where))
        return Fail(where + ": the assignment and its unit label are not there");
    if (enabledCount() != 0 || WindowText(label).find_first_not_of(L' ') != std::wstring::npos)
        return Fail(where + ": with the assignment 'Off', " + std::to_string(enabledCount()) +
                    " value boxes stay enabled and the unit label shows '" + Utf8(WindowText(label)) + "'");
    const std::string picture =
        PictureName(index, m_dialog.PageInfo(index).title + L" assignment off");
    if (!Draw(window, picture))
        return false;
    m_print(where + ": with the assignment 'Off' its " + std::to_string(boxes.size()) +
            " value boxes are greyed and the unit label is blank; drew it into " + m_output + "/" + picture);
    if (!PickText(combo, L"Mass flow", where))
        return false;
    const std::wstring unit = MemberText(m_context->Project(), L"SystemUnitMassFlow");
    if (enabledCount() != boxes.size() || WindowText(label) != unit)
        return Fail(where + ": with 'Mass flow', " + std::to_string(enabledCount()) + " of " +
                    std::to_string(boxes.size()) + " value boxes are enabled and the unit label shows '" +
                    Utf8(WindowText(label)) + "', not '" + Utf8(unit) + "'");
    m_print(where + ": with 'Mass flow' the value boxes are enabled and the unit label shows '" + Utf8(unit) +
            "', the unit of SystemUnitMassFlow");
    return true;
}

bool CDemoWalk::CheckSavedEntries(const CHostProject& saved) {
    bool ok = true;
    for (size_t index : m_entered) {
        const CEntry* entry = EntryOf(m_dialog.PageInfo(index).className);
        const CTagMember* member = saved.ConfigTag().Find(entry->member);
        const CTagValue typed = member && std::holds_alternative<float>(member->Value())
                                    ? CTagValue{static_cast<float>(std::wcstod(entry->valid, nullptr))}
                                    : CTagValue{LONGLONG{std::wcstoll(entry->valid, nullptr, 10)}};
        const std::string held = member ? Utf8(CTagMember::ToText(member->Value())) : "nothing";
        if (!member || member->Value() != typed)
            ok = Fail("the saved project holds " + held + " for " + Utf8(entry->member) + ", not " +
                      Utf8(entry->valid));
        else
            m_print("the saved project holds " + Utf8(entry->valid) + " for " + Utf8(entry->member));
    }
    return ok;
}

// The totalizer step ---------------------------------------------------------

bool CDemoWalk::ShowTab(HWND strip, int tab, HWND window, const std::string& file) {
    const std::string where = "page '" + PageTitle(static_cast<size_t>(m_dialog.CurrentPage())) + "' tab " +
                              std::to_string(tab + 1);
    if (!CUserHand::Instance().ClickTab(strip, tab) || SendMessageW(strip, TCM_GETCURSEL, 0, 0) != tab)
        return Fail(where + " could not be shown");
    if (!Draw(window, file))
        return false;
    m_print(where + ": drew it into " + m_output + "/" + file);
    return true;
}

bool CDemoWalk::WalkTotalizers(size_t index, HWND window) {
    // Totalizer 1 counts mass flow in the embedded project; volume flow makes the page
    // list the volume units and write their default at once.
    const std::wstring assignMember = L"Totalizer1_Assign";
    const std::wstring unitMember = L"Totalizer1_Unit";
    const std::wstring picked = L"Volume flow";
    const std::wstring defaultUnit = L"Mgal (us)";

    const CPVPageTable& page = PVPageCatalogue::kTotalizerConfig;
    const CPVMemberPlace assign = PVPlaceOf(page, assignMember);
    const CPVMemberPlace unit = PVPlaceOf(page, unitMember);
    const std::string title = PageTitle(index);
    if (!assign.tabCtrl || !unit.row)
        return Fail("page '" + title + "': the catalogue does not place " + Utf8(assignMember));
    const CPVControlRow* label = nullptr;
    for (const CPVControlRow& row : assign.tabCtrl->tabPage->rows)
        if (!row.member && row.follows[0] == unit.row->item)
            label = &row;
    const HWND strip = GetDlgItem(window, static_cast<int>(assign.tabCtrl->item));
    if (!strip || !label || !CUserHand::Instance().ClickTab(strip, assign.tab))
        return Fail("page '" + title + "': the tab of " + Utf8(assignMember) + " cannot be shown");

    const std::string where = "page '" + title + "' tab " + std::to_string(assign.tab + 1);
    const HWND assignBox = ShownItem(window, assign.row->item);
    const HWND unitBox = ShownItem(window, unit.row->item);
    const HWND labelWindow = ShownItem(window, label->item);
    const std::wstring before = ComboText(assignBox);
    m_print(where + ": " + Utf8(assignMember) + " is '" + Utf8(before) + "', the unit list holds " +
            ComboItemRange(unitBox) + " at '" + Utf8(ComboText(unitBox)) + "'");
    if (!PickText(assignBox, picked, where))
        return false;
    const std::wstring written = MemberText(m_context->Project(), unitMember);
    m_print(where + ": picked '" + Utf8(picked) + "' for " + Utf8(assignMember) + " (was '" + Utf8(before) +
            "'); the unit list holds " + ComboItemRange(unitBox) + ", '" + Utf8(written) +
            "' was written to " + Utf8(unitMember) + " at once, the preset label shows '" +
            Utf8(WindowText(labelWindow)) + "'");
    bool ok = true;
    if (written != defaultUnit || ComboText(unitBox) != defaultUnit || WindowText(labelWindow) != defaultUnit)
        ok = Fail(where + ": after '" + Utf8(picked) +
                  "' the member, the unit box and the label should hold '" + Utf8(defaultUnit) + "'");
    // The new list as the user opens it, closed again with a second click.
    const std::string picture = PictureName(index, m_dialog.PageInfo(index).title);
    const std::string stem = picture.substr(0, picture.size() - 4);
    CUserHand::Instance().Click(unitBox);
    if (!SendMessageW(unitBox, CB_GETDROPPEDSTATE, 0, 0))
        ok = Fail(where + ": the unit list does not open");
    else if (Draw(window, stem + "-units.png"))
        m_print(where + ": opened the unit list; drew it into " + m_output + "/" + stem + "-units.png");
    else
        ok = false;
    CUserHand::Instance().Click(unitBox);
    if (SendMessageW(unitBox, CB_GETDROPPEDSTATE, 0, 0) || ComboText(unitBox) != defaultUnit)
        ok = Fail(where + ": the unit list does not close on '" + Utf8(defaultUnit) + "'");
    m_expectedSaved.push_back({assignMember, picked});
    m_expectedSaved.push_back({unitMember, defaultUnit});

    for (int tab = 0; tab < static_cast<int>(assign.tabCtrl->tabTitles.size()); ++tab)
        ok = ShowTab(strip, tab, window, stem + "-tab-" + std::to_string(tab + 1) + ".png") && ok;
    return ok;
}
