// The one window table of the process: window classes, windows by handle, the focus,
// and the calls into window procedures. Handles are never reused within a run, so a
// stale handle is always recognised as invalid.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

class CControl;
class CWindow;

class CWindowTable {
public:
    struct WindowClass {
        ATOM atom = 0;
        std::wstring name;
        WNDPROC proc = nullptr;
        UINT style = 0;
        int wndExtra = 0;
        HINSTANCE instance = nullptr;
        HCURSOR cursor = nullptr;
        bool system = false;
    };

    static CWindowTable& Instance();

    ATOM RegisterClass(const WNDCLASSEXW& wndClass, bool system);
    BOOL UnregisterClass(LPCWSTR name);
    // A class by name (case-insensitive, as Windows compares them) or by atom.
    const WindowClass* FindClass(LPCWSTR nameOrAtom) const;

    // The live window of a handle, or null (also once WM_NCDESTROY has been sent).
    CWindow* Find(HWND hwnd) const;
    HWND Create(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int cx,
                int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
    BOOL Destroy(HWND hwnd);

    // Every call into a window procedure goes through here, so that objects retired
    // while a procedure is still running are freed only when the outermost call returns.
    LRESULT Call(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Retire(std::unique_ptr<CControl> control);

    HWND Focus() const { return m_focus; }
    HWND SetFocus(HWND hwnd);
    // Whether a window and all its ancestors are enabled (visible).
    bool IsEnabledChain(HWND hwnd) const;
    bool IsVisibleChain(HWND hwnd) const;
    bool IsAncestor(HWND ancestor, HWND hwnd) const;

    const std::vector<HWND>& TopLevel() const { return m_topLevel; }
    // Moves a window under a new parent (null: makes it top-level); answers the old one.
    HWND SetParent(HWND hwnd, HWND newParent);
    // The sibling list a window stands in: its parent's children or the top-level list.
    std::vector<HWND>* Siblings(HWND hwnd);

    // Screen position of a window's client origin.
    POINT ClientOrigin(HWND hwnd) const;

private:
    CWindowTable();
    void SendDestroy(HWND hwnd);
    void Free(HWND hwnd);

    std::vector<std::unique_ptr<WindowClass>> m_classes;
    ATOM m_nextAtom = 0xC000;
    std::map<HWND, std::shared_ptr<CWindow>> m_windows;
    std::vector<HWND> m_topLevel;
    ULONG_PTR m_nextHandle = 0x10010;
    HWND m_focus = nullptr;
    int m_depth = 0;
    std::vector<std::shared_ptr<CWindow>> m_retiredWindows;
    std::vector<std::unique_ptr<CControl>> m_retiredControls;
};
