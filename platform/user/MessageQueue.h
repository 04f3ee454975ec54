// The thread's message queue: posted messages first, then the quit request, then
// input (keyboard and mouse, in the order given), then due timers, as Windows ranks them.
#pragma once

#include <deque>

#include "platform/base/WinTypes.h"

class CMessageQueue {
public:
    static CMessageQueue& Instance();

    void Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void PostQuit(int exitCode);
    // Input for `hwnd`, or for whichever window has the focus when it is taken out
    // (null). `packet` is the character a VK_PACKET key press carries.
    void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, wchar_t packet = 0);

    BOOL Peek(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
    // Whether anything could be taken now (timers included).
    bool HasWaiting();
    void Purge(HWND hwnd);
    void Clear();

private:
    struct Entry {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        wchar_t packet;
        bool toFocus;
    };
    bool Matches(const Entry& entry, HWND target, HWND hwnd, UINT filterMin, UINT filterMax) const;
    static void Fill(MSG* msg, HWND target, const Entry& entry);

    std::deque<Entry> m_posted;
    std::deque<Entry> m_input;
    bool m_quit = false;
    int m_exitCode = 0;
};
