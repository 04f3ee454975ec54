#include "platform/user/DialogManager.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/kernel/Clock.h"
#include "platform/user/Controls.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/TimerTable.h"
#include "platform/user/MessagePump.h"
#include "platform/user/Window.h"
#include "platform/user/WindowTable.h"

namespace {

constexpr int kLogPixels = 96; // the virtual screen's dots per inch
constexpr int kFontWeightNormal = 400;
constexpr DWORD kDefaultCharset = 1;
constexpr RECT kWorkArea{0, 0, 1920, 1040};

CWindowTable& Table() {
    return CWindowTable::Instance();
}

// Messages whose dialog-procedure answer is the message's result itself rather than
// a "handled" flag with the result in DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    switch (msg) {
    case WM_INITDIALOG:
    case 0x002E: // WM_VKEYTOITEM
    case 0x002F: // WM_CHARTOITEM
    case 0x0037: // WM_QUERYDRAGICON
    case 0x0039: // WM_COMPAREITEM
        return true;
    default:
        return msg >= 0x0132 && msg <= 0x0138; // WM_CTLCOLOR*
    }
}

LRESULT DlgCode(HWND control, MSG* msg) {
    if (!control)
        return 0;
    return SendMessageW(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

bool HasRoomForDialogData(HWND hwnd) {
    const CWindow* window = Table().Find(hwnd);
    return window && window->extra.size() >= static_cast<size_t>(DWLP_USER) + sizeof(LONG_PTR);
}

DLGPROC DialogProcOf(HWND hwnd) {
    if (!HasRoomForDialogData(hwnd))
        return nullptr;
    return reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC));
}

LONG DluToPixels(SHORT value, LONG base, int divisor) {
    return MulDiv(value, base, divisor);
}

