// One window of the window table: everything Windows keeps for a window, headless.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

class CControl;

class CWindow {
public:
    CWindow();
    ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND hwnd = nullptr;
    ATOM atom = 0;
    std::wstring className;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::wstring text;
    UINT_PTR id = 0;
    // A child's parent; a top-level window's owner (always a top-level window).
    HWND parent = nullptr;
    HWND owner = nullptr;
    // Children in Z order: the first is the top, new children go to the bottom, so that
    // GW_CHILD/GW_HWNDNEXT walk them in creation (tab) order.
    std::vector<HWND> children;
    // The window rectangle in its parent's client coordinates (screen for top-level).
    RECT rect{};
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    std::unique_ptr<CControl> control;
    bool destroying = false;
    // InvalidateRect and UpdateWindow are only recorded: nothing is painted yet.
    bool needsPaint = false;
    int invalidateCount = 0;
    int updateCount = 0;

    bool IsChildWindow() const { return (style & WS_CHILD) != 0; }
    // Border widths around the client area: WS_BORDER one pixel, WS_EX_CLIENTEDGE two.
    LONG FrameInset() const;
};
