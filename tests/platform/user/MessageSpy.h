// Records the messages windows receive, as a list to compare with the expected one:
// a parent window class that logs what it gets, and a subclassing spy for any window.
#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

struct SpyEntry {
    std::string who;
    UINT msg;
    // WM_COMMAND: the control id; otherwise wParam.
    WPARAM wParam;
    // WM_COMMAND: the notification code; WM_NOTIFY: NMHDR::code; otherwise 0.
    UINT code;
    bool operator==(const SpyEntry& other) const = default;
};
std::ostream& operator<<(std::ostream& out, const SpyEntry& entry);

class CMessageSpy {
public:
    static CMessageSpy& Instance();

    // A top-level window of the logging class "SpyParent".
    HWND CreateParent(const std::string& name);
    // Subclasses the window; its messages are logged under `name`.
    void Watch(HWND hwnd, const std::string& name);
    // Names a window that logs by itself (its class procedure records).
    void Name(HWND hwnd, const std::string& name) { m_names.emplace_back(hwnd, name); }
    // Starts a new log of only these messages (empty: all).
    void Only(std::set<UINT> messages) {
        m_only = std::move(messages);
        m_log.clear();
    }
    // Answer TRUE to TCN_SELCHANGING (refuse the switch).
    void RefuseTabSwitch(bool refuse) { m_refuseTab = refuse; }

    const std::vector<SpyEntry>& Log() const { return m_log; }
    void Clear() { m_log.clear(); }
    // Notifications (WM_COMMAND codes, WM_NOTIFY codes) only.
    std::vector<UINT> Codes(UINT msg) const;
    void Reset();

    void Record(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    std::string NameOf(HWND hwnd) const;
    WNDPROC Original(HWND hwnd) const;
    bool RefusesTabSwitch() const { return m_refuseTab; }

private:
    std::vector<SpyEntry> m_log;
    std::set<UINT> m_only;
    std::vector<std::pair<HWND, std::string>> m_names;
    std::vector<std::pair<HWND, WNDPROC>> m_originals;
    bool m_refuseTab = false;
};

// Every test starts with no windows, an empty queue, a fresh virtual clock, an empty
// clipboard and recorder, and no key held.
class UserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Child(const wchar_t* className, DWORD style, int id, const wchar_t* text = L"",
               RECT r = {10, 10, 110, 30});

    CMessageSpy& spy = CMessageSpy::Instance();
    HWND parent = nullptr;
};
