// The window calls of the window system, over the window table.
#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/base/Win32Error.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

namespace {

CWindowTable& Table() {
    return CWindowTable::Instance();
}

CWindow* Checked(HWND hwnd) {
    CWindow* window = Table().Find(hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

WNDCLASSEXW ToEx(const WNDCLASSW& c) {
    WNDCLASSEXW ex{};
    ex.cbSize = sizeof(ex);
    ex.style = c.style;
    ex.lpfnWndProc = c.lpfnWndProc;
    ex.cbClsExtra = c.cbClsExtra;
    ex.cbWndExtra = c.cbWndExtra;
    ex.hInstance = c.hInstance;
    ex.hIcon = c.hIcon;
    ex.hCursor = c.hCursor;
    ex.hbrBackground = c.hbrBackground;
    ex.lpszMenuName = c.lpszMenuName;
    ex.lpszClassName = c.lpszClassName;
    return ex;
}

} // namespace

extern "C" ATOM RegisterClassW(const WNDCLASSW* wndClass) {
    if (!wndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Table().RegisterClass(ToEx(*wndClass), false);
}

extern "C" ATOM RegisterClassExW(const WNDCLASSEXW* wndClass) {
    if (!wndClass || wndClass->cbSize != sizeof(WNDCLASSEXW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Table().RegisterClass(*wndClass, false);
}

extern "C" BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    return Table().UnregisterClass(className);
}

extern "C" BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* wndClass) {
    const CWindowTable::WindowClass* found = Table().FindClass(className);
    if (!found || !wndClass) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *wndClass = WNDCLASSEXW{};
    wndClass->cbSize = sizeof(WNDCLASSEXW);
    wndClass->style = found->style;
    wndClass->lpfnWndProc = found->proc;
    wndClass->cbWndExtra = found->wndExtra;
    wndClass->hInstance = found->instance;
    wndClass->hCursor = found->cursor;
    wndClass->lpszClassName = found->name.c_str();
    return found->atom;
}

extern "C" HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                                int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                LPVOID param) {
    return Table().Create(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance,
                          param);
}

extern "C" BOOL DestroyWindow(HWND hwnd) {
    return Table().Destroy(hwnd);
}

extern "C" BOOL IsWindow(HWND hwnd) {
    return Table().Find(hwnd) ? TRUE : FALSE;
}

extern "C" BOOL IsWindowEnabled(HWND hwnd) {
    CWindow* window = Table().Find(hwnd);
    return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

extern "C" BOOL IsWindowVisible(HWND hwnd) {
    return Table().IsVisibleChain(hwnd) ? TRUE : FALSE;
}

extern "C" BOOL IsChild(HWND parent, HWND hwnd) {
    return Table().IsAncestor(parent, hwnd) ? TRUE : FALSE;
}

extern "C" HWND GetParent(HWND hwnd) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return nullptr;
    // A popup answers its owner; other top-level windows answer nothing.
    if (window->IsChildWindow())
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

extern "C" HWND SetParent(HWND child, HWND newParent) {
    return Table().SetParent(child, newParent);
}

extern "C" HWND GetWindow(HWND hwnd, UINT relation) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return nullptr;
    if (relation == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front();
    if (relation == GW_OWNER)
        return window->IsChildWindow() ? nullptr : window->owner;
    const std::vector<HWND>* siblings = Table().Siblings(hwnd);
    if (!siblings || siblings->empty())
        return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings->front();
    case GW_HWNDLAST:
        return siblings->back();
    case GW_HWNDNEXT:
        return (it == siblings->end() || it + 1 == siblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == siblings->begin() || it == siblings->end()) ? nullptr : *(it - 1);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

extern "C" HWND GetDlgItem(HWND dialog, int id) {
    CWindow* window = Checked(dialog);
    if (!window)
        return nullptr;
    for (HWND child : window->children) {
        CWindow* c = Table().Find(child);
        if (c && static_cast<int>(c->id) == id)
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

extern "C" int GetDlgCtrlID(HWND hwnd) {
    CWindow* window = Checked(hwnd);
    return window && window->IsChildWindow() ? static_cast<int>(window->id) : 0;
}

extern "C" int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
    CWindow* window = Checked(hwnd);
    if (!window || !buffer || maxCount <= 0)
        return 0;
    const size_t count = std::min(window->className.size(), static_cast<size_t>(maxCount - 1));
    std::wmemcpy(buffer, window->className.c_str(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

extern "C" LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(window->IsChildWindow() ? window->parent : window->owner);
    case GWLP_ID:
        return static_cast<LONG_PTR>(window->id);
    case GWL_STYLE:
        return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(window->exStyle);
    case GWLP_USERDATA:
        return window->userData;
    default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    LONG_PTR value = 0;
    std::memcpy(&value, window->extra.data() + index, sizeof(value));
    return value;
}

namespace {

LONG_PTR SetStyle(HWND hwnd, int index, DWORD value) {
    CWindow* window = Table().Find(hwnd);
    STYLESTRUCT change{index == GWL_STYLE ? window->style : window->exStyle, value};
    Table().Send(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    window = Table().Find(hwnd);
    if (!window)
        return 0;
    DWORD& field = index == GWL_STYLE ? window->style : window->exStyle;
    const DWORD previous = field;
    change.styleOld = previous;
    field = change.styleNew;
    Table().Send(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG>(previous);
}

} // namespace

extern "C" LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return 0;
    LONG_PTR previous = 0;
    switch (index) {
    case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(window->proc);
        if (!value) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        window->proc = reinterpret_cast<WNDPROC>(value);
        return previous;
    case GWLP_HINSTANCE:
        previous = reinterpret_cast<LONG_PTR>(window->instance);
        window->instance = reinterpret_cast<HINSTANCE>(value);
        return previous;
    case GWLP_ID:
        previous = static_cast<LONG_PTR>(window->id);
        window->id = static_cast<UINT_PTR>(value);
        return previous;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return SetStyle(hwnd, index, static_cast<DWORD>(value));
    case GWLP_USERDATA:
        previous = window->userData;
        window->userData = value;
        return previous;
    default:
        break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    std::memcpy(&previous, window->extra.data() + index, sizeof(previous));
    std::memcpy(window->extra.data() + index, &value, sizeof(value));
    return previous;
}

extern "C" LONG GetWindowLongW(HWND hwnd, int index) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG) > window->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG value = 0;
        std::memcpy(&value, window->extra.data() + index, sizeof(value));
        return value;
    }
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) {
        // Pointer-sized values do not fit: the Ptr calls are the way on 64-bit Windows.
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

extern "C" LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG) > window->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG previous = 0;
        std::memcpy(&previous, window->extra.data() + index, sizeof(previous));
        std::memcpy(window->extra.data() + index, &value, sizeof(value));
        return previous;
    }
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return static_cast<LONG>(
            SetWindowLongPtrW(hwnd, index, static_cast<LONG_PTR>(static_cast<DWORD>(value))));
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, value));
}

extern "C" BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!Checked(hwnd))
        return FALSE;
    return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

extern "C" int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
    if (!Checked(hwnd) || !buffer || maxCount <= 0)
        return 0;
    buffer[0] = L'\0';
    return static_cast<int>(
        SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

extern "C" int GetWindowTextLengthW(HWND hwnd) {
    if (!Checked(hwnd))
        return 0;
    return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

extern "C" BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowTextW(item, text) : FALSE;
}

extern "C" UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && maxCount > 0)
            buffer[0] = L'\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextW(item, buffer, maxCount));
}

