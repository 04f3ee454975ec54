// What the window-layer tests share: every test starts with no windows, an empty queue,
// a fresh virtual clock, an empty clipboard and recorder, no pre-translate hook and no
// temporary window objects; and a top-level window class whose procedure is the
// system's default, for parents the framework subclasses.
#pragma once

#include <gtest/gtest.h>

#include "platform/user/MessagePump.h"
#include "platform/base/WinTypes.h"
#include "platform/kernel/Clock.h"
#include "platform/mfc/Wnd.h"
#include "platform/user/Clipboard.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/TimerTable.h"
#include "platform/hand/UserHand.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowTable.h"

inline constexpr const wchar_t* kPlainClass = L"MfcTestPlain";

class MfcTest : public ::testing::Test {
protected:
    void SetUp() override {
        CClock::Instance().SetVirtual(false);
        CClock::Instance().SetVirtual(true);
        WNDCLASSW plain{};
        plain.lpfnWndProc = DefWindowProcW;
        plain.lpszClassName = kPlainClass;
        RegisterClassW(&plain); // already there after the first test
    }

    void TearDown() override {
        while (!CWindowTable::Instance().TopLevel().empty())
            ::DestroyWindow(CWindowTable::Instance().TopLevel().front());
        CWnd::DeleteTempMap();
        CTimerTable::Instance().Clear();
        CMessageQueue::Instance().Clear();
        CUserRecorder::Instance().Clear();
        CClipboard::Instance().Reset();
        CMessagePump::Instance().SetPreTranslateHook(nullptr);
        CUserHand::Instance().Reset();
    }

    static HWND TopLevel(const wchar_t* text = L"top") {
        return CreateWindowExW(0, kPlainClass, text, WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                               nullptr, nullptr);
    }

    static HWND Child(HWND parent, const wchar_t* className, DWORD style, int id,
                      RECT r = {10, 10, 110, 30}) {
        return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    CUserHand& hand = CUserHand::Instance();
};
