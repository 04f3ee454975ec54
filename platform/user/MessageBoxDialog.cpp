#include "platform/user/MessageBoxDialog.h"

#include <algorithm>

#include "platform/base/Win32Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/StockIcons.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogManager.h"
#include "platform/user/UserRecorder.h"
#include "platform/user/WinUser.h"

namespace {

constexpr LONG ERROR_INVALID_MSGBOX_STYLE = 1438;
constexpr DWORD SS_NOPREFIX = 0x0080;

constexpr LONG kMargin = 11;
constexpr LONG kIconSize = 32;
constexpr LONG kIconGap = 11;
constexpr LONG kButtonWidth = 75;
constexpr LONG kButtonHeight = 23;
constexpr LONG kButtonGap = 6;
constexpr LONG kRowGap = 14;

LPCWSTR IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

} // namespace

CMessageBoxDialog::CMessageBoxDialog(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
    : m_owner(owner), m_text(text ? text : L""), m_caption(caption ? caption : L"Error"), m_type(type) {
    static const std::vector<Button> kSets[] = {
        {{IDOK, L"OK"}},
        {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}},
        {{IDABORT, L"&Abort"}, {IDRETRY, L"&Retry"}, {IDIGNORE, L"&Ignore"}},
        {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}},
        {{IDYES, L"&Yes"}, {IDNO, L"&No"}},
        {{IDRETRY, L"&Retry"}, {IDCANCEL, L"Cancel"}},
        {{IDCANCEL, L"Cancel"}, {IDTRYAGAIN, L"&Try Again"}, {IDCONTINUE, L"&Continue"}},
    };
    const UINT set = type & MB_TYPEMASK;
    if (set < std::size(kSets))
        m_buttons = kSets[set];
}

CMessageBoxDialog::~CMessageBoxDialog() {
    if (m_font)
        DeleteObject(m_font);
}

bool CMessageBoxDialog::HasButton(int id) const {
    return std::any_of(m_buttons.begin(), m_buttons.end(), [id](const Button& b) { return b.id == id; });
}

int CMessageBoxDialog::Run() {
    CUserRecorder::MessageBoxRecord record{m_owner, m_text, m_caption, m_type, 0, false};
    if (m_buttons.empty()) {
        CUserRecorder::Instance().AddMessageBox(record);
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    CDialogManager& manager = CDialogManager::Instance();
    INT_PTR result = -1;
    if (manager.Actor() && manager.Actor()->HasActionFor(ModalKind::MessageBox)) {
        CDialogTemplate dialog;
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG |
                       (m_type & MB_SYSTEMMODAL ? DS_SYSMODAL : 0);
        dialog.title.name = m_caption;
        result = manager.RunModal(dialog, nullptr, m_owner, &CMessageBoxDialog::Proc,
                                  reinterpret_cast<LPARAM>(this), ModalKind::MessageBox);
    }
    record.answered = result > 0;
    record.answer = record.answered ? static_cast<int>(result) : 0;
    CUserRecorder::Instance().AddMessageBox(record);
    if (!record.answered)
        SetLastError(ERROR_TIMEOUT);
    return record.answer;
}

INT_PTR CALLBACK CMessageBoxDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<CMessageBoxDialog*>(lParam)->OnInit(dialog);
        return FALSE; // the focus is on the default button
    }
    auto* self = reinterpret_cast<CMessageBoxDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (msg == WM_COMMAND && self) {
        self->OnCommand(dialog, LOWORD(static_cast<DWORD>(wParam)));
        return TRUE;
    }
    return FALSE;
}

void CMessageBoxDialog::OnInit(HWND dialog) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_font = CreateFontIndirectW(&metrics.lfMessageFont);
    const RECT area = WorkArea();

    RECT text{0, 0, (area.right - area.left) * 5 / 8, 0};
    if (HDC dc = GetDC(dialog)) {
        HGDIOBJ previous = m_font ? SelectObject(dc, m_font) : nullptr;
        DrawTextW(dc, m_text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        if (previous)
            SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
    }
    const LPCWSTR icon = IconOf(m_type);
    const LONG iconWidth = icon ? kIconSize + kIconGap : 0;
    const LONG iconHeight = icon ? kIconSize : 0;
    const LONG textTop = kMargin + std::max<LONG>(0, (iconHeight - text.bottom) / 2);
    const LONG count = static_cast<LONG>(m_buttons.size());
    const LONG row = count * kButtonWidth + (count - 1) * kButtonGap;
    const LONG width = 2 * kMargin + std::max(iconWidth + text.right, row);
    const LONG rowTop = kMargin + std::max(iconHeight, text.bottom) + kRowGap;
    const LONG height = rowTop + kButtonHeight + kMargin;

    const auto add = [&](LPCWSTR cls, LPCWSTR title, DWORD style, RECT r, int id) {
        HWND item = CreateWindowExW(WS_EX_NOPARENTNOTIFY, cls, title, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                    r.right, r.bottom, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    nullptr, nullptr);
        if (item && m_font)
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return item;
    };
    if (icon) {
        HWND place = add(WC_STATICW, L"", SS_ICON, RECT{kMargin, kMargin, kIconSize, kIconSize}, kIconId);
        SendMessageW(place, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
    }
    add(WC_STATICW, m_text.c_str(), SS_LEFT | SS_NOPREFIX | WS_GROUP,
        RECT{kMargin + iconWidth, textTop, text.right, text.bottom}, kTextId);
    const UINT chosen = (m_type & MB_DEFMASK) >> 8;
    const size_t defaultIndex = chosen < m_buttons.size() ? chosen : 0;
    HWND defaultButton = nullptr;
    LONG x = (width - row) / 2;
    for (size_t i = 0; i < m_buttons.size(); ++i, x += kButtonWidth + kButtonGap) {
        const DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                            (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = add(WC_BUTTONW, m_buttons[i].label, style, RECT{x, rowTop, kButtonWidth, kButtonHeight},
                          m_buttons[i].id);
        if (i == defaultIndex)
            defaultButton = button;
    }

    // The window adds its frame to the client area; it is centred on its owner.
    RECT outer{};
    RECT client{};
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    const LONG outerWidth = width + (outer.right - outer.left) - client.right;
    const LONG outerHeight = height + (outer.bottom - outer.top) - client.bottom;
    RECT over = area;
    if (m_owner)
        GetWindowRect(m_owner, &over);
    MoveWindow(dialog, over.left + (over.right - over.left - outerWidth) / 2,
               over.top + (over.bottom - over.top - outerHeight) / 2, outerWidth, outerHeight, FALSE);
    if (defaultButton)
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(defaultButton), TRUE);
}

void CMessageBoxDialog::OnCommand(HWND dialog, int id) {
    if (HasButton(id)) {
        EndDialog(dialog, id);
    } else if (id == IDCANCEL && (m_type & MB_TYPEMASK) == MB_OK) {
        // Escape or Close: with a single OK button they mean OK.
        EndDialog(dialog, IDOK);
    }
}

extern "C" int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return CMessageBoxDialog(owner, text, caption, type).Run();
}
