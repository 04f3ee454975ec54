#include "platform/mfc/Wnd.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/kernel/Resource.h"
#include "platform/mfc/CreateHook.h"
#include "platform/mfc/ModuleState.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogTemplate.h"

namespace {

// Objects by window: permanent ones belong to their owners, temporary ones to the map.
std::unordered_map<HWND, CWnd*>& PermanentMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

// The message the framework's procedure is handling now, for Default().
MSG g_current{};

void DropTemporary(std::unique_ptr<CWnd>& wnd) {
    // A temporary object never destroys the window it stood for.
    wnd->m_hWnd = nullptr;
    wnd.reset();
}

void SweepDeadTemporaries() {
    auto& temps = TemporaryMap();
    for (auto it = temps.begin(); it != temps.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        DropTemporary(it->second);
        it = temps.erase(it);
    }
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        if (IsWindow(m_hWnd))
            DestroyWindow();
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& map = PermanentMap();
    const auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hwnd))
        return permanent;
    if (!IsWindow(hwnd))
        return nullptr;
    auto& temps = TemporaryMap();
    if (const auto it = temps.find(hwnd); it != temps.end())
        return it->second.get();
    SweepDeadTemporaries();
    auto wnd = std::make_unique<CWnd>();
    wnd->m_hWnd = hwnd;
    CWnd* result = wnd.get();
    temps.emplace(hwnd, std::move(wnd));
    return result;
}

void CWnd::DeleteTempMap() {
    for (auto& [hwnd, wnd] : TemporaryMap())
        DropTemporary(wnd);
    TemporaryMap().clear();
}

