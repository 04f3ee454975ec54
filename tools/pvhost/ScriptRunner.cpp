#include "tools/pvhost/ScriptRunner.h"

#include <cctype>
#include <cwctype>
#include <sstream>

#include <nlohmann/json.hpp>

#include "host/WindowPicture.h"
#include "platform/base/TextCodec.h"
#include "platform/hand/UserHand.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowDump.h"

namespace {

struct CVerb {
    const char* name;
    bool takesId;
    enum { kNothing, kText, kNumber, kOptionalWord } rest;
};

const CVerb kVerbs[] = {
    {"page", false, CVerb::kText},       {"type", true, CVerb::kText},
    {"paste", true, CVerb::kText},       {"pick", true, CVerb::kNumber},
    {"click", true, CVerb::kNothing},    {"key", false, CVerb::kText},
    {"wait", false, CVerb::kNumber},     {"apply", false, CVerb::kNothing},
    {"ok", false, CVerb::kNothing},      {"cancel", false, CVerb::kNothing},
    {"online", false, CVerb::kNothing},  {"offline", false, CVerb::kNothing},
    {"refresh", false, CVerb::kNothing}, {"help", false, CVerb::kNothing},
    {"png", false, CVerb::kText},        {"dump", false, CVerb::kOptionalWord},
    {"revert", false, CVerb::kNothing},  {"dialog", false, CVerb::kText},
    {"device", false, CVerb::kNothing},
    {"tab", true, CVerb::kNumber},       {"tabkey", true, CVerb::kText},
};

const char* const kTabStripClass = "SysTabControl32";

// What a person can do inside a modal dialog.
bool AllowedInDialog(const std::string& verb) {
    for (const char* allowed : {"click", "type", "paste", "pick", "key", "wait", "png", "dump"})
        if (verb == allowed)
            return true;
    return false;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The first word and the rest after the spaces that follow it.
std::pair<std::string, std::string> SplitWord(const std::string& text) {
    const size_t end = text.find_first_of(" \t");
    if (end == std::string::npos)
        return {text, ""};
    return {text.substr(0, end), Trim(text.substr(end))};
}

bool ReadNumber(const std::string& text, long long* value) {
    if (text.empty() || text.size() > 12)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    *value = std::stoll(text);
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

// A key name with its modifiers ("ctrl+shift+end").
bool KeyOf(const std::string& name, int* vk, UINT* modifiers) {
    static const std::pair<const char*, int> kKeys[] = {
        {"enter", VK_RETURN}, {"return", VK_RETURN},  {"tab", VK_TAB},       {"escape", VK_ESCAPE},
        {"esc", VK_ESCAPE},   {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"home", VK_HOME},
        {"end", VK_END},      {"left", VK_LEFT},      {"right", VK_RIGHT},   {"up", VK_UP},
        {"down", VK_DOWN},    {"space", VK_SPACE},    {"f4", VK_F4}};
    *modifiers = CUserHand::kNone;
    std::string rest = Lower(name);
    const std::pair<const char*, UINT> kModifiers[] = {
        {"ctrl+", CUserHand::kCtrl}, {"shift+", CUserHand::kShift}, {"alt+", CUserHand::kAlt}};
    for (bool more = true; more;) {
        more = false;
        for (const auto& [prefix, bit] : kModifiers) {
            const std::string p = prefix;
            if (rest.size() > p.size() && rest.compare(0, p.size(), p) == 0) {
                *modifiers |= bit;
                rest = rest.substr(p.size());
                more = true;
            }
        }
    }
    for (const auto& [keyName, code] : kKeys) {
        if (rest == keyName) {
            *vk = code;
            return true;
        }
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        *vk = std::toupper(static_cast<unsigned char>(rest[0]));
        return true;
    }
    return false;
}

} // namespace

CScriptRunner::CScriptRunner(CPropertiesDialog& dialog, std::function<void(const std::string&)> output)
    : m_dialog(dialog), m_output(std::move(output)) {}

bool CScriptRunner::Parse(const std::string& text, int line, CScriptCommand* command, std::string* error) {
    *command = CScriptCommand{};
    command->line = line;
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == '#')
        return true;
    const std::string where = "line " + std::to_string(line) + ": ";
    auto [verb, rest] = SplitWord(trimmed);
    verb = Lower(verb);
    const CVerb* found = nullptr;
    for (const CVerb& candidate : kVerbs)
        if (verb == candidate.name)
            found = &candidate;
    if (!found) {
        *error = where + "unknown command '" + verb + "'";
        return false;
    }
    command->verb = verb;
    if (found->takesId) {
        auto [id, after] = SplitWord(rest);
        long long value = 0;
        if (id.empty()) {
            *error = where + verb + " needs a control id";
            return false;
        }
        if (!ReadNumber(id, &value) || value > 0xFFFF) {
            *error = where + "'" + id + "' is no control id (a number from 0 to 65535)";
            return false;
        }
        command->id = static_cast<int>(value);
        rest = after;
    }
    switch (found->rest) {
    case CVerb::kNothing:
        if (!rest.empty()) {
            *error = where + verb + " takes nothing more, not '" + rest + "'";
            return false;
        }
        break;
    case CVerb::kText:
        // type and paste may type nothing; the others need their word.
        if (rest.empty() && verb != "type" && verb != "paste") {
            *error = where + verb + " needs " +
                     (verb == "png"      ? "a file name"
                      : verb == "key"    ? "a key name"
                      : verb == "dialog" ? "a command"
                                         : "a name");
            return false;
        }
        command->text = rest;
        break;
    case CVerb::kNumber:
        if (!ReadNumber(rest, &command->number)) {
            *error = where + verb + " needs a number" + (rest.empty() ? "" : ", not '" + rest + "'");
            return false;
        }
        break;
    case CVerb::kOptionalWord:
        if (!rest.empty() && rest != "json" && rest != "text") {
            *error = where + "dump prints 'text' or 'json', not '" + rest + "'";
            return false;
        }
        command->text = rest;
        break;
    }
    if (verb == "dialog") {
        CScriptCommand inner;
        if (!Parse(rest, line, &inner, error))
            return false;
        if (!AllowedInDialog(inner.verb)) {
            *error = where + "'" + inner.verb + "' cannot be done in a dialog";
            return false;
        }
    }
    int vk = 0;
    UINT modifiers = 0;
    if (verb == "key" && !KeyOf(command->text, &vk, &modifiers)) {
        *error = where + "unknown key '" + command->text + "'";
        return false;
    }
    if (verb == "tabkey" && (!KeyOf(command->text, &vk, &modifiers) || modifiers != CUserHand::kNone ||
                             (vk != VK_LEFT && vk != VK_RIGHT && vk != VK_UP && vk != VK_DOWN))) {
        *error = where + "tabkey moves with left, right, up or down, not '" + command->text + "'";
        return false;
    }
    return true;
}

bool CScriptRunner::ParseAll(const std::string& script, std::vector<CScriptCommand>* commands,
                             std::string* error) {
    std::istringstream lines(script);
    std::string text;
    int number = 0;
    while (std::getline(lines, text)) {
        CScriptCommand command;
        if (!Parse(text, ++number, &command, error))
            return false;
        if (!command.verb.empty())
            commands->push_back(command);
    }
    return true;
}

HWND CScriptRunner::FindControl(int id) const {
    // Inside a modal dialog its controls; else the current page's controls first, at any
    // depth, then the dialog's own.
    std::vector<HWND> pending;
    if (m_modal)
        pending.push_back(m_modal);
    else if (m_dialog.CurrentPage() >= 0)
        if (HWND page = m_dialog.PageWindow(static_cast<size_t>(m_dialog.CurrentPage())))
            pending.push_back(page);
    while (!pending.empty()) {
        HWND parent = pending.front();
        pending.erase(pending.begin());
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) == id)
                return child;
            // The pages of hidden tabs carry the same ids as the one shown.
            if (IsWindowVisible(child))
                pending.push_back(child);
        }
    }
    return m_modal ? nullptr : m_dialog.Item(id);
}

