#include "platform/user/WindowDump.h"

#include <sstream>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Control.h"
#include "platform/user/Controls.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

namespace {

struct StyleName {
    DWORD mask;
    DWORD value;
    const char* name;
};

const StyleName kWindowStyles[] = {
    {WS_POPUP, WS_POPUP, "WS_POPUP"},       {WS_CHILD, WS_CHILD, "WS_CHILD"},
    {WS_VISIBLE, WS_VISIBLE, "WS_VISIBLE"}, {WS_DISABLED, WS_DISABLED, "WS_DISABLED"},
    {WS_BORDER, WS_BORDER, "WS_BORDER"},    {WS_TABSTOP, WS_TABSTOP, "WS_TABSTOP"},
    {WS_GROUP, WS_GROUP, "WS_GROUP"},
};
const StyleName kStaticStyles[] = {{SS_TYPEMASK, SS_ICON, "SS_ICON"},
                                   {SS_ENDELLIPSIS, SS_ENDELLIPSIS, "SS_ENDELLIPSIS"}};
const StyleName kButtonStyles[] = {{BS_TYPEMASK, BS_DEFPUSHBUTTON, "BS_DEFPUSHBUTTON"}};
const StyleName kEditStyles[] = {{ES_READONLY, ES_READONLY, "ES_READONLY"},
                                 {ES_NUMBER, ES_NUMBER, "ES_NUMBER"}};
const StyleName kComboStyles[] = {{0x3, CBS_DROPDOWNLIST, "CBS_DROPDOWNLIST"},
                                  {CBS_SORT, CBS_SORT, "CBS_SORT"}};
const StyleName kTabStyles[] = {{TCS_BOTTOM, TCS_BOTTOM, "TCS_BOTTOM"},
                                {TCS_BUTTONS, TCS_BUTTONS, "TCS_BUTTONS"},
                                {TCS_OWNERDRAWFIXED, TCS_OWNERDRAWFIXED, "TCS_OWNERDRAWFIXED"},
                                {TCS_FOCUSONBUTTONDOWN, TCS_FOCUSONBUTTONDOWN, "TCS_FOCUSONBUTTONDOWN"}};
const StyleName kToolTipStyles[] = {{TTS_ALWAYSTIP, TTS_ALWAYSTIP, "TTS_ALWAYSTIP"}};

template <size_t N> void AddStyles(std::vector<std::string>& out, const StyleName (&table)[N], DWORD style) {
    for (const StyleName& entry : table) {
        if ((style & entry.mask) == entry.value)
            out.emplace_back(entry.name);
    }
}

std::vector<std::string> StyleNames(const std::wstring& className, DWORD style) {
    std::vector<std::string> names;
    AddStyles(names, kWindowStyles, style);
    if (className == WC_STATICW)
        AddStyles(names, kStaticStyles, style);
    else if (className == WC_BUTTONW)
        AddStyles(names, kButtonStyles, style);
    else if (className == WC_EDITW)
        AddStyles(names, kEditStyles, style);
    else if (className == WC_COMBOBOXW)
        AddStyles(names, kComboStyles, style);
    else if (className == WC_TABCONTROLW)
        AddStyles(names, kTabStyles, style);
    else if (className == TOOLTIPS_CLASSW)
        AddStyles(names, kToolTipStyles, style);
    return names;
}

nlohmann::json Describe(HWND hwnd) {
    CWindowTable& table = CWindowTable::Instance();
    CWindow* window = table.Find(hwnd);
    nlohmann::json node;
    if (!window)
        return node;
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    node["class"] = CTextCodec::ToUtf8(window->className);
    node["id"] = window->IsChildWindow() ? static_cast<long long>(window->id) : 0LL;
    node["text"] = CTextCodec::ToUtf8(window->text);
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%08X", window->style);
    node["style"] = hex;
    node["styles"] = StyleNames(window->className, window->style);
    node["enabled"] = !(window->style & WS_DISABLED);
    node["visible"] = (window->style & WS_VISIBLE) != 0;
    node["focused"] = table.Focus() == hwnd;
    node["rect"] = {rect.left, rect.top, rect.right, rect.bottom};
    if (window->control) {
        nlohmann::json state = nlohmann::json::object();
        window->control->Describe(state);
        node["state"] = state;
    }
    nlohmann::json children = nlohmann::json::array();
    for (HWND child : window->children)
        children.push_back(Describe(child));
    node["children"] = children;
    return node;
}

void WriteText(std::ostringstream& out, const nlohmann::json& node, int depth) {
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << node["class"].get<std::string>();
    if (node["id"].get<long long>() != 0)
        out << " #" << node["id"].get<long long>();
    out << " \"" << node["text"].get<std::string>() << "\"";
    for (const auto& name : node["styles"])
        out << ' ' << name.get<std::string>();
    if (!node["enabled"].get<bool>())
        out << " disabled";
    if (node["focused"].get<bool>())
        out << " focused";
    const auto& r = node["rect"];
    out << " (" << r[0] << ',' << r[1] << ")-(" << r[2] << ',' << r[3] << ')';
    if (node.contains("state")) {
        for (const auto& [key, value] : node["state"].items())
            out << ' ' << key << '=' << value.dump();
    }
    out << '\n';
    for (const auto& child : node["children"])
        WriteText(out, child, depth + 1);
}

} // namespace

nlohmann::json CWindowDump::Json(HWND root) {
    if (root)
        return Describe(root);
    nlohmann::json all = nlohmann::json::array();
    for (HWND top : CWindowTable::Instance().TopLevel())
        all.push_back(Describe(top));
    return all;
}

std::string CWindowDump::Text(HWND root) {
    std::ostringstream out;
    const nlohmann::json tree = Json(root);
    if (root) {
        if (!tree.is_null())
            WriteText(out, tree, 0);
    } else {
        for (const auto& node : tree)
            WriteText(out, node, 0);
    }
    return out.str();
}
