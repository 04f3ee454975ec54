#include "tools/pvhost/DemoWalk.h"

#include <cctype>

#include "host/HostProject.h"
#include "host/WindowPicture.h"
#include "platform/base/TextCodec.h"
#include "platform/user/Controls.h"
#include "platform/hand/UserHand.h"
#include "platform/user/WinUser.h"
#include "profile/pages/PVPageCatalogue.h"

struct CDemoWalk::CEdit {
    const wchar_t* member;
    // The item the walk picks, and the one it picks to show that Revert and Cancel drop it.
    const wchar_t* picked;
    const wchar_t* undone;
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
    const CPVPageTable* page = PVPageCatalogue::Find(className);
    for (const CEdit& edit : kEdits)
        if (page && page->RowOf(edit.member))
            return &edit;
    return nullptr;
}

HWND CDemoWalk::ControlOf(size_t index, HWND window, const CEdit& edit) const {
    const CPVPageTable* page = PVPageCatalogue::Find(m_dialog.PageInfo(index).className);
    const CPVControlRow* row = page ? page->RowOf(edit.member) : nullptr;
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
        if (const CEdit* edit = EditOf(m_dialog.PageInfo(i).className)) {
            const HWND combo = ControlOf(i, window, *edit);
            const std::wstring before = ComboText(combo);
            if (PickText(combo, edit->picked, "page '" + PageTitle(i) + "'")) {
                m_edited.push_back(i);
                m_print("page '" + PageTitle(i) + "': picked '" + Utf8(edit->picked) + "' for " +
                        Utf8(edit->member) + " (was '" + Utf8(before) + "')");
            } else {
                ok = false;
            }
        }
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
    if (m_savePath.empty() || m_edited.empty())
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
    return ok;
}

bool CDemoWalk::RevertAPick() {
    const size_t index = m_edited.back();
    const CEdit* edit = EditOf(m_dialog.PageInfo(index).className);
    if (FAILED(m_dialog.SelectPage(static_cast<int>(index))))
        return Fail(m_dialog.LastError());
    const HWND combo = ControlOf(index, m_dialog.PageWindow(index), *edit);
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
    const HWND combo = ControlOf(index, again.PageWindow(index), *edit);
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
