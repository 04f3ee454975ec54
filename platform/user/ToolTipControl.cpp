#include "platform/user/ToolTipControl.h"

#include <algorithm>
#include <cwchar>

#include <nlohmann/json.hpp>

#include "platform/base/TextCodec.h"
#include "platform/kernel/Resource.h"

namespace {
// The double-click time, from which the automatic delays derive.
constexpr int kDoubleClickTime = 500;
} // namespace

CToolTipControl::Tool* CToolTipControl::FindTool(const TTTOOLINFOW* info) {
    if (!info)
        return nullptr;
    auto it = std::find_if(m_tools.begin(), m_tools.end(),
                           [info](const Tool& t) { return t.hwnd == info->hwnd && t.id == info->uId; });
    return it == m_tools.end() ? nullptr : &*it;
}

void CToolTipControl::SetText(Tool& tool, const TTTOOLINFOW& info) {
    tool.callback = info.lpszText == LPSTR_TEXTCALLBACKW;
    tool.text.clear();
    if (tool.callback || !info.lpszText)
        return;
    if (IS_INTRESOURCE(info.lpszText)) {
        // A string resource of the tool's module.
        wchar_t buffer[1024] = {};
        const int length =
            LoadStringW(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)), buffer,
                        static_cast<int>(std::size(buffer)));
        tool.text.assign(buffer, static_cast<size_t>(std::max(length, 0)));
        return;
    }
    tool.text = info.lpszText;
}

void CToolTipControl::SetDelay(WPARAM which, int value) {
    const bool reset = value < 0;
    switch (which) {
    case TTDT_AUTOMATIC: {
        const int base = reset ? kDoubleClickTime : value;
        m_initial = base;
        m_autoPop = base * 10;
        m_reshow = base / 5;
        break;
    }
    case TTDT_INITIAL:
        m_initial = reset ? kDoubleClickTime : value;
        break;
    case TTDT_AUTOPOP:
        m_autoPop = reset ? kDoubleClickTime * 10 : value;
        break;
    case TTDT_RESHOW:
        m_reshow = reset ? kDoubleClickTime / 5 : value;
        break;
    default:
        break;
    }
}

LRESULT CToolTipControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TTM_ADDTOOLW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (!info || FindTool(info))
            return FALSE;
        Tool tool{info->uFlags, info->hwnd, info->uId, info->rect, {}, false, info->lParam};
        SetText(tool, *info);
        m_tools.push_back(tool);
        return TRUE;
    }
    case TTM_DELTOOLW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (Tool* tool = FindTool(info))
            m_tools.erase(m_tools.begin() + (tool - m_tools.data()));
        return 0;
    }
    case TTM_UPDATETIPTEXTW: {
        const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
        if (Tool* tool = FindTool(info))
            SetText(*tool, *info);
        return 0;
    }
    case TTM_GETTEXTW: {
        auto* info = reinterpret_cast<TTTOOLINFOW*>(lParam);
        Tool* tool = FindTool(info);
        if (!info || !info->lpszText)
            return 0;
        const std::wstring text = tool ? tool->text : std::wstring();
        const size_t capacity = wParam ? static_cast<size_t>(wParam) : 80; // older callers gave no size
        const size_t count = std::min(text.size(), capacity - 1);
        std::wmemcpy(info->lpszText, text.c_str(), count);
        info->lpszText[count] = L'\0';
        return static_cast<LRESULT>(count);
    }
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(m_tools.size());
    case TTM_ACTIVATE:
        m_active = wParam != 0;
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        const int previous = m_maxWidth;
        m_maxWidth = static_cast<int>(static_cast<INT>(lParam));
        return previous;
    }
    case TTM_GETMAXTIPWIDTH:
        return m_maxWidth;
    case TTM_SETDELAYTIME:
        SetDelay(wParam, static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam))));
        return 0;
    case TTM_GETDELAYTIME:
        switch (wParam) {
        case TTDT_INITIAL:
            return m_initial;
        case TTDT_AUTOPOP:
            return m_autoPop;
        case TTDT_RESHOW:
            return m_reshow;
        default:
            return 0;
        }
    default:
        return Default(msg, wParam, lParam);
    }
}

void CToolTipControl::Describe(nlohmann::json& out) const {
    nlohmann::json tools = nlohmann::json::array();
    for (const Tool& tool : m_tools)
        tools.push_back(
            {{"id", tool.id},
             {"text", tool.callback ? std::string("<callback>") : CTextCodec::ToUtf8(tool.text)}});
    out["tools"] = tools;
    out["active"] = m_active;
    out["maxTipWidth"] = m_maxWidth;
    out["alwaysTip"] = (Style() & TTS_ALWAYSTIP) != 0;
}