BOOL CWnd::Attach(HWND hwnd) {
    if (m_hWnd || !IsWindow(hwnd) || FromHandlePermanent(hwnd))
        return FALSE;
    // The temporary object of this window, if any, gives way to the permanent one.
    auto& temps = TemporaryMap();
    if (const auto it = temps.find(hwnd); it != temps.end()) {
        DropTemporary(it->second);
        temps.erase(it);
    }
    m_hWnd = hwnd;
    PermanentMap()[hwnd] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) {
        auto& map = PermanentMap();
        if (const auto it = map.find(hwnd); it != map.end() && it->second == this)
            map.erase(it);
    }
    m_hWnd = nullptr;
    return hwnd;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    const auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (!old) {
        Detach();
        return FALSE;
    }
    if (old != &CWnd::AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent)
        return FALSE;
    HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd && m_pfnSuper) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
    if (m_hWnd)
        return FALSE;
    HWND hwnd = nullptr;
    {
        CCreateHook hook(this);
        hwnd = CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, idOrMenu,
                               nullptr, param);
    }
    if (!hwnd) {
        // A window that failed in WM_NCCREATE or WM_CREATE is gone again.
        if (m_hWnd && !IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    return m_hWnd == hwnd ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    HWND hwnd = m_hWnd;
    const bool permanent = FromHandlePermanent(hwnd) == this;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    // A subclassed window let go of its object in WM_NCDESTROY, and the object may have
    // deleted itself there: only a window still in the map (attached, never subclassed)
    // is detached here, and `this` is not touched otherwise.
    if (destroyed && permanent && FromHandlePermanent(hwnd))
        Detach();
    return destroyed;
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

void CWnd::SetWindowText(LPCWSTR text) {
    SetWindowTextW(m_hWnd, text);
}

void CWnd::GetWindowText(CString& text) const {
    const int length = GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    text = CString(buffer.data(), copied);
}

int CWnd::GetWindowTextLength() const {
    return GetWindowTextLengthW(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int cmdShow) {
    return ::ShowWindow(m_hWnd, cmdShow);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::GetWindowRect(RECT* rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(POINT* point) const {
    ::ScreenToClient(m_hWnd, point);
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(POINT* point) const {
    ::ClientToScreen(m_hWnd, point);
}

void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

namespace {

BOOL ModifyStyleOf(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, index));
    const DWORD changed = (style & ~remove) | add;
    if (style == changed)
        return FALSE;
    SetWindowLongW(hwnd, index, static_cast<LONG>(changed));
    if (flags)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleOf(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
    return ModifyStyleOf(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return PostMessageW(m_hWnd, msg, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

namespace {

// The resource type of dialog initialisation data, and the add-string messages as the
// resource compiler writes them (their 16-bit numbers).
constexpr WORD kDlgInitType = 240;
constexpr WORD kInitComboAddString = 0x0403;
constexpr WORD kInitListAddString = 0x0401;
constexpr UINT kListBoxAddString = 0x0180;
constexpr LRESULT kErrSpace = -2;

// The strings are narrow, in the build's code page; the resource compiler keeps their
// bytes, and ours are ASCII, so each byte is taken as its own character.
std::wstring WidenInitString(const std::vector<BYTE>& data) {
    std::wstring text;
    for (BYTE b : data) {
        if (b == 0)
            break;
        text.push_back(static_cast<wchar_t>(b));
    }
    return text;
}

} // namespace

BOOL CWnd::ExecuteDlgInit(LPCWSTR resourceName) {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceW(module, resourceName, MAKEINTRESOURCEW(kDlgInitType));
    if (!found)
        return TRUE;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    return ExecuteDlgInit(data, SizeofResource(module, found));
}

BOOL CWnd::ExecuteDlgInit(const void* data, size_t size) {
    std::vector<CDialogTemplate::InitEntry> entries;
    if (FAILED(CDialogTemplate::ParseInitData(data, size, &entries)))
        return FALSE;
    BOOL success = TRUE;
    for (CDialogTemplate::InitEntry& entry : entries) {
        HWND item = ::GetDlgItem(m_hWnd, entry.itemId);
        if (!item) {
            success = FALSE;
            continue;
        }
        if (entry.message == kInitComboAddString || entry.message == kInitListAddString) {
            const std::wstring text = WidenInitString(entry.data);
            const UINT msg = entry.message == kInitComboAddString ? CB_ADDSTRING : kListBoxAddString;
            const LRESULT added = SendMessageW(item, msg, 0, reinterpret_cast<LPARAM>(text.c_str()));
            if (added == CB_ERR || added == kErrSpace)
                success = FALSE;
        } else {
            SendMessageW(item, entry.message, 0, reinterpret_cast<LPARAM>(entry.data.data()));
        }
    }
    return success;
}

LRESULT CWnd::Default() {
    return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    if (!msg)
        return FALSE;
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result))
        result = DefWindowProc(msg, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (msg) {
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM: {
        auto* drawItem = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (drawItem && ReflectMessage(drawItem->hwndItem, msg, wParam, lParam, result)) {
            *result = TRUE;
            return TRUE;
        }
        OnDrawItem(static_cast<int>(wParam), drawItem);
        *result = TRUE;
        return TRUE;
    }
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)),
               HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)),
                  HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_PASTE:
        *result = OnPaste(wParam, lParam);
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_NCDESTROY:
        OnNcDestroy();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    const UINT id = LOWORD(static_cast<DWORD_PTR>(wParam));
    const UINT code = HIWORD(static_cast<DWORD_PTR>(wParam));
    LRESULT ignored = 0;
    if (control && ReflectMessage(control, WM_COMMAND, wParam, lParam, &ignored))
        return TRUE;
    return OnCmdMsg(id, code);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* nmhdr = reinterpret_cast<NMHDR*>(lParam);
    if (!nmhdr)
        return FALSE;
    if (ReflectMessage(nmhdr->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    return OnNotifyMsg(static_cast<UINT>(nmhdr->idFrom), nmhdr, result);
}

BOOL CWnd::OnCmdMsg(UINT, UINT) {
    return FALSE;
}

BOOL CWnd::OnNotifyMsg(UINT, NMHDR*, LRESULT*) {
    return FALSE;
}

BOOL CWnd::ReflectMessage(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* wnd = FromHandlePermanent(child);
    return wnd ? wnd->OnChildNotify(msg, wParam, lParam, result) : FALSE;
}

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(msg, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT local = 0;
    if (!result)
        result = &local;
    switch (msg) {
    case WM_COMMAND:
        return OnReflectedCommand(HIWORD(static_cast<DWORD_PTR>(wParam)));
    case WM_NOTIFY:
        return OnReflectedNotify(reinterpret_cast<NMHDR*>(lParam), result);
    case WM_DRAWITEM:
        return OnReflectedDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    default:
        return FALSE;
    }
}

BOOL CWnd::OnReflectedCommand(UINT) {
    return FALSE;
}

BOOL CWnd::OnReflectedNotify(NMHDR*, LRESULT*) {
    return FALSE;
}

BOOL CWnd::OnReflectedDrawItem(DRAWITEMSTRUCT*) {
    return FALSE;
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

LRESULT CWnd::OnPaste(WPARAM, LPARAM) {
    return Default();
}

void CWnd::OnSetFocus(CWnd*) {
    Default();
}

void CWnd::OnKillFocus(CWnd*) {
    Default();
}

void CWnd::OnTimer(UINT_PTR) {
    Default();
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnLButtonDown(UINT, POINT) {
    Default();
}

void CWnd::OnEnable(BOOL) {
    Default();
}

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT*) {
    Default();
}

void CWnd::OnNcDestroy() {
    const LONG_PTR ours = GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
    Default();
    // Leave the window its own procedure for what little it still receives.
    if (m_pfnSuper && GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == ours)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    const MSG saved = g_current;
    g_current = MSG{};
    g_current.hwnd = hwnd;
    g_current.message = msg;
    g_current.wParam = wParam;
    g_current.lParam = lParam;
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // A handler's failure must not unwind through the window system: the message
        // counts as handled with nothing done, as the framework's own procedure does.
        result = 0;
    }
    g_current = saved;
    return result;
}
