#include "host/PropertiesDialog.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/base/HResult.h"
#include "platform/base/TextCodec.h"
#include "platform/com/ClassTable.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/BstrT.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"

namespace {

constexpr wchar_t kDialogClass[] = L"PVHostPropertiesDialog";
constexpr wchar_t kPageAreaClass[] = L"PVHostPageArea";
constexpr int kMargin = 7;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;

void RegisterClasses() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW dialog{};
    dialog.lpfnWndProc = &CPropertiesDialog::WindowProc;
    dialog.lpszClassName = kDialogClass;
    RegisterClassW(&dialog);
    // The page area only holds the pages' windows; what they send it is not the host's.
    WNDCLASSW area{};
    area.lpfnWndProc = &DefWindowProcW;
    area.lpszClassName = kPageAreaClass;
    RegisterClassW(&area);
    registered = true;
}

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::wstring XmlEscaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'&':
            out += L"&amp;";
            break;
        case L'<':
            out += L"&lt;";
            break;
        case L'>':
            out += L"&gt;";
            break;
        case L'"':
            out += L"&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

HWND MakeButton(HWND parent, int id, const wchar_t* text, DWORD style) {
    return CreateWindowExW(0, WC_BUTTONW, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0,
                           kButtonWidth, kButtonHeight, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

} // namespace

CPropertiesDialog::CPropertiesDialog(std::shared_ptr<CHostContext> context)
    : m_context(std::move(context)), m_parent(MakeHostObject<CHostParent>(m_context)) {
    m_parent->SetDirtyListener([this] { UpdateButtons(); });
    m_parent->SetErrorListener(
        [this](const CShownError& error) { Report("showed the error: " + CTextCodec::ToUtf8(error.text)); });
}

CPropertiesDialog::~CPropertiesDialog() {
    if (IsOpen())
        Cancel();
    m_parent->SetDirtyListener(nullptr);
    m_parent->SetErrorListener(nullptr);
}

HWND CPropertiesDialog::Item(int id) const {
    return m_hwnd ? GetDlgItem(m_hwnd, id) : nullptr;
}

HWND CPropertiesDialog::PageWindow(size_t index) const {
    return index < m_pages.size() && IsWindow(m_pages[index].window) ? m_pages[index].window : nullptr;
}

HRESULT CPropertiesDialog::Open(std::vector<CPropertyPageInfo> pages, const std::wstring& caption) {
    if (IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is open already");
    RegisterClasses();
    m_pages.clear();
    for (CPropertyPageInfo& info : pages) {
        m_pages.emplace_back();
        m_pages.back().info = std::move(info);
    }
    m_result = 0;
    m_current = -1;
    m_hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, kDialogClass, caption.c_str(),
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 100, 100, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
    if (!m_hwnd)
        return Fail(E_FAIL, "the properties window cannot be made");
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                            0, 100, 100, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabId)),
                            nullptr, nullptr);
    m_pageArea = CreateWindowExW(
        WS_EX_CONTROLPARENT, kPageAreaClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, m_areaSize.cx, m_areaSize.cy,
        m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPageAreaId)), nullptr, nullptr);
    MakeButton(m_hwnd, IDOK, L"OK", BS_DEFPUSHBUTTON);
    MakeButton(m_hwnd, IDCANCEL, L"Cancel", BS_PUSHBUTTON);
    MakeButton(m_hwnd, kApplyId, L"Apply", BS_PUSHBUTTON);
    MakeButton(m_hwnd, kHelpId, L"Help", BS_PUSHBUTTON);
    MakeButton(m_hwnd, kRefreshId, L"Refresh", BS_PUSHBUTTON);
    MakeButton(m_hwnd, kOnlineId, L"", BS_PUSHBUTTON);
    for (size_t i = 0; i < m_pages.size(); ++i) {
        std::wstring text = m_pages[i].info.title.empty() ? m_pages[i].info.className : m_pages[i].info.title;
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(m_tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    Layout();
    ShowWindow(m_hwnd, SW_SHOW);
    Report("opened the properties with " + std::to_string(m_pages.size()) + " pages");
    if (!m_pages.empty())
        ShowPage(0);
    m_parent->ClearProfileDirty();
    UpdateButtons();
    return S_OK;
}

std::string CPropertiesDialog::PageName(const CPageSite& site) const {
    const std::wstring& name = site.info.title.empty() ? site.info.className : site.info.title;
    return "'" + CTextCodec::ToUtf8(name) + "'";
}

std::wstring CPropertiesDialog::ExtendedInfoXml(const CPageSite& site) const {
    const std::wstring lcid = std::to_wstring(m_context->Project().Controller().locale);
    const std::wstring title = XmlEscaped(site.info.title);
    std::wstring xml = L"<ExtendedInfo xmlns:pv=\"xsdPV\">";
    if (!title.empty()) {
        xml += L"<pv:PVPanelTitle><pv:Text LCID=\"" + lcid + L"\">" + title + L"</pv:Text></pv:PVPanelTitle>";
        xml +=
            L"<pv:PVBannerTitle><pv:Text LCID=\"" + lcid + L"\">" + title + L"</pv:Text></pv:PVBannerTitle>";
    }
    xml += L"<pv:PVPanelState Expand=\"true\"/></ExtendedInfo>";
    return xml;
}

HRESULT CPropertiesDialog::CreatePage(CPageSite& site) {
    const std::string name = PageName(site);
    CComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(site.info.clsid, CLSCTX_INPROC_SERVER, nullptr, IClassFactory::Iid,
                                  reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return Fail(hr, "page " + name + ": its class cannot be had (" + Hex(hr) + ")");
    CComPtr<IPVChild> child;
    hr = factory->CreateInstance(nullptr, IPVChild::Iid, reinterpret_cast<void**>(&child));
    if (FAILED(hr) || !child)
        return Fail(FAILED(hr) ? hr : E_NOINTERFACE,
                    "page " + name + ": CreateInstance failed (" + Hex(hr) + ")");
    CComPtr<IPVPanel3> panel;
    hr = child.QueryInterface(&panel);
    if (FAILED(hr))
        return Fail(hr, "page " + name + ": it is no panel (" + Hex(hr) + ")");
    hr = child->Init(m_parent);
    if (FAILED(hr))
        return Fail(hr, "page " + name + ": Init failed (" + Hex(hr) + ")");
    // A page without the host's language keeps its own; that is no reason to refuse it.
    hr = child->SetLocale(m_context->Project().Controller().locale);
    if (FAILED(hr))
        Report("page " + name + ": SetLocale failed (" + Hex(hr) + "), the page keeps its language");
    CComPtr<IPVExtendedInfoXml> info;
    if (SUCCEEDED(child.QueryInterface(&info))) {
        hr = info->SetExtendedInfo(_bstr_t(ExtendedInfoXml(site).c_str()).GetBSTR());
        if (FAILED(hr))
            Report("page " + name + ": SetExtendedInfo failed (" + Hex(hr) + ")");
    }
    SIZE size{};
    hr = panel->GetSize(&size);
    if (FAILED(hr))
        return Fail(hr, "page " + name + ": GetSize failed (" + Hex(hr) + ")");
    HWND before = GetWindow(m_pageArea, GW_CHILD);
    std::vector<HWND> existing;
    for (HWND w = before; w; w = GetWindow(w, GW_HWNDNEXT))
        existing.push_back(w);
    hr = panel->Create(m_pageArea);
    if (FAILED(hr)) {
        panel->Destroy();
        return Fail(hr, "page " + name + ": Create failed (" + Hex(hr) + ")");
    }
    for (HWND w = GetWindow(m_pageArea, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (std::find(existing.begin(), existing.end(), w) == existing.end())
            site.window = w;
    site.child = child;
    site.panel = panel;
    site.size = size;
    _bstr_t title;
    if (SUCCEEDED(panel->GetPanelTitle(title.GetAddress())) && title.length() > 0) {
        site.info.title.assign(title.GetBSTR(), title.length());
        const size_t index = static_cast<size_t>(&site - m_pages.data());
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = site.info.title.data();
        SendMessageW(m_tab, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    Report("created page " + PageName(site) + " (" + std::to_string(size.cx) + " x " +
           std::to_string(size.cy) + ")");
    if (size.cx > m_areaSize.cx || size.cy > m_areaSize.cy) {
        m_areaSize.cx = std::max(m_areaSize.cx, size.cx);
        m_areaSize.cy = std::max(m_areaSize.cy, size.cy);
        Layout();
    }
    return S_OK;
}

HRESULT CPropertiesDialog::ShowPage(int index) {
    CPageSite& site = m_pages[static_cast<size_t>(index)];
    m_current = index;
    SendMessageW(m_tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (!site.panel) {
        site.failure = CreatePage(site);
        if (FAILED(site.failure))
            return site.failure;
    }
    HRESULT hr = site.panel->Show(SW_SHOW);
    RECT area{};
    GetClientRect(m_pageArea, &area);
    if (SUCCEEDED(hr))
        hr = site.panel->Move(&area);
    if (SUCCEEDED(hr))
        hr = site.child->OnActivate();
    if (FAILED(hr))
        return Fail(hr, "page " + PageName(site) + " could not be shown (" + Hex(hr) + ")");
    m_lastError.clear();
    return S_OK;
}

HRESULT CPropertiesDialog::LeaveCurrent(bool hide) {
    if (m_current < 0)
        return S_OK;
    CPageSite& site = m_pages[static_cast<size_t>(m_current)];
    if (!site.panel)
        return S_OK;
    m_context->TakeRefusal();
    const HRESULT hr = site.child->OnDeactivate();
    if (FAILED(hr)) {
        OfferRefusal(site, hr);
        return Fail(hr, "page " + PageName(site) + " refused to be left (" + Hex(hr) + ")");
    }
    if (hide)
        site.panel->Show(SW_HIDE);
    return S_OK;
}

void CPropertiesDialog::OfferRefusal(CPageSite& site, HRESULT failure) {
    const CHostRefusal refusal = m_context->TakeRefusal();
    if (refusal.code != failure || !refusal.error)
        return;
    BSTR member = SysAllocStringLen(refusal.member.c_str(), static_cast<UINT>(refusal.member.size()));
    IErrorInfo* error = refusal.error;
    const HRESULT taken = site.child->ValidationErrorHandler(failure, member, &error);
    SysFreeString(member);
    if (SUCCEEDED(taken))
        return;
    BSTR description = nullptr;
    BSTR helpFile = nullptr;
    DWORD helpContext = 0;
    refusal.error->GetDescription(&description);
    refusal.error->GetHelpFile(&helpFile);
    refusal.error->GetHelpContext(&helpContext);
    m_parent->ShowError(description, helpFile, helpContext);
    SysFreeString(description);
    SysFreeString(helpFile);
}

HRESULT CPropertiesDialog::SelectPage(int index) {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    if (index < 0 || static_cast<size_t>(index) >= m_pages.size())
        return Fail(E_INVALIDARG, "there is no page " + std::to_string(index + 1));
    if (index == m_current)
        return S_OK;
    if (HRESULT hr = LeaveCurrent(); FAILED(hr)) {
        SendMessageW(m_tab, TCM_SETCURSEL, static_cast<WPARAM>(m_current), 0);
        return hr;
    }
    return ShowPage(index);
}

HRESULT CPropertiesDialog::Apply() {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    for (CPageSite& site : m_pages) {
        if (!site.child)
            continue;
        m_context->TakeRefusal();
        if (const HRESULT hr = site.child->Save(); FAILED(hr)) {
            OfferRefusal(site, hr);
            return Fail(hr,
                        "page " + PageName(site) + " could not save (" + Hex(hr) + "); nothing was applied");
        }
    }
    for (CPageSite& site : m_pages)
        if (site.child)
            site.child->ClearDirty();
    CHostProject& project = m_context->Project();
    const size_t changed = project.HasConfigTag() ? project.ConfigTag().DirtyCount() : 0;
    project.Commit();
    m_parent->ClearProfileDirty();
    UpdateButtons();
    if (!m_savePath.empty()) {
        std::string error;
        if (!project.SaveFile(m_savePath, &error))
            return Fail(E_FAIL, error);
        Report("applied " + std::to_string(changed) + " changed members; the project is written to " +
               m_savePath);
    } else {
        Report("applied " + std::to_string(changed) + " changed members");
    }
    m_lastError.clear();
    return S_OK;
}

HRESULT CPropertiesDialog::Ok() {
    if (HRESULT hr = Apply(); FAILED(hr))
        return hr;
    // The page is left but not hidden: the dialog goes away with it.
    if (HRESULT hr = LeaveCurrent(false); FAILED(hr))
        return hr;
    Close(IDOK);
    return S_OK;
}

HRESULT CPropertiesDialog::Cancel() {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    Close(IDCANCEL);
    m_context->Project().Revert();
    Report("cancelled; the project keeps its stored values");
    return S_OK;
}

void CPropertiesDialog::Close(int result) {
    for (CPageSite& site : m_pages) {
        if (site.panel)
            site.panel->Destroy();
        site.window = nullptr;
        site.panel = nullptr;
        site.child = nullptr;
    }
    m_current = -1;
    m_result = result;
    HWND hwnd = std::exchange(m_hwnd, nullptr);
    m_tab = m_pageArea = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
    Report(result == IDOK ? "closed with OK" : "closed with Cancel");
}

HRESULT CPropertiesDialog::Refresh() {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    for (CPageSite& site : m_pages) {
        if (!site.child)
            continue;
        if (const HRESULT hr = site.child->Refresh(); FAILED(hr))
            return Fail(hr, "page " + PageName(site) + " could not refresh (" + Hex(hr) + ")");
    }
    Report("refreshed the pages");
    m_lastError.clear();
    return S_OK;
}

HRESULT CPropertiesDialog::SetOnline(bool online) {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    CControllerState& controller = m_context->Project().Controller();
    controller.mode = online ? kOnlineMode : CControllerState::kOfflineMode;
    const HRESULT result = TellPages("the controller's new mode", [&](IPVEventHandler2* events) {
        return events->LogixStateChanged(controller.mode);
    });
    UpdateButtons();
    Report(online ? "went online (controller mode " + std::to_string(kOnlineMode) + ")" : "went offline");
    if (SUCCEEDED(result))
        m_lastError.clear();
    return result;
}

HRESULT CPropertiesDialog::Revert() {
    if (!IsOpen())
        return Fail(E_UNEXPECTED, "the properties dialog is not open");
    m_context->Project().Revert();
    m_parent->ClearProfileDirty();
    const HRESULT result =
        TellPages("the reverted project", [](IPVEventHandler2* events) { return events->Reverted(); });
    UpdateButtons();
    Report("reverted the project to its stored values");
    if (SUCCEEDED(result))
        m_lastError.clear();
    return result;
}

HRESULT CPropertiesDialog::TellPages(const std::string& what,
                                     const std::function<HRESULT(IPVEventHandler2*)>& event) {
    HRESULT result = S_OK;
    for (CPageSite& site : m_pages) {
        CComPtr<IPVEventHandler2> events;
        if (!site.child || FAILED(site.child.QueryInterface(&events)))
            continue;
        if (const HRESULT hr = event(events); FAILED(hr) && SUCCEEDED(result))
            result = Fail(hr, "page " + PageName(site) + " failed on " + what + " (" + Hex(hr) + ")");
    }
    return result;
}

HRESULT CPropertiesDialog::Help() {
    if (m_current < 0 || !m_pages[static_cast<size_t>(m_current)].child)
        return Fail(E_UNEXPECTED, "no page is shown, so there is no help to show");
    CPageSite& site = m_pages[static_cast<size_t>(m_current)];
    CComPtr<IPVProvideHelp> help;
    if (FAILED(site.child.QueryInterface(&help)))
        return Fail(E_NOINTERFACE, "page " + PageName(site) + " offers no help");
    if (const HRESULT hr = help->ShowHelp(); FAILED(hr))
        return Fail(hr, "page " + PageName(site) + " could not show its help (" + Hex(hr) + ")");
    Report("showed the help of page " + PageName(site));
    m_lastError.clear();
    return S_OK;
}

void CPropertiesDialog::Layout() {
    if (!m_hwnd)
        return;
    // The tab strip surrounds the page area; the buttons run below it.
    RECT display{kMargin + 2, kMargin, kMargin + 2 + m_areaSize.cx, kMargin + m_areaSize.cy};
    RECT tab = display;
    SendMessageW(m_tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&tab));
    const LONG shift = kMargin - std::min<LONG>(tab.left, tab.top);
    for (RECT* rect : {&tab, &display}) {
        rect->left += shift;
        rect->right += shift;
        rect->top += shift;
        rect->bottom += shift;
    }
    MoveWindow(m_tab, tab.left, tab.top, tab.right - tab.left, tab.bottom - tab.top, TRUE);
    MoveWindow(m_pageArea, display.left, display.top, m_areaSize.cx, m_areaSize.cy, TRUE);
    const int clientWidth =
        std::max<int>(tab.right + kMargin, 6 * kButtonWidth + 5 * kButtonGap + 3 * kMargin);
    const int buttonTop = tab.bottom + kMargin;
    const int right[] = {IDOK, IDCANCEL, kApplyId, kHelpId};
    int x = clientWidth - kMargin - 4 * kButtonWidth - 3 * kButtonGap;
    for (int id : right) {
        MoveWindow(GetDlgItem(m_hwnd, id), x, buttonTop, kButtonWidth, kButtonHeight, TRUE);
        x += kButtonWidth + kButtonGap;
    }
    MoveWindow(GetDlgItem(m_hwnd, kRefreshId), kMargin, buttonTop, kButtonWidth, kButtonHeight, TRUE);
    MoveWindow(GetDlgItem(m_hwnd, kOnlineId), kMargin + kButtonWidth + kButtonGap, buttonTop, kButtonWidth,
               kButtonHeight, TRUE);
    // The frame is one pixel wide on each side.
    RECT window{};
    GetWindowRect(m_hwnd, &window);
    MoveWindow(m_hwnd, window.left, window.top, clientWidth + 2, buttonTop + kButtonHeight + kMargin + 2,
               TRUE);
}

void CPropertiesDialog::UpdateButtons() {
    if (!m_hwnd)
        return;
    EnableWindow(GetDlgItem(m_hwnd, kApplyId), m_parent->ProfileDirty() ? TRUE : FALSE);
    const bool online = CControllerState::IsOnlineMode(m_context->Project().Controller().mode);
    SetWindowTextW(GetDlgItem(m_hwnd, kOnlineId), online ? L"Go Offline" : L"Go Online");
    const bool page = m_current >= 0 && m_pages[static_cast<size_t>(m_current)].child;
    EnableWindow(GetDlgItem(m_hwnd, kHelpId), page ? TRUE : FALSE);
}

HRESULT CPropertiesDialog::Fail(HRESULT hr, const std::string& message) {
    m_lastError = message;
    Report(message);
    return hr;
}

void CPropertiesDialog::Report(const std::string& line) {
    if (m_reporter)
        m_reporter(line);
}

void CPropertiesDialog::OnCommand(int id) {
    switch (id) {
    case IDOK:
        Ok();
        break;
    case IDCANCEL:
        Cancel();
        break;
    case kApplyId:
        Apply();
        break;
    case kHelpId:
        Help();
        break;
    case kRefreshId:
        Refresh();
        break;
    case kOnlineId:
        SetOnline(!CControllerState::IsOnlineMode(m_context->Project().Controller().mode));
        break;
    default:
        break;
    }
}

LRESULT CPropertiesDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (!header || header->hwndFrom != m_tab)
            return 0;
        // A refusal of the page being left keeps its tab selected.
        if (header->code == TCN_SELCHANGING)
            return FAILED(LeaveCurrent()) ? TRUE : FALSE;
        if (header->code == TCN_SELCHANGE) {
            const int index = static_cast<int>(SendMessageW(m_tab, TCM_GETCURSEL, 0, 0));
            if (index >= 0)
                ShowPage(index);
            UpdateButtons();
        }
        return 0;
    }
    case WM_CLOSE:
        Cancel();
        return 0;
    default:
        return DefWindowProcW(m_hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CPropertiesDialog::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* dialog = reinterpret_cast<CPropertiesDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!dialog || dialog->m_hwnd != hwnd)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    return dialog->Handle(msg, wParam, lParam);
}
