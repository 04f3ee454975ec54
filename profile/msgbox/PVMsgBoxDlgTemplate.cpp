#include "profile/msgbox/PVMsgBoxDlgTemplate.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "platform/base/TextCodec.h"
#include "platform/com/ComError.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/UserDrawing.h"
#include "platform/htmlhelp/HtmlHelp.h"
#include "platform/kernel/GlobalMemory.h"
#include "platform/mfc/AfxMessageBox.h"
#include "platform/mfc/ModuleState.h"
#include "platform/mfc/WinApp.h"
#include "platform/user/Controls.h"
#include "platform/user/DialogApi.h"
#include "platform/user/SystemMenu.h"
#include "platform/user/WinUser.h"
#include "profile/interfaces/TextServers.h"
#include "profile/msgbox/PVMsgBoxDlgItemButton.h"
#include "profile/msgbox/PVMsgBoxDlgItemIcon.h"
#include "profile/msgbox/PVMsgBoxDlgItemStatic.h"
#include "profile/server/FrameworkPrompt.h"
#include "profile/server/PVLog.h"
#include "profile/server/StringServerWrapper.h"

CPVMsgBoxDlgTemplate* CPVMsgBoxDlgTemplate::s_pRunning = nullptr;

namespace {

constexpr WORD kTextId = 1001;
constexpr WORD kIconId = 1002;
constexpr WORD kHelpButtonId = 9;
constexpr LONG kHelpLabel = 8;
constexpr LONG kButtonWidth = 82;
constexpr LONG kButtonHeight = 23;
constexpr LONG kButtonAdvance = 88;
constexpr DWORD kDialogStyle = 0x90C80880; // popup, visible, caption, system menu, modal frame, centred
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
constexpr SIZE_T kTemplateBlockSize = 2048;
constexpr LONG kHelpFailedPrompt = 0xF107;

struct ButtonSpec {
    WORD id;
    LONG label;
};

// The buttons of each button set, in placement order; empty for an unknown set.
std::vector<ButtonSpec> ButtonsOf(UINT style) {
    switch (style & 0x0F) {
    case MB_OK:
        return {{IDOK, 1}};
    case MB_OKCANCEL:
        return {{IDOK, 1}, {IDCANCEL, 2}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, 5}, {IDRETRY, 6}, {IDIGNORE, 7}};
    case MB_YESNOCANCEL:
        return {{IDYES, 3}, {IDNO, 4}, {IDCANCEL, 2}};
    case MB_YESNO:
        return {{IDYES, 3}, {IDNO, 4}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, 6}, {IDCANCEL, 2}};
    default:
        return {};
    }
}

bool HasIcon(UINT style) {
    return (style & 0xF0) != 0;
}

UINT AlignTo(UINT value, UINT alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// Pixels to dialog units of the system font, as the template wants them.
SHORT DluX(LONG pixels) {
    return static_cast<SHORT>(MulDiv(pixels, 4, LOWORD(static_cast<DWORD>(GetDialogBaseUnits()))));
}
SHORT DluY(LONG pixels) {
    return static_cast<SHORT>(MulDiv(pixels, 8, HIWORD(static_cast<DWORD>(GetDialogBaseUnits()))));
}

// Writes into a buffer of a size fixed beforehand; what would pass its end is counted
// but not written, so that a size mismatch is found and nothing overruns.
class CTemplateWriter {
public:
    CTemplateWriter(BYTE* buffer, UINT size) : m_buffer(buffer), m_size(size) {}
    void Put(const void* data, UINT count) {
        if (m_pos + count <= m_size && data)
            std::memcpy(m_buffer + m_pos, data, count);
        m_pos += count;
    }
    template <typename T> void Value(T value) { Put(&value, sizeof(T)); }
    void AlignTo(UINT alignment) {
        const UINT aligned = ::AlignTo(m_pos, alignment);
        // The buffer starts zeroed: padding is skipped, not written.
        m_pos = aligned;
    }
    UINT Position() const { return m_pos; }

private:
    BYTE* m_buffer;
    UINT m_size;
    UINT m_pos = 0;
};

// One array of an item, written where the template wants it.
void PutArray(CTemplateWriter& writer, UINT (CPVMsgBoxDlgItem::*get)(PVByteArray*) const,
              const CPVMsgBoxDlgItem& item) {
    PVByteArray array;
    const UINT size = (item.*get)(&array);
    writer.Put(array.get(), size);
}

void PutItem(CTemplateWriter& writer, const CPVMsgBoxDlgItem& item) {
    writer.AlignTo(4);
    const RECT& r = item.GetRect();
    writer.Value<DWORD>(item.GetStyle());
    writer.Value<DWORD>(item.GetExtendedStyle());
    writer.Value<SHORT>(DluX(r.left));
    writer.Value<SHORT>(DluY(r.top));
    writer.Value<SHORT>(DluX(r.right - r.left));
    writer.Value<SHORT>(DluY(r.bottom - r.top));
    writer.Value<WORD>(item.GetId());
    PutArray(writer, &CPVMsgBoxDlgItem::GetWindowClassArray, item);
    writer.AlignTo(2);
    PutArray(writer, &CPVMsgBoxDlgItem::GetTitleArray, item);
    writer.AlignTo(2);
    PutArray(writer, &CPVMsgBoxDlgItem::GetCreationDataArray, item);
}

} // namespace