HWND CScriptRunner::FindTabStrip(const CScriptCommand& command, std::string* error) const {
    const std::string where = "line " + std::to_string(command.line) + ": ";
    HWND strip = FindControl(command.id);
    wchar_t className[64] = {};
    if (strip)
        GetClassNameW(strip, className, 64);
    if (!strip || !IsWindowVisible(strip) || CTextCodec::ToUtf8(className) != kTabStripClass) {
        *error = where + "there is no tab strip " + std::to_string(command.id) +
                 (m_modal ? " in the dialog" : " on the page shown");
        return nullptr;
    }
    if (!IsWindowEnabled(strip)) {
        *error = where + "tab strip " + std::to_string(command.id) + " is disabled";
        return nullptr;
    }
    return strip;
}

bool CScriptRunner::ClickButton(int id, const char* what) {
    HWND button = m_dialog.Item(id);
    if (!button || !IsWindowEnabled(button)) {
        m_failure = std::string("the ") + what + " button cannot be clicked now";
        return false;
    }
    CUserHand::Instance().Click(button);
    if (!m_dialog.LastError().empty()) {
        m_failure = m_dialog.LastError();
        return false;
    }
    return true;
}

bool CScriptRunner::Run(const CScriptCommand& command, std::string* error) {
    if (command.verb == "dialog") {
        Arm(command);
        return true;
    }
    if (command.verb.empty())
        return true;
    m_arming = false;
    std::shared_ptr<CDialogGroup> group = std::move(m_group);
    const bool done = RunHere(command, error);
    if (!group)
        return done;
    if (!group->taken) {
        // Nothing may be left armed for a dialog that some later command opens.
        CUserHand::Instance().Reset();
        if (done)
            *error = "line " + std::to_string(group->commands.front().line) + ": dialog: line " +
                     std::to_string(command.line) + " opened no dialog";
        return false;
    }
    if (!group->error.empty()) {
        *error = group->error;
        return false;
    }
    return done;
}

