#include "platform/hand/UserHand.h"

#include <cwchar>

#include "platform/commdlg/FileDialogRecorder.h"
#include "platform/kernel/Clock.h"
#include "platform/kernel/GlobalMemory.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogManager.h"
#include "platform/user/KeyboardState.h"
#include "platform/user/MessagePump.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/TimerTable.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowTable.h"

namespace {

LPARAM KeyData(bool down) {
    return down ? 1 : static_cast<LPARAM>(0xC0000001u);
}

} // namespace

CUserHand& CUserHand::Instance() {
    static CUserHand hand;
    return hand;
}

CUserHand::CUserHand() {
    CDialogManager::Instance().SetActor(this);
}

void CUserHand::Pump() {
    CMessagePump::Instance().Pump();
}

void CUserHand::Key(int vk, bool down) {
    const UINT flag = vk == VK_CONTROL ? kCtrl : vk == VK_SHIFT ? kShift : vk == VK_MENU ? kAlt : kNone;
    if (down)
        m_held |= flag;
    // With Alt held and no Ctrl, keys are system keys, the Alt key itself included.
    const bool system = (m_held & kAlt) && !(m_held & kCtrl);
    if (!down)
        m_held &= ~flag;
    const UINT msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    CMessageQueue::Instance().PostInput(nullptr, msg, static_cast<WPARAM>(vk), KeyData(down));
}

void CUserHand::PressKey(int vk, UINT modifiers) {
    const UINT added = modifiers & ~m_held;
    if (added & kCtrl)
        Key(VK_CONTROL, true);
    if (added & kShift)
        Key(VK_SHIFT, true);
    if (added & kAlt)
        Key(VK_MENU, true);
    Key(vk, true);
    Key(vk, false);
    if (added & kAlt)
        Key(VK_MENU, false);
    if (added & kShift)
        Key(VK_SHIFT, false);
    if (added & kCtrl)
        Key(VK_CONTROL, false);
    Pump();
}

void CUserHand::Type(const std::wstring& text) {
    for (wchar_t ch : text) {
        if (ch >= L'a' && ch <= L'z') {
            PressKey(ch - L'a' + 'A');
        } else if (ch >= L'A' && ch <= L'Z') {
            PressKey(ch, kShift);
        } else if ((ch >= L'0' && ch <= L'9') || ch == L' ') {
            PressKey(ch == L' ' ? VK_SPACE : static_cast<int>(ch));
        } else if (ch == L'\b') {
            PressKey(VK_BACK);
        } else {
            // Any other character comes as a packet, as input methods deliver it.
            CMessageQueue::Instance().PostInput(nullptr, WM_KEYDOWN, VK_PACKET, KeyData(true), ch);
            CMessageQueue::Instance().PostInput(nullptr, WM_KEYUP, VK_PACKET, KeyData(false), ch);
            Pump();
        }
    }
}

bool CUserHand::PutOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool done = false;
    if (mem) {
        auto* out = static_cast<wchar_t*>(GlobalLock(mem));
        std::wmemcpy(out, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        done = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        if (!done)
            GlobalFree(mem);
    }
    CloseClipboard();
    return done;
}

void CUserHand::Paste(const std::wstring& text) {
    if (PutOnClipboard(text))
        PressKey('V', kCtrl);
}

bool CUserHand::ClickAt(HWND hwnd, POINT client) {
    CWindowTable& table = CWindowTable::Instance();
    if (!table.IsVisibleChain(hwnd) || !table.IsEnabledChain(hwnd))
        return false;
    const LPARAM where = MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y));
    CMessageQueue::Instance().PostInput(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
    CMessageQueue::Instance().PostInput(hwnd, WM_LBUTTONUP, 0, where);
    Pump();
    return true;
}

bool CUserHand::Click(HWND hwnd) {
    RECT client{};
    if (!GetClientRect(hwnd, &client))
        return false;
    return ClickAt(hwnd, POINT{client.right / 2, client.bottom / 2});
}

bool CUserHand::PickComboItem(HWND combo, int index, Pick how) {
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (how != Pick::Cancel && (index < 0 || index >= count))
        return false;
    if (how == Pick::Keyboard) {
        if (!Focus(combo))
            return false;
        LRESULT current = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (current < 0) {
            PressKey(VK_DOWN);
            current = 0;
        }
        for (; current < index; ++current)
            PressKey(VK_DOWN);
        for (; current > index; --current)
            PressKey(VK_UP);
        return SendMessageW(combo, CB_GETCURSEL, 0, 0) == index;
    }
    if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) {
        if (!Click(combo) || !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
            return false;
    }
    if (how == Pick::Cancel)
        return ClickAt(combo, POINT{-10, -10});
    RECT client{};
    GetClientRect(combo, &client);
    const LONG itemHeight = static_cast<LONG>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    return ClickAt(combo, POINT{client.right / 2, client.bottom + itemHeight * index + itemHeight / 2});
}

bool CUserHand::ClickTab(HWND tab, int index) {
    RECT item{};
    if (!SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return false;
    return ClickAt(tab, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

bool CUserHand::Focus(HWND hwnd) {
    SetFocus(hwnd);
    Pump();
    return GetFocus() == hwnd;
}

void CUserHand::WhenNextDialogOpens(DialogAction action) {
    m_actions.push_back(std::move(action));
}

void CUserHand::AnswerNextMessageBox(int answer) {
    m_messageBoxAnswers.push_back(answer);
}

bool CUserHand::HasActionFor(ModalKind kind) const {
    if (kind == ModalKind::MessageBox && !m_messageBoxAnswers.empty())
        return true;
    return !m_actions.empty();
}

void CUserHand::Act(HWND dialog, ModalKind kind) {
    if (kind == ModalKind::MessageBox && !m_messageBoxAnswers.empty()) {
        const int answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
        if (HWND button = GetDlgItem(dialog, answer))
            Click(button);
        return;
    }
    if (m_actions.empty())
        return;
    // Taken before it runs: a dialog it opens takes the next one.
    DialogAction action = std::move(m_actions.front());
    m_actions.pop_front();
    action(dialog);
}

void CUserHand::AnswerNextFileDialog(const std::wstring& path) {
    CFileDialogRecorder::Instance().PrepareAnswer(path);
}

void CUserHand::CancelNextFileDialog() {
    CFileDialogRecorder::Instance().PrepareCancel();
}

void CUserHand::AdvanceClock(ULONGLONG milliseconds) {
    CClock& clock = CClock::Instance();
    const ULONGLONG target = clock.Now() + milliseconds;
    for (;;) {
        Pump();
        const auto next = CTimerTable::Instance().NextDue();
        const ULONGLONG now = clock.Now();
        if (!next || *next > target || *next <= now)
            break;
        clock.Sleep(static_cast<DWORD>(*next - now));
    }
    const ULONGLONG now = clock.Now();
    if (target > now)
        clock.Sleep(static_cast<DWORD>(target - now));
    Pump();
}

void CUserHand::Reset() {
    m_held = kNone;
    m_actions.clear();
    m_messageBoxAnswers.clear();
    CMessagePump::Instance().ForgetQuit();
    CKeyboardState::Instance().Reset();
}