extern "C" HWND SetFocus(HWND hwnd) {
    return Table().SetFocus(hwnd);
}

extern "C" HWND GetFocus() {
    return Table().Focus();
}

extern "C" BOOL EnableWindow(HWND hwnd, BOOL enable) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        window->style &= ~WS_DISABLED;
        SendMessageW(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        window->style |= WS_DISABLED;
        // A disabled window cannot keep the keyboard focus.
        const HWND focus = Table().Focus();
        if (focus && (focus == hwnd || Table().IsAncestor(hwnd, focus)))
            Table().SetFocus(nullptr);
        SendMessageW(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

extern "C" BOOL ShowWindow(HWND hwnd, int cmdShow) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return FALSE;
    const BOOL wasVisible = (window->style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = cmdShow != SW_HIDE;
    if (show == (wasVisible != FALSE))
        return wasVisible;
    SendMessageW(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    window = Table().Find(hwnd);
    if (!window)
        return wasVisible;
    if (show) {
        window->style |= WS_VISIBLE;
    } else {
        window->style &= ~WS_VISIBLE;
        // A hidden window hands the focus to its parent.
        const HWND focus = Table().Focus();
        if (focus && (focus == hwnd || Table().IsAncestor(hwnd, focus)))
            Table().SetFocus(window->IsChildWindow() ? window->parent : nullptr);
    }
    return wasVisible;
}

extern "C" BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return FALSE;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = window->rect.left;
        pos.y = window->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = window->rect.right - window->rect.left;
        pos.cy = window->rect.bottom - window->rect.top;
    }
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    window = Table().Find(hwnd);
    if (!window)
        return FALSE;
    const RECT old = window->rect;
    window->rect = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    if (!(pos.flags & SWP_NOZORDER)) {
        if (std::vector<HWND>* siblings = Table().Siblings(hwnd)) {
            std::erase(*siblings, hwnd);
            if (pos.hwndInsertAfter == HWND_TOP)
                siblings->insert(siblings->begin(), hwnd);
            else if (pos.hwndInsertAfter == HWND_BOTTOM)
                siblings->push_back(hwnd);
            else {
                auto it = std::find(siblings->begin(), siblings->end(), pos.hwndInsertAfter);
                siblings->insert(it == siblings->end() ? it : it + 1, hwnd);
            }
        }
    }
    if (pos.flags & SWP_SHOWWINDOW)
        window->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW)
        window->style &= ~WS_VISIBLE;
    // What did not change is flagged, so that the default processing sends only the
    // WM_MOVE and WM_SIZE that apply.
    if (old.left == window->rect.left && old.top == window->rect.top)
        pos.flags |= SWP_NOMOVE;
    if (old.right - old.left == pos.cx && old.bottom - old.top == pos.cy)
        pos.flags |= SWP_NOSIZE;
    SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

extern "C" BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

extern "C" BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    CWindow* window = Checked(hwnd);
    if (!window || !rect)
        return FALSE;
    POINT origin{0, 0};
    if (window->IsChildWindow())
        origin = Table().ClientOrigin(window->parent);
    *rect = RECT{window->rect.left + origin.x, window->rect.top + origin.y, window->rect.right + origin.x,
                 window->rect.bottom + origin.y};
    return TRUE;
}