CPVMsgBoxDlgTemplate::~CPVMsgBoxDlgTemplate() {
    if (m_hFont)
        DeleteObject(m_hFont);
}

BOOL CPVMsgBoxDlgTemplate::Init(UINT style, const wchar_t* text, const wchar_t* caption, HWND owner,
                                UINT helpId, const wchar_t* helpFile) {
    m_nStyle = style;
    m_strText = text ? text : L"";
    m_strCaption = caption ? caption : L"";
    m_hWndOwner = owner;
    m_nHelpId = helpId;
    m_strHelpFile = helpFile ? helpFile : L"";
    if (style == 0 || m_strText.IsEmpty() || m_strCaption.IsEmpty() || !owner) {
        PVLog(L"Error: Invalid argument initialization");
        return FALSE;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    HFONT font = nullptr;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (!font) {
        PVLog(L"Error: Initializing font for dialog");
        return FALSE;
    }
    if (m_hFont)
        DeleteObject(m_hFont);
    m_hFont = font;
    return TRUE;
}

int CPVMsgBoxDlgTemplate::GetNumButtons() const {
    const int help = (m_nStyle & MB_HELP) ? 1 : 0;
    const std::vector<ButtonSpec> buttons = ButtonsOf(m_nStyle);
    if (buttons.empty())
        PVLog(L"Error: Invalid dialog button type specified");
    return static_cast<int>(buttons.size()) + help;
}

SIZE CPVMsgBoxDlgTemplate::CalcMessageSize(bool withIcon) const {
    HDC dc = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!dc) {
        PVLog(L"Error: Create device-context used by dialog");
        return SIZE{0, 0};
    }
    HGDIOBJ previous = SelectObject(dc, m_hFont);
    LONG side = GetSystemMetrics(SM_CXSCREEN) / 2 + 100;
    if (withIcon)
        side -= 16 + GetSystemMetrics(SM_CXICON);
    RECT bounds{0, 0, side, side};
    DrawTextW(dc, m_strText, -1, &bounds, kMeasureFlags);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return SIZE{bounds.right - bounds.left + 12, bounds.bottom - bounds.top + 5};
}

UINT CPVMsgBoxDlgTemplate::BuildTemplate(PVByteArray* bytes) {
    m_items.clear();
    const bool icon = HasIcon(m_nStyle);
    const SIZE iconSize =
        icon ? SIZE{GetSystemMetrics(SM_CXICON) + 2, GetSystemMetrics(SM_CYICON) + 2} : SIZE{0, 0};
    const SIZE text = CalcMessageSize(icon);
    const LONG buttons = GetNumButtons();

    const LONG width = std::max(buttons * kButtonAdvance + 14, text.cx + 20 + (icon ? iconSize.cx + 16 : 0));
    const LONG height = std::max(text.cy, iconSize.cy) + 51;
    m_rectDlg = RECT{0, 0, width, height};
    const RECT iconRect{10, 10, 10 + iconSize.cx, 10 + iconSize.cy};
    const LONG textLeft = icon ? iconSize.cx + 26 : 10;
    const RECT textRect{textLeft, 10, textLeft + text.cx, 10 + text.cy};
    const LONG top = std::max(text.cy + 10, iconSize.cy + 10) + 8;
    const LONG left = (width - (buttons * kButtonAdvance - 6)) / 2;
    const RECT firstButton{left, top, left + kButtonWidth, top + kButtonHeight};

    if (!CreateItems(textRect, iconRect, firstButton)) {
        PVLog(L"Error: Creating items for dialog");
        return 0;
    }
    return GetDialogArray(bytes);
}