void CScriptRunner::Arm(const CScriptCommand& command) {
    CScriptCommand inner;
    std::string unused;
    Parse(command.text, command.line, &inner, &unused);
    if (!m_arming || !m_group) {
        m_group = std::make_shared<CDialogGroup>();
        CUserHand::Instance().WhenNextDialogOpens(
            [this, group = m_group](HWND box) { RunInDialog(*group, box); });
    }
    m_arming = true;
    m_group->commands.push_back(inner);
}

void CScriptRunner::RunInDialog(CDialogGroup& group, HWND box) {
    group.taken = true;
    const HWND outer = m_modal;
    const std::string failure = m_failure;
    m_modal = box;
    for (const CScriptCommand& command : group.commands) {
        if (!RunHere(command, &group.error))
            break;
    }
    m_modal = outer;
    m_failure = failure;
}

bool CScriptRunner::RunHere(const CScriptCommand& command, std::string* error) {
    const std::string where = "line " + std::to_string(command.line) + ": ";
    const std::string& verb = command.verb;
    m_failure.clear();
    CUserHand& hand = CUserHand::Instance();
    if (verb.empty())
        return true;
    if (!m_dialog.IsOpen()) {
        *error = where + verb + ": the properties dialog is closed";
        return false;
    }
    bool done = true;
    if (verb == "page") {
        int index = -1;
        long long number = 0;
        if (ReadNumber(command.text, &number) && number >= 1 &&
            number <= static_cast<long long>(m_dialog.PageCount()))
            index = static_cast<int>(number - 1);
        const std::string wanted = Lower(command.text);
        for (size_t i = 0; index < 0 && i < m_dialog.PageCount(); ++i) {
            const CPropertyPageInfo& info = m_dialog.PageInfo(i);
            if (Lower(CTextCodec::ToUtf8(info.title)) == wanted ||
                Lower(CTextCodec::ToUtf8(info.className)) == wanted)
                index = static_cast<int>(i);
        }
        if (index < 0) {
            *error = where + "there is no page '" + command.text + "'";
            return false;
        }
        hand.ClickTab(m_dialog.Item(CPropertiesDialog::kTabId), index);
        if (m_dialog.CurrentPage() != index || !m_dialog.LastError().empty()) {
            m_failure = m_dialog.LastError().empty() ? "the page was not shown" : m_dialog.LastError();
            done = false;
        }
    } else if (verb == "type" || verb == "paste" || verb == "pick" || verb == "click") {
        HWND control = FindControl(command.id);
        if (!control || !IsWindowVisible(control)) {
            *error = where + "there is no control " + std::to_string(command.id) +
                     (m_modal ? " in the dialog" : " on the page shown");
            return false;
        }
        if (!IsWindowEnabled(control)) {
            *error = where + "control " + std::to_string(command.id) + " is disabled";
            return false;
        }
        if (verb == "click") {
            done = hand.Click(control);
            if (!done)
                m_failure = "control " + std::to_string(command.id) + " cannot be clicked";
        } else if (verb == "pick") {
            const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
            if (count < 0 || command.number >= count) {
                *error = where + "combo box " + std::to_string(command.id) + " has " +
                         std::to_string(count < 0 ? 0 : count) + " items; there is no item " +
                         std::to_string(command.number);
                return false;
            }
            done = hand.PickComboItem(control, static_cast<int>(command.number), CUserHand::Pick::Mouse);
            if (!done)
                m_failure = "the item cannot be picked";
        } else {
            hand.Focus(control);
            hand.PressKey(VK_HOME);
            hand.PressKey(VK_END, CUserHand::kShift);
            if (verb == "type")
                hand.Type(CTextCodec::FromUtf8(command.text));
            else
                hand.Paste(CTextCodec::FromUtf8(command.text));
        }
    } else if (verb == "tab" || verb == "tabkey") {
        HWND strip = FindTabStrip(command, error);
        if (!strip)
            return false;
        const LRESULT count = SendMessageW(strip, TCM_GETITEMCOUNT, 0, 0);
        if (verb == "tab" && command.number >= count) {
            *error = where + "tab strip " + std::to_string(command.id) + " has " + std::to_string(count) +
                     " tabs; there is no tab " + std::to_string(command.number);
            return false;
        }
        const LRESULT before = SendMessageW(strip, TCM_GETCURSEL, 0, 0);
        LRESULT wanted = command.number;
        if (verb == "tab") {
            hand.ClickTab(strip, static_cast<int>(command.number));
        } else {
            int vk = 0;
            UINT modifiers = 0;
            KeyOf(command.text, &vk, &modifiers);
            // At either end of the strip a key moves nothing, and nothing is asked of the pages.
            const LRESULT step = vk == VK_RIGHT || vk == VK_DOWN ? 1 : -1;
            wanted = before + step >= 0 && before + step < count ? before + step : before;
            // Tabbing to the strip first, as a person does, since a page shown takes the focus.
            hand.Focus(strip);
            hand.PressKey(vk, modifiers);
        }
        if (SendMessageW(strip, TCM_GETCURSEL, 0, 0) != wanted) {
            m_failure = "the tab shown (" + std::to_string(before) + ") refused to be left";
            done = false;
        }
    } else if (verb == "key") {
        int vk = 0;
        UINT modifiers = 0;
        KeyOf(command.text, &vk, &modifiers);
        hand.PressKey(vk, modifiers);
    } else if (verb == "wait") {
        hand.AdvanceClock(static_cast<ULONGLONG>(command.number));
    } else if (verb == "apply") {
        // With nothing changed the button is disabled; applying then still writes the project.
        HWND apply = m_dialog.Item(CPropertiesDialog::kApplyId);
        if (IsWindowEnabled(apply)) {
            done = ClickButton(CPropertiesDialog::kApplyId, "Apply");
        } else if (FAILED(m_dialog.Apply())) {
            m_failure = m_dialog.LastError();
            done = false;
        }
    } else if (verb == "ok" || verb == "cancel") {
        if (m_beforeClose)
            m_beforeClose();
        done = ClickButton(verb == "ok" ? IDOK : IDCANCEL, verb == "ok" ? "OK" : "Cancel");
    } else if (verb == "online" || verb == "offline") {
        HWND button = m_dialog.Item(CPropertiesDialog::kOnlineId);
        const bool online = WindowText(button) == L"Go Offline";
        if (online == (verb == "online"))
            m_output(std::string("already ") + verb);
        else
            done = ClickButton(CPropertiesDialog::kOnlineId, verb == "online" ? "Go Online" : "Go Offline");
    } else if (verb == "refresh") {
        done = ClickButton(CPropertiesDialog::kRefreshId, "Refresh");
    } else if (verb == "revert") {
        // The host's undo has no button in this dialog.
        if (FAILED(m_dialog.Revert())) {
            m_failure = m_dialog.LastError();
            done = false;
        }
    } else if (verb == "help") {
        done = ClickButton(CPropertiesDialog::kHelpId, "Help");
    } else if (verb == "png") {
        std::string failure;
        done = CWindowPicture::WritePng(m_dialog.Window(), command.text, &failure);
        if (done)
            m_output("drew the dialog into " + command.text);
        m_failure = failure;
    } else if (verb == "device") {
        std::string text = m_dialog.Parent()->Module()->Device().Describe();
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        m_output(text);
    } else if (verb == "dump") {
        const HWND shown = m_modal ? m_modal : m_dialog.Window();
        if (command.text == "json")
            m_output(CWindowDump::Json(shown).dump(2));
        else
            m_output(CWindowDump::Text(shown));
    }
    if (!done) {
        *error = where + verb + ": " + (m_failure.empty() ? "it could not be done" : m_failure);
        return false;
    }
    return true;
}