extern "C" BOOL GetClientRect(HWND hwnd, RECT* rect) {
    CWindow* window = Checked(hwnd);
    if (!window || !rect)
        return FALSE;
    const LONG inset = window->FrameInset();
    *rect = RECT{0, 0, std::max<LONG>(0, window->rect.right - window->rect.left - 2 * inset),
                 std::max<LONG>(0, window->rect.bottom - window->rect.top - 2 * inset)};
    return TRUE;
}

extern "C" BOOL ScreenToClient(HWND hwnd, POINT* point) {
    if (!Checked(hwnd) || !point)
        return FALSE;
    const POINT origin = Table().ClientOrigin(hwnd);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

extern "C" BOOL ClientToScreen(HWND hwnd, POINT* point) {
    if (!Checked(hwnd) || !point)
        return FALSE;
    const POINT origin = Table().ClientOrigin(hwnd);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

extern "C" int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    if ((from && !Checked(from)) || (to && !Checked(to)))
        return 0;
    const POINT a = from ? Table().ClientOrigin(from) : POINT{0, 0};
    const POINT b = to ? Table().ClientOrigin(to) : POINT{0, 0};
    const LONG dx = a.x - b.x;
    const LONG dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

extern "C" BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL) {
    if (!hwnd)
        return TRUE; // the whole screen: nothing is drawn
    CWindow* window = Checked(hwnd);
    if (!window)
        return FALSE;
    window->needsPaint = true;
    ++window->invalidateCount;
    return TRUE;
}

extern "C" BOOL UpdateWindow(HWND hwnd) {
    CWindow* window = Checked(hwnd);
    if (!window)
        return FALSE;
    ++window->updateCount;
    if (window->needsPaint) {
        window->needsPaint = false;
        SendMessageW(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}