bool CPVMsgBoxDlgTemplate::CreateItems(const RECT& textRect, const RECT& iconRect, const RECT& firstButton) {
    CStringServerWrapper server;
    if (FAILED(server.Create(CLSID_PVStringServer))) {
        PVLog(L"Error: Initializing string server used to obtain button labels");
        return false;
    }
    try {
        server.SetWithAccelerators(true);
    } catch (const _com_error&) {
        PVLog(L"Error: Reading accelerators for button labels from string server");
        return false;
    }
    try {
        m_items.push_back(std::make_unique<CPVMsgBoxDlgItemStatic>(textRect, kTextId, m_strText));
    } catch (const std::bad_alloc&) {
        PVLog(L"Error: Adding message text to dialog");
        return false;
    }
    if (HasIcon(m_nStyle)) {
        try {
            m_items.push_back(std::make_unique<CPVMsgBoxDlgItemIcon>(iconRect, kIconId, m_nStyle));
        } catch (const std::bad_alloc&) {
            PVLog(L"Error: Adding icon to dialog");
            return false;
        }
    }
    std::vector<ButtonSpec> buttons = ButtonsOf(m_nStyle);
    if (buttons.empty()) {
        PVLog(L"Error: Invalid MFC button ID specified");
        return false;
    }
    if (m_nStyle & MB_HELP)
        buttons.push_back({kHelpButtonId, kHelpLabel});
    size_t defaultButton = ((m_nStyle >> 8) & 0xF) + 1;
    if (defaultButton > buttons.size())
        defaultButton = 1;
    RECT rect = firstButton;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (!CreateButton(buttons[i].id, buttons[i].label, &server, i > 0, &rect, i + 1 == defaultButton)) {
            PVLog(L"Error: Adding button to the dialog");
            return false;
        }
    }
    return true;
}

bool CPVMsgBoxDlgTemplate::CreateButton(WORD buttonId, LONG labelIndex, CStringServerWrapper* server,
                                        bool advance, RECT* rect, bool isDefault) {
    if (buttonId < 1 || buttonId > 9) {
        PVLog(L"Error: Invalid MFC button ID");
        return false;
    }
    if (labelIndex < 1 || labelIndex > 9) {
        PVLog(L"Error: Invalid string server ID for button text");
        return false;
    }
    if (!server) {
        PVLog(L"Error: Invalid pointer to string server");
        return false;
    }
    const CString label = server->GetString(labelIndex);
    if (label.IsEmpty()) {
        PVLog(L"Error: No text for button returned from string server");
        return false;
    }
    if (advance) {
        rect->left += kButtonAdvance;
        rect->right += kButtonAdvance;
    }
    try {
        m_items.push_back(std::make_unique<CPVMsgBoxDlgItemButton>(*rect, buttonId, label, isDefault));
    } catch (const std::bad_alloc&) {
        PVLog(L"Error: Creating button for dialog");
        return false;
    }
    return true;
}

UINT CPVMsgBoxDlgTemplate::GetDialogArraySize() const {
    UINT size = 24 + 2 * static_cast<UINT>(CTextCodec::ToUtf16(m_strCaption.GetString()).size());
    for (const auto& item : m_items) {
        if (!item)
            continue;
        size = AlignTo(size, 4) + 18 + AlignTo(item->GetWindowClassArraySize(), 2) +
               AlignTo(item->GetTitleArraySize(), 2) + item->GetCreationDataArraySize();
    }
    return size;
}

UINT CPVMsgBoxDlgTemplate::GetDialogArray(PVByteArray* array) const {
    const UINT size = GetDialogArraySize();
    PVByteArray buffer(new (std::nothrow) BYTE[size]());
    if (!buffer) {
        PVLog(L"Error: Allocating buffer required for dialog template");
        return 0;
    }
    CTemplateWriter writer(buffer.get(), size);
    writer.Value<DWORD>(kDialogStyle | ((m_nStyle & MB_SYSTEMMODAL) ? DS_SYSMODAL : 0));
    writer.Value<DWORD>(0);
    writer.Value<WORD>(static_cast<WORD>(m_items.size()));
    writer.Value<SHORT>(0);
    writer.Value<SHORT>(0);
    writer.Value<SHORT>(DluX(m_rectDlg.right - m_rectDlg.left));
    writer.Value<SHORT>(DluY(m_rectDlg.bottom - m_rectDlg.top));
    writer.Value<WORD>(0); // no menu
    writer.Value<WORD>(0); // the dialog class
    std::u16string caption = CTextCodec::ToUtf16(m_strCaption.GetString());
    caption.push_back(u'\0');
    writer.Put(caption.data(), static_cast<UINT>(caption.size() * sizeof(char16_t)));
    for (const auto& item : m_items) {
        if (!item) {
            PVLog(L"Error: Invalid pointer to CPVMsgBoxDlgItem");
            return 0;
        }
        PutItem(writer, *item);
    }
    if (writer.Position() != size) {
        PVLog(L"ERROR: Invalid dialog template size");
        return 0;
    }
    *array = std::move(buffer);
    return size;
}