bool IsTabTarget(const CWindow& window) {
    return (window.style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

bool IsNavigable(const CWindow& window) {
    return (window.style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// The controls of a dialog in tab order: children in Z order, with the children of
// nested control parents (child dialogs) in place of their parent.
void CollectInTabOrder(HWND parent, std::vector<HWND>* order) {
    const CWindow* window = Table().Find(parent);
    if (!window)
        return;
    for (HWND child : window->children) {
        const CWindow* c = Table().Find(child);
        if (!c)
            continue;
        order->push_back(child);
        if ((c->exStyle & WS_EX_CONTROLPARENT) && IsNavigable(*c))
            CollectInTabOrder(child, order);
    }
}

// The face, point size, weight and italic flag of the template as a font at 96 dpi.
HFONT CreateTemplateFont(const CDialogTemplate& parsed) {
    const CDialogTemplate::Font& font = parsed.font;
    const int weight = font.weight ? font.weight : kFontWeightNormal;
    const DWORD charset = parsed.extended ? font.charset : kDefaultCharset;
    return CreateFontW(-MulDiv(font.pointSize, kLogPixels, 72), 0, 0, 0, weight, font.italic, 0, 0, charset,
                       0, 0, 0, 0, font.face.c_str());
}

} // namespace

CDialogManager& CDialogManager::Instance() {
    static CDialogManager manager;
    return manager;
}

SIZE CDialogManager::BaseUnitsOf(HFONT font) {
    const LONG system = GetDialogBaseUnits();
    const SIZE fallback{LOWORD(static_cast<DWORD>(system)), HIWORD(static_cast<DWORD>(system))};
    if (!font)
        return fallback;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return fallback;
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    SIZE extent{};
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const bool measured =
        previous && GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kLetters, 52, &extent);
    if (previous)
        SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    if (!measured || metrics.tmHeight <= 0)
        return fallback;
    return SIZE{(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

CDialogManager::State* CDialogManager::Find(HWND dialog) const {
    auto it = m_states.find(dialog);
    return it == m_states.end() ? nullptr : it->second.get();
}

CDialogManager::State& CDialogManager::Ensure(HWND dialog) {
    std::unique_ptr<State>& state = m_states[dialog];
    if (!state) {
        state = std::make_unique<State>();
        state->baseUnits = BaseUnitsOf(nullptr);
    }
    return *state;
}

IModalActor* CDialogManager::SetActor(IModalActor* actor) {
    IModalActor* previous = m_actor;
    m_actor = actor;
    return previous;
}

HWND CDialogManager::Create(const void* data, size_t size, HINSTANCE instance, HWND parent, DLGPROC proc,
                            LPARAM param, bool modal) {
    CDialogTemplate parsed;
    if (!data || FAILED(parsed.Parse(data, size))) {
        SetLastError(data ? ERROR_INVALID_DATA : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Create(parsed, instance, parent, proc, param, modal);
}

HWND CDialogManager::Create(const CDialogTemplate& parsed, HINSTANCE instance, HWND parent, DLGPROC proc,
                            LPARAM param, bool modal) {
    if (parent && !Table().Find(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }

    HFONT font = parsed.hasFont ? CreateTemplateFont(parsed) : nullptr;
    const SIZE units = BaseUnitsOf(font);

    DWORD style = parsed.style;
    DWORD exStyle = parsed.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        // A dialog made to sit inside another is navigated as part of it.
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (modal)
        style &= ~WS_CHILD;

    // The template gives the client area; the window adds its frame.
    CWindow frame;
    frame.style = style;
    frame.exStyle = exStyle;
    const LONG inset = frame.FrameInset();
    const LONG width = DluToPixels(parsed.cx, units.cx, 4) + 2 * inset;
    const LONG height = DluToPixels(parsed.cy, units.cy, 8) + 2 * inset;
    LONG x = DluToPixels(parsed.x, units.cx, 4);
    LONG y = DluToPixels(parsed.y, units.cy, 8);
    if (!(style & WS_CHILD)) {
        RECT area = kWorkArea;
        if (parent)
            GetWindowRect(parent, &area);
        if (style & DS_CENTER) {
            x = area.left + (area.right - area.left - width) / 2;
            y = area.top + (area.bottom - area.top - height) / 2;
        } else if (parent && !(style & DS_ABSALIGN)) {
            // Placed relative to the owner's client area.
            POINT origin{0, 0};
            ClientToScreen(parent, &origin);
            x += origin.x;
            y += origin.y;
        }
    }

    LPCWSTR className = WC_DIALOGW;
    if (parsed.windowClass.ordinal)
        className = MAKEINTATOM(parsed.windowClass.ordinal);
    else if (!parsed.windowClass.name.empty())
        className = parsed.windowClass.name.c_str();

    HWND dialog = CreateWindowExW(exStyle, className, parsed.title.name.c_str(), style & ~WS_VISIBLE, x, y,
                                  width, height, parent, nullptr, instance, reinterpret_cast<LPVOID>(param));
    if (!dialog) {
        if (font)
            DeleteObject(font);
        return nullptr;
    }
    State& state = Ensure(dialog);
    state.font = font;
    state.ownsFont = font != nullptr;
    state.baseUnits = units;
    state.modal = modal;
    if (HasRoomForDialogData(dialog))
        SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (font)
        SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    if (!CreateItems(dialog, parsed, instance, font, units))
        return nullptr;

    const HWND first = NextTabItem(dialog, nullptr, false);
    const LRESULT setFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    State* after = Find(dialog);
    if (!after || !IsWindow(dialog))
        return nullptr;
    // Answering TRUE leaves the focus to the dialog manager: the first tab stop.
    const HWND focus = setFocus && first && IsWindow(first) ? first : nullptr;
    if (focus)
        after->savedFocus = focus;
    if (focus && ((parsed.style & WS_VISIBLE) || modal))
        FocusControl(dialog, focus);
    if ((parsed.style & WS_VISIBLE) && !after->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

bool CDialogManager::CreateItems(HWND dialog, const CDialogTemplate& parsed, HINSTANCE instance, HFONT font,
                                 SIZE units) {
    for (const CDialogTemplate::Item& item : parsed.items) {
        const std::wstring className =
            item.classOrdinal ? CDialogTemplate::ClassNameOfOrdinal(item.classOrdinal) : item.className;
        // Creation data goes to the control as Windows passes it: its size, then the bytes.
        std::vector<BYTE> creation;
        if (!item.creationData.empty()) {
            const WORD count = static_cast<WORD>(item.creationData.size());
            creation.resize(sizeof(WORD) + item.creationData.size());
            std::copy_n(reinterpret_cast<const BYTE*>(&count), sizeof(WORD), creation.begin());
            std::copy(item.creationData.begin(), item.creationData.end(), creation.begin() + sizeof(WORD));
        }
        const int x = DluToPixels(item.x, units.cx, 4);
        const int y = DluToPixels(item.y, units.cy, 8);
        const int cx = DluToPixels(item.cx, units.cx, 4);
        const int cy = DluToPixels(item.cy, units.cy, 8);
        // Ordinal titles (icons by resource id) are not text: they are left empty.
        HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, className.c_str(),
                                       item.title.name.c_str(), item.style | WS_CHILD, x, y, cx, cy, dialog,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                       creation.empty() ? nullptr : creation.data());
        if (!IsWindow(dialog))
            return false;
        if (!control) {
            if (parsed.style & DS_NOFAILCREATE)
                continue;
            const DWORD error = GetLastError();
            DestroyWindow(dialog);
            SetLastError(error ? error : ERROR_CANNOT_FIND_WND_CLASS);
            return false;
        }
        if (font)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!IsWindow(dialog))
            return false;
    }
    return true;
}

INT_PTR CDialogManager::RunModal(const void* data, size_t size, HINSTANCE instance, HWND owner, DLGPROC proc,
                                 LPARAM param) {
    CDialogTemplate parsed;
    if (!data || FAILED(parsed.Parse(data, size))) {
        SetLastError(data ? ERROR_INVALID_DATA : ERROR_INVALID_PARAMETER);
        return -1;
    }
    return RunModal(parsed, instance, owner, proc, param, ModalKind::Dialog);
}

INT_PTR CDialogManager::RunModal(const CDialogTemplate& parsed, HINSTANCE instance, HWND owner, DLGPROC proc,
                                 LPARAM param, ModalKind kind) {
    if (owner && !Table().Find(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return -1;
    }
    // The owner of a modal dialog is a top-level window.
    while (owner && Table().Find(owner)->IsChildWindow())
        owner = Table().Find(owner)->parent;
    const HWND focusBefore = GetFocus();
    HWND dialog = Create(parsed, instance, owner, proc, param, true);
    if (!dialog)
        return -1;

    const bool disableOwner = owner && IsWindowEnabled(owner) && Find(dialog) && !Find(dialog)->ended;
    if (disableOwner)
        EnableWindow(owner, FALSE);
    if (Find(dialog) && !Find(dialog)->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);

    // Input reaches the dialog through the pump: the hook set before ours sees it first,
    // then the dialog's keyboard interface.
    CMessagePump& pump = CMessagePump::Instance();
    CMessagePump::PreTranslateHook outer;
    outer = pump.SetPreTranslateHook([&outer, dialog](MSG& msg) {
        if (outer && outer(msg))
            return true;
        return IsWindow(dialog) && IsDialogMessageW(dialog, &msg) != FALSE;
    });

    const auto running = [this, dialog] { return IsWindow(dialog) && Find(dialog) && !Find(dialog)->ended; };
    if (m_actor && running())
        m_actor->Act(dialog, kind);
    bool timedOut = false;
    const bool quitBefore = pump.QuitReceived();
    while (running()) {
        pump.Pump();
        if (!running())
            break;
        if (pump.QuitReceived() && !quitBefore) {
            // The quit belongs to the outer loop: passed on, and the dialog ends.
            PostQuitMessage(pump.QuitCode());
            break;
        }
        if (CMessageQueue::Instance().HasWaiting())
            continue;
        const auto next = CTimerTable::Instance().NextDue();
        if (!next || kind != ModalKind::Dialog) {
            timedOut = true;
            break;
        }
        CClock& clock = CClock::Instance();
        const ULONGLONG now = clock.Now();
        clock.Sleep(static_cast<DWORD>(*next > now ? std::min<ULONGLONG>(*next - now, 0x7FFFFFFF) : 1));
    }
    pump.SetPreTranslateHook(std::move(outer));

    INT_PTR result = 0;
    if (State* state = Find(dialog))
        result = state->result;
    if (disableOwner && IsWindow(owner))
        EnableWindow(owner, TRUE);
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    // The owner, active again, gives the focus back to the window that had it.
    if (focusBefore && IsWindow(focusBefore) && !GetFocus())
        SetFocus(focusBefore);
    if (timedOut) {
        SetLastError(ERROR_TIMEOUT);
        return -1;
    }
    return result;
}

BOOL CDialogManager::End(HWND dialog, INT_PTR result) {
    if (!Table().Find(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    State* state = Find(dialog);
    if (!state) {
        SetLastError(ERROR_WINDOW_NOT_DIALOG);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

LRESULT CDialogManager::DefaultId(HWND dialog) const {
    if (const State* state = Find(dialog); state && state->defaultId)
        return MAKELONG(state->defaultId, DC_HASDEFID);
    const CWindow* window = Table().Find(dialog);
    if (!window)
        return 0;
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (DlgCode(child, nullptr) & DLGC_DEFPUSHBUTTON)
            return MAKELONG(static_cast<WORD>(GetDlgCtrlID(child)), DC_HASDEFID);
    }
    return 0;
}

void CDialogManager::SetDefaultId(HWND dialog, WORD id) {
    const LRESULT previous = DefaultId(dialog);
    if (HIWORD(static_cast<DWORD>(previous)) == DC_HASDEFID) {
        HWND old = GetDlgItem(dialog, LOWORD(static_cast<DWORD>(previous)));
        if (old && (DlgCode(old, nullptr) & DLGC_DEFPUSHBUTTON))
            SendMessageW(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (State* state = Find(dialog))
        state->defaultId = id;
    HWND next = GetDlgItem(dialog, id);
    if (next && (DlgCode(next, nullptr) & DLGC_UNDEFPUSHBUTTON))
        SendMessageW(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT CDialogManager::DefProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Table().Find(dialog))
        return 0;
    if (msg == WM_NCCREATE)
        Ensure(dialog);
    if (const DLGPROC proc = DialogProcOf(dialog)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        const LRESULT handled = Table().Call(proc, dialog, msg, wParam, lParam);
        if (!Table().Find(dialog))
            return handled;
        if (handled) {
            if (AnswersDirectly(msg))
                return handled;
            return GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
        }
        if (AnswersDirectly(msg))
            return 0;
    }
    switch (msg) {
    case WM_SETFONT:
        Ensure(dialog).font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT: {
        const State* state = Find(dialog);
        return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    case DM_GETDEFID:
        return DefaultId(dialog);
    case DM_SETDEFID:
        SetDefaultId(dialog, static_cast<WORD>(wParam));
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(static_cast<DWORD_PTR>(lParam)) ? reinterpret_cast<HWND>(wParam)
                                                             : NextTabItem(dialog, GetFocus(), wParam != 0);
        if (target && (target == dialog || IsChild(dialog, target)))
            FocusControl(dialog, target);
        return 0;
    }
    case WM_CLOSE: {
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (cancel && !IsWindowEnabled(cancel)) {
            MessageBeep(0);
            return 0;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case WM_SETFOCUS: {
        // The dialog passes the focus on to the control that had it, else the first tab stop.
        const State* state = Find(dialog);
        HWND target = state && state->savedFocus && IsChild(dialog, state->savedFocus)
                          ? state->savedFocus
                          : NextTabItem(dialog, nullptr, false);
        if (target)
            FocusControl(dialog, target);
        return 0;
    }
    case WM_SHOWWINDOW: {
        // Hiding remembers the control with the focus. Showing a top-level dialog
        // activates it, and activation gives the focus back to that control; showing a
        // child dialog (a tab's page) activates nothing, so the focus stays where it
        // is, on the tab strip that showed the page, say.
        const HWND focus = GetFocus();
        State* state = Find(dialog);
        if (!wParam && state && focus && IsChild(dialog, focus))
            state->savedFocus = focus;
        const bool activates = !(GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD);
        if (wParam && activates && state && state->savedFocus && IsChild(dialog, state->savedFocus) &&
            !(focus && IsChild(dialog, focus)) && IsWindowEnabled(state->savedFocus))
            FocusControl(dialog, state->savedFocus);
        return DefWindowProcW(dialog, msg, wParam, lParam);
    }
    case WM_NCDESTROY: {
        auto it = m_states.find(dialog);
        if (it != m_states.end()) {
            std::unique_ptr<State> state = std::move(it->second);
            m_states.erase(it);
            if (state->ownsFont && state->font)
                DeleteObject(state->font);
        }
        return DefWindowProcW(dialog, msg, wParam, lParam);
    }
    default:
        return DefWindowProcW(dialog, msg, wParam, lParam);
    }
}

void CDialogManager::FocusControl(HWND dialog, HWND control) {
    const LRESULT code = DlgCode(control, nullptr);
    SetFocus(control);
    if (code & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    if (State* state = Find(dialog))
        state->savedFocus = control;
}

void CDialogManager::PressDefault(HWND dialog, HWND focus) {
    HWND button = nullptr;
    WORD id = IDOK;
    const LRESULT focusCode = focus && IsChild(dialog, focus) ? DlgCode(focus, nullptr) : 0;
    if (focusCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        // A push button with the focus is the default one while it has it.
        button = focus;
        id = static_cast<WORD>(GetDlgCtrlID(focus));
    } else {
        const LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(static_cast<DWORD>(def)) == DC_HASDEFID)
            id = LOWORD(static_cast<DWORD>(def));
        button = GetDlgItem(dialog, id);
    }
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

BOOL CDialogManager::IsDialogMessage(HWND dialog, MSG* msg) {
    if (!msg || !Table().Find(dialog))
        return FALSE;
    if (msg->hwnd != dialog && !Table().IsAncestor(dialog, msg->hwnd))
        return FALSE;
    if (msg->message == WM_KEYDOWN) {
        const HWND focus = GetFocus();
        const LRESULT code = DlgCode(msg->hwnd, msg);
        const WPARAM key = msg->wParam;
        if (key == VK_TAB && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            const bool back = GetKeyState(VK_SHIFT) < 0;
            if (HWND next = NextTabItem(dialog, focus && IsChild(dialog, focus) ? focus : nullptr, back))
                FocusControl(dialog, next);
            return TRUE;
        }
        if (key == VK_RETURN && !(code & DLGC_WANTALLKEYS)) {
            PressDefault(dialog, focus);
            return TRUE;
        }
        if (key == VK_ESCAPE && !(code & DLGC_WANTALLKEYS)) {
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (cancel && !IsWindowEnabled(cancel))
                MessageBeep(0);
            else
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(cancel));
            return TRUE;
        }
        const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
        if (arrow && !(code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) && focus && IsChild(dialog, focus)) {
            if (HWND next = NextGroupItem(dialog, focus, key == VK_LEFT || key == VK_UP);
                next && next != focus)
                FocusControl(dialog, next);
            return TRUE;
        }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}

HWND CDialogManager::NextTabItem(HWND dialog, HWND control, bool previous) const {
    std::vector<HWND> order;
    CollectInTabOrder(dialog, &order);
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(order.size());
    if (n == 0)
        return nullptr;
    auto found = std::find(order.begin(), order.end(), control);
    const std::ptrdiff_t start = found == order.end() ? (previous ? n : -1) : found - order.begin();
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const std::ptrdiff_t index = ((previous ? start - step : start + step) % n + n) % n;
        const CWindow* window = Table().Find(order[static_cast<size_t>(index)]);
        if (window && IsTabTarget(*window))
            return order[static_cast<size_t>(index)];
    }
    return nullptr;
}

HWND CDialogManager::NextGroupItem(HWND dialog, HWND control, bool previous) const {
    const CWindow* window = Table().Find(control);
    if (!window || !window->IsChildWindow() || !(window->parent == dialog || IsChild(dialog, window->parent)))
        return nullptr;
    const std::vector<HWND>& siblings = Table().Find(window->parent)->children;
    const auto at = std::find(siblings.begin(), siblings.end(), control);
    // The group runs from a WS_GROUP control (or the first) to before the next one.
    auto begin = at;
    while (begin != siblings.begin() && !(Table().Find(*begin)->style & WS_GROUP))
        --begin;
    auto end = at + 1;
    while (end != siblings.end() && !(Table().Find(*end)->style & WS_GROUP))
        ++end;
    std::vector<HWND> group(begin, end);
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(group.size());
    const std::ptrdiff_t start = static_cast<std::ptrdiff_t>(at - begin);
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const std::ptrdiff_t index = ((previous ? start - step : start + step) % n + n) % n;
        const CWindow* candidate = Table().Find(group[static_cast<size_t>(index)]);
        if (candidate && IsNavigable(*candidate))
            return group[static_cast<size_t>(index)];
    }
    return control;
}

BOOL CDialogManager::MapRect(HWND dialog, RECT* rect) const {
    if (!Table().Find(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const State* state = Find(dialog);
    if (!state || !rect) {
        SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_WINDOW_NOT_DIALOG);
        return FALSE;
    }
    rect->left = MulDiv(rect->left, state->baseUnits.cx, 4);
    rect->right = MulDiv(rect->right, state->baseUnits.cx, 4);
    rect->top = MulDiv(rect->top, state->baseUnits.cy, 8);
    rect->bottom = MulDiv(rect->bottom, state->baseUnits.cy, 8);
    return TRUE;
}
