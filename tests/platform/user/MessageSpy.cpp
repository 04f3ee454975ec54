#include "tests/platform/user/MessageSpy.h"

#include <algorithm>

#include "platform/user/MessagePump.h"
#include "platform/kernel/Clock.h"
#include "platform/user/Clipboard.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/TimerTable.h"
#include "platform/hand/UserHand.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WindowTable.h"

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageSpy::Instance().Record(hwnd, msg, wParam, lParam);
    if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGING)
        return CMessageSpy::Instance().RefusesTabSwitch() ? TRUE : FALSE;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SpyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageSpy::Instance().Record(hwnd, msg, wParam, lParam);
    return CallWindowProcW(CMessageSpy::Instance().Original(hwnd), hwnd, msg, wParam, lParam);
}

} // namespace

std::ostream& operator<<(std::ostream& out, const SpyEntry& entry) {
    return out << "{" << entry.who << ", 0x" << std::hex << entry.msg << ", " << std::dec << entry.wParam
               << ", " << static_cast<int>(entry.code) << "}";
}

CMessageSpy& CMessageSpy::Instance() {
    static CMessageSpy spy;
    return spy;
}

HWND CMessageSpy::CreateParent(const std::string& name) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = L"SpyParent";
        wc.cbWndExtra = 16;
        registered = RegisterClassW(&wc) != 0;
    }
    HWND hwnd = CreateWindowExW(0, L"SpyParent", L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
    m_names.emplace_back(hwnd, name);
    return hwnd;
}

void CMessageSpy::Watch(HWND hwnd, const std::string& name) {
    m_names.emplace_back(hwnd, name);
    m_originals.emplace_back(hwnd, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                                       hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyProc))));
}

void CMessageSpy::Record(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!m_only.empty() && !m_only.count(msg))
        return;
    SpyEntry entry{NameOf(hwnd), msg, wParam, 0};
    if (msg == WM_COMMAND) {
        entry.wParam = LOWORD(wParam);
        entry.code = HIWORD(wParam);
    } else if (msg == WM_NOTIFY) {
        entry.code = reinterpret_cast<const NMHDR*>(lParam)->code;
    }
    m_log.push_back(entry);
}

std::string CMessageSpy::NameOf(HWND hwnd) const {
    for (auto it = m_names.rbegin(); it != m_names.rend(); ++it) {
        if (it->first == hwnd)
            return it->second;
    }
    return "?";
}

WNDPROC CMessageSpy::Original(HWND hwnd) const {
    for (auto it = m_originals.rbegin(); it != m_originals.rend(); ++it) {
        if (it->first == hwnd)
            return it->second;
    }
    return DefWindowProcW;
}

std::vector<UINT> CMessageSpy::Codes(UINT msg) const {
    std::vector<UINT> codes;
    for (const SpyEntry& entry : m_log) {
        if (entry.msg == msg)
            codes.push_back(entry.code);
    }
    return codes;
}

void CMessageSpy::Reset() {
    m_log.clear();
    m_only.clear();
    m_names.clear();
    m_originals.clear();
    m_refuseTab = false;
}

void UserTest::SetUp() {
    CClock::Instance().SetVirtual(false);
    CClock::Instance().SetVirtual(true);
    spy.Reset();
    parent = spy.CreateParent("parent");
    spy.Clear();
}

void UserTest::TearDown() {
    while (!CWindowTable::Instance().TopLevel().empty())
        DestroyWindow(CWindowTable::Instance().TopLevel().front());
    CTimerTable::Instance().Clear();
    CMessageQueue::Instance().Clear();
    CUserRecorder::Instance().Clear();
    CClipboard::Instance().Reset();
    CMessagePump::Instance().SetPreTranslateHook(nullptr);
    CUserHand::Instance().Reset();
    spy.Reset();
}

HWND UserTest::Child(const wchar_t* className, DWORD style, int id, const wchar_t* text, RECT r) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           nullptr, nullptr);
}