INT_PTR CPVMsgBoxDlgTemplate::DoModal() {
    if ((m_nStyle & (MB_SYSTEMMODAL | MB_ICONHAND)) == (MB_SYSTEMMODAL | MB_ICONHAND))
        return MessageBoxW(m_hWndOwner, m_strText, m_strCaption, m_nStyle);

    PVByteArray bytes;
    const UINT size = BuildTemplate(&bytes);
    if (size == 0)
        return kNotShown;
    // The block is the usual 2048 bytes, larger only for a text that needs more.
    const SIZE_T blockSize = std::max<SIZE_T>(kTemplateBlockSize, size);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    if (!block) {
        PVLog(L"Error: Allocating global memory for dialog");
        return kNotShown;
    }
    void* locked = GlobalLock(block);
    if (!locked) {
        PVLog(L"Error: Failure to lock global memory used by dialog");
        GlobalFree(block);
        return kNotShown;
    }
    if (size != GetDialogArraySize()) {
        PVLog(L"Error: Buffer size does not equal required dialog memory size");
        GlobalUnlock(block);
        GlobalFree(block);
        return kNotShown;
    }
    std::memcpy(locked, bytes.get(), size);

    INT_PTR result = kNotShown;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (!instance) {
        PVLog(L"Error obtaining the instance handle for the application");
    } else {
        CPVMsgBoxDlgTemplate* outer = s_pRunning;
        s_pRunning = this;
        result = DialogBoxIndirectParamW(instance, locked, m_hWndOwner, &MsgBoxDlgProc, 0);
        s_pRunning = outer;
    }
    GlobalUnlock(block);
    GlobalFree(block);
    return result;
}

BOOL CPVMsgBoxDlgTemplate::OnInitDialog(HWND dialog, WPARAM, LPARAM) {
    bool hasCancel = false;
    HWND defaultButton = nullptr;
    for (const auto& item : m_items) {
        HWND window = GetDlgItem(dialog, item->GetId());
        if (!window) {
            PVLog(L"Error: Invalid hWnd for control on the dialog");
            continue;
        }
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        hasCancel = hasCancel || item->GetId() == IDCANCEL;
        if (item->GetStyle() & BS_DEFPUSHBUTTON)
            defaultButton = window;
    }
    if (defaultButton)
        SetFocus(defaultButton);
    // Without a Cancel button the box can only be answered by its buttons.
    if (!hasCancel)
        EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return FALSE;
}

void CPVMsgBoxDlgTemplate::OnDestroy(HWND, WPARAM, LPARAM) {}

void CPVMsgBoxDlgTemplate::OnHelp() {
    if (m_nHelpId == 0)
        return;
    CString helpFile = m_strHelpFile;
    if (helpFile.IsEmpty()) {
        if (CWinApp* app = AfxGetApp(); app && app->m_pszHelpFilePath)
            helpFile = app->m_pszHelpFilePath;
    }
    if (helpFile.GetLength() >= 4 && helpFile.Right(4).CompareNoCase(L".HLP") == 0)
        helpFile = helpFile.Left(helpFile.GetLength() - 3) + L"chm";
    if (HtmlHelpW(m_hWndOwner, helpFile, HH_HELP_CONTEXT, m_nHelpId))
        return;
    CString message;
    message.Format(
        L"Error: Failed to display help - HtmlHelp: HelpFile = %s, HH_HELP_CONTEXT: = $%x, HelpID: = %u.",
        helpFile.GetString(), HH_HELP_CONTEXT, m_nHelpId);
    PVLog(message);
    CPromptInfo prompt;
    if (SUCCEEDED(GetFrameworkPrompt(kHelpFailedPrompt, &prompt)))
        AfxMessageBox(prompt.m_strText, MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CALLBACK CPVMsgBoxDlgTemplate::MsgBoxDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_INITDIALOG && msg != WM_DESTROY && msg != WM_COMMAND && msg != WM_HELP)
        return FALSE;
    CPVMsgBoxDlgTemplate* running = s_pRunning;
    if (!running) {
        PVLog(L"Error: Static This pointer is NULL");
        return FALSE;
    }
    switch (msg) {
    case WM_INITDIALOG:
        return running->OnInitDialog(dialog, wParam, lParam);
    case WM_DESTROY:
        running->OnDestroy(dialog, wParam, lParam);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kHelpButtonId)
            running->OnHelp();
        else
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default: // WM_HELP
        running->OnHelp();
        return TRUE;
    }
}
