#include "platform/user/WindowTable.h"

#include <algorithm>
#include <cwctype>

#include "platform/base/Win32Error.h"
#include "platform/user/Control.h"
#include "platform/user/HookChain.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/TimerTable.h"
#include "platform/user/Window.h"

namespace {

bool SameClassName(const std::wstring& a, LPCWSTR b) {
    const size_t length = std::wcslen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    }
    return true;
}

} // namespace

CWindowTable& CWindowTable::Instance() {
    static CWindowTable table;
    return table;
}

CWindowTable::CWindowTable() {
    RegisterSystemClasses(*this);
}

ATOM CWindowTable::RegisterClass(const WNDCLASSEXW& wndClass, bool system) {
    if (!wndClass.lpszClassName || IS_INTRESOURCE(wndClass.lpszClassName) || !wndClass.lpfnWndProc ||
        wndClass.cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (FindClass(wndClass.lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto entry = std::make_unique<WindowClass>();
    entry->atom = m_nextAtom++;
    entry->name = wndClass.lpszClassName;
    entry->proc = wndClass.lpfnWndProc;
    entry->style = wndClass.style;
    entry->wndExtra = wndClass.cbWndExtra;
    entry->instance = wndClass.hInstance;
    entry->cursor = wndClass.hCursor;
    entry->system = system;
    const ATOM atom = entry->atom;
    m_classes.push_back(std::move(entry));
    return atom;
}

BOOL CWindowTable::UnregisterClass(LPCWSTR name) {
    const WindowClass* found = name ? FindClass(name) : nullptr;
    if (!found || found->system) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (const auto& entry : m_windows) {
        if (entry.second->atom == found->atom) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    }
    std::erase_if(m_classes, [found](const auto& c) { return c.get() == found; });
    return TRUE;
}

const CWindowTable::WindowClass* CWindowTable::FindClass(LPCWSTR nameOrAtom) const {
    if (!nameOrAtom)
        return nullptr;
    for (const auto& entry : m_classes) {
        if (IS_INTRESOURCE(nameOrAtom) ? entry->atom == reinterpret_cast<ULONG_PTR>(nameOrAtom)
                                       : SameClassName(entry->name, nameOrAtom))
            return entry.get();
    }
    return nullptr;
}

CWindow* CWindowTable::Find(HWND hwnd) const {
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

std::vector<HWND>* CWindowTable::Siblings(HWND hwnd) {
    CWindow* window = Find(hwnd);
    if (!window)
        return nullptr;
    if (window->IsChildWindow()) {
        CWindow* parent = Find(window->parent);
        return parent ? &parent->children : nullptr;
    }
    return &m_topLevel;
}

HWND CWindowTable::Create(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                          int cx, int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    const WindowClass* wndClass = FindClass(className);
    if (!wndClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (parent && !Find(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if ((style & WS_CHILD) && !parent) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (cx == CW_USEDEFAULT) {
        cx = 0;
        cy = 0;
    }

    auto window = std::make_shared<CWindow>();
    HWND hwnd = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 4;
    window->hwnd = hwnd;
    window->atom = wndClass->atom;
    window->className = wndClass->name;
    window->proc = wndClass->proc;
    // WS_VISIBLE is applied by showing the window once it exists, as Windows does.
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->instance = instance;
    window->extra.assign(static_cast<size_t>(wndClass->wndExtra), 0);
    window->rect = RECT{x, y, x + cx, y + cy};
    if (style & WS_CHILD) {
        window->parent = parent;
        window->id = reinterpret_cast<UINT_PTR>(menu);
        Find(parent)->children.push_back(hwnd);
    } else {
        // An owner is always a top-level window.
        HWND owner = parent;
        while (owner && Find(owner)->IsChildWindow())
            owner = Find(owner)->parent;
        window->owner = owner;
        m_topLevel.push_back(hwnd);
    }
    m_windows[hwnd] = window;

    CREATESTRUCTW cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cy = cy;
    cs.cx = cx;
    cs.y = y;
    cs.x = x;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    // A creation hook sees the window before any message; refused, it goes without one.
    if (CHookChain::Instance().RefusesCreation(hwnd, &cs)) {
        if (std::vector<HWND>* siblings = Siblings(hwnd))
            std::erase(*siblings, hwnd);
        if (m_focus == hwnd)
            m_focus = nullptr;
        m_retiredWindows.push_back(window);
        m_windows.erase(hwnd);
        if (m_depth == 0)
            m_retiredWindows.clear();
        return nullptr;
    }
    if (!Send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        Free(hwnd);
        return nullptr;
    }
    if (!Find(hwnd))
        return nullptr;
    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        Destroy(hwnd);
        return nullptr;
    }
    CWindow* created = Find(hwnd);
    if (!created)
        return nullptr;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    Send(hwnd, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    created = Find(hwnd);
    if (!created)
        return nullptr;
    const LONG inset = created->FrameInset();
    Send(hwnd, WM_MOVE, 0,
         MAKELPARAM(static_cast<WORD>(created->rect.left + inset),
                    static_cast<WORD>(created->rect.top + inset)));
    created = Find(hwnd);
    if (created && created->IsChildWindow() && !(created->exStyle & WS_EX_NOPARENTNOTIFY))
        Send(created->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(created->id)),
             reinterpret_cast<LPARAM>(hwnd));
    if (!Find(hwnd))
        return nullptr;
    if (style & WS_VISIBLE)
        ::ShowWindow(hwnd, SW_SHOW);
    return Find(hwnd) ? hwnd : nullptr;
}

BOOL CWindowTable::Destroy(HWND hwnd) {
    CWindow* window = Find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->destroying)
        return TRUE;
    if (window->IsChildWindow() && !(window->exStyle & WS_EX_NOPARENTNOTIFY))
        Send(window->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(window->id)),
             reinterpret_cast<LPARAM>(hwnd));
    window = Find(hwnd);
    if (!window || window->destroying)
        return TRUE;

    // Owned windows go first.
    if (!window->IsChildWindow()) {
        std::vector<HWND> owned;
        for (HWND top : m_topLevel) {
            CWindow* candidate = Find(top);
            if (candidate && candidate->owner == hwnd)
                owned.push_back(top);
        }
        for (HWND top : owned)
            Destroy(top);
        window = Find(hwnd);
        if (!window)
            return TRUE;
    }

    // The focus leaves the dying tree without messages to it.
    if (m_focus && (m_focus == hwnd || IsAncestor(hwnd, m_focus)))
        m_focus = nullptr;
    SendDestroy(hwnd);
    if (Find(hwnd))
        Free(hwnd);
    return TRUE;
}

void CWindowTable::SendDestroy(HWND hwnd) {
    CWindow* window = Find(hwnd);
    if (!window)
        return;
    window->destroying = true;
    CTimerTable::Instance().KillAll(hwnd);
    CMessageQueue::Instance().Purge(hwnd);
    // WM_DESTROY reaches the parent before its children.
    Send(hwnd, WM_DESTROY, 0, 0);
    window = Find(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        SendDestroy(child);
}

void CWindowTable::Free(HWND hwnd) {
    CWindow* window = Find(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        Free(child);
    window = Find(hwnd);
    if (!window)
        return;
    // WM_NCDESTROY is the last message a window gets: its children have had theirs.
    Send(hwnd, WM_NCDESTROY, 0, 0);
    auto it = m_windows.find(hwnd);
    if (it == m_windows.end())
        return;
    if (std::vector<HWND>* siblings = Siblings(hwnd))
        std::erase(*siblings, hwnd);
    if (m_focus == hwnd)
        m_focus = nullptr;
    CTimerTable::Instance().KillAll(hwnd);
    CMessageQueue::Instance().Purge(hwnd);
    m_retiredWindows.push_back(it->second);
    m_windows.erase(it);
    if (m_depth == 0) {
        m_retiredWindows.clear();
        m_retiredControls.clear();
    }
}

LRESULT CWindowTable::Call(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!proc)
        return 0;
    ++m_depth;
    const LRESULT result = proc(hwnd, msg, wParam, lParam);
    if (--m_depth == 0) {
        // Moved out first: freeing a window may free a control that retires nothing more.
        auto windows = std::move(m_retiredWindows);
        auto controls = std::move(m_retiredControls);
        m_retiredWindows.clear();
        m_retiredControls.clear();
    }
    return result;
}

LRESULT CWindowTable::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindow* window = Find(hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return Call(window->proc, hwnd, msg, wParam, lParam);
}

void CWindowTable::Retire(std::unique_ptr<CControl> control) {
    if (m_depth == 0)
        return; // destroyed here and now
    m_retiredControls.push_back(std::move(control));
}

bool CWindowTable::IsAncestor(HWND ancestor, HWND hwnd) const {
    CWindow* window = Find(hwnd);
    while (window && window->IsChildWindow()) {
        if (window->parent == ancestor)
            return true;
        window = Find(window->parent);
    }
    return false;
}

bool CWindowTable::IsEnabledChain(HWND hwnd) const {
    for (CWindow* window = Find(hwnd); window;) {
        if (window->style & WS_DISABLED)
            return false;
        window = window->IsChildWindow() ? Find(window->parent) : nullptr;
    }
    return Find(hwnd) != nullptr;
}

bool CWindowTable::IsVisibleChain(HWND hwnd) const {
    for (CWindow* window = Find(hwnd); window;) {
        if (!(window->style & WS_VISIBLE))
            return false;
        window = window->IsChildWindow() ? Find(window->parent) : nullptr;
    }
    return Find(hwnd) != nullptr;
}

HWND CWindowTable::SetFocus(HWND hwnd) {
    const HWND previous = m_focus;
    if (hwnd && !Find(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (hwnd == previous)
        return previous;
    if (hwnd && !IsEnabledChain(hwnd))
        return nullptr;
    // The focus moves first; the old window then hears WM_KILLFOCUS and the new one
    // WM_SETFOCUS, each naming the other.
    m_focus = hwnd;
    if (previous && Find(previous))
        Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (m_focus != hwnd)
        return previous; // moved again while the old window lost it
    if (hwnd && Find(hwnd))
        Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND CWindowTable::SetParent(HWND hwnd, HWND newParent) {
    CWindow* window = Find(hwnd);
    CWindow* parent = newParent ? Find(newParent) : nullptr;
    if (!window || (newParent && !parent) || newParent == hwnd ||
        (newParent && IsAncestor(hwnd, newParent))) {
        SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND previous = window->IsChildWindow() ? window->parent : nullptr;
    if (std::vector<HWND>* siblings = Siblings(hwnd))
        std::erase(*siblings, hwnd);
    if (parent) {
        window->parent = newParent;
        window->style |= WS_CHILD;
        parent->children.push_back(hwnd);
    } else {
        window->parent = nullptr;
        window->style &= ~WS_CHILD;
        m_topLevel.push_back(hwnd);
    }
    return previous;
}

POINT CWindowTable::ClientOrigin(HWND hwnd) const {
    POINT origin{0, 0};
    for (CWindow* window = Find(hwnd); window;) {
        const LONG inset = window->FrameInset();
        origin.x += window->rect.left + inset;
        origin.y += window->rect.top + inset;
        window = window->IsChildWindow() ? Find(window->parent) : nullptr;
    }
    return origin;
}
