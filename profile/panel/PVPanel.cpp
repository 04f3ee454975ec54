#include "profile/panel/PVPanel.h"

#include <cwchar>
#include <string>

#include "platform/base/Guid.h"
#include "platform/com/ClassTable.h"
#include "platform/com/ComError.h"
#include "platform/htmlhelp/HtmlHelp.h"
#include "platform/kernel/Module.h"
#include "platform/kernel/Resource.h"
#include "platform/mfc/ModuleState.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/VariantT.h"
#include "platform/registry/Registry.h"
#include "platform/user/DialogApi.h"
#include "platform/user/WinUser.h"
#include "profile/interfaces/FileFinder.h"
#include "profile/panel/DOMUtility.h"
#include "profile/panel/PanelDialogSize.h"
#include "profile/server/AopWinApp.h"
#include "profile/server/FilePath.h"
#include "profile/server/PVComponentsGlobals.h"
#include "profile/server/PVLog.h"
#include "profile/server/ResourceDllManager.h"

namespace {

constexpr LCID kEnglishUnitedStates = 1033;
constexpr UINT WM_COMMANDHELP = 0x0365;
// The framework's "failed to launch help" prompt.
constexpr UINT kFailedToLaunchHelpPrompt = 0xF107;

constexpr DWORD kPanelStylesRemoved = 0x00CC0080; // WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME
constexpr DWORD kPanelStylesAdded = 0x40000400;   // WS_CHILD | DS_CONTROL
constexpr DWORD kPanelExStylesRemoved = 0x101;    // WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE
constexpr DWORD kPanelExStylesAdded = 0x10000;    // WS_EX_CONTROLPARENT

constexpr wchar_t kSelectionNamespaces[] = L"xmlns:pv='xsdPV'";
// The sub-items document the fragment of the module's sub-item source goes into.
constexpr wchar_t kSubItemsHeader[] =
    L"<ProfileViewDirectory xmlns=\"xsdPV\" xsi:schemaLocation=\"xsdPV PV.xsd\" "
    L"xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n</ProfileViewDirectory>";
constexpr wchar_t kSubItemsEndTag[] = L"</ProfileViewDirectory>";

HRESULT CreateDocument(CComPtr<IXMLDOMDocument2>& document) {
    return CoCreateInstance(CLSID_DOMDocument60, nullptr, CLSCTX_SERVER, IXMLDOMDocument2::Iid,
                            reinterpret_cast<void**>(&document));
}

HRESULT SetSelectionNamespaces(IXMLDOMDocument2* document) {
    _variant_t value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(kSelectionNamespaces);
    return document->setProperty(_bstr_t(L"SelectionNamespaces").GetBSTR(), value);
}

CComPtr<IXMLDOMNode> SelectSingle(IXMLDOMNode* from, const std::wstring& query) {
    CComPtr<IXMLDOMNode> node;
    if (FAILED(from->selectSingleNode(_bstr_t(query.c_str()).GetBSTR(), &node)))
        return nullptr;
    return node;
}

// The node's text, or nothing when it has none to give.
bool NodeText(IXMLDOMNode* node, CString& text) {
    _bstr_t value;
    if (FAILED(node->get_text(value.GetAddress())))
        return false;
    text = value.GetBSTR() ? CString(value, static_cast<int>(value.length())) : CString();
    return true;
}

bool ParsesAsLong(const CString& text, HRESULT* status) {
    _variant_t source;
    source.vt = VT_BSTR;
    source.bstrVal = text.AllocSysString();
    _variant_t number;
    *status = VariantChangeType(&number, &source, 0, VT_I4);
    return SUCCEEDED(*status);
}

using HtmlHelpProc = HWND (*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// The help control's HtmlHelpW: from the library its class registration names, or
// from "hhctrl.ocx" when the registration is missing. Looked up once.
HtmlHelpProc HtmlHelpFunction() {
    static HtmlHelpProc proc = nullptr;
    if (proc)
        return proc;
    HMODULE library = nullptr;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        wchar_t path[MAX_PATH + 1] = {};
        DWORD size = sizeof(path) - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ)
            library = LoadLibraryW(path);
        RegCloseKey(key);
    }
    if (!library)
        library = LoadLibraryW(L"hhctrl.ocx");
    if (library)
        proc = reinterpret_cast<HtmlHelpProc>(GetProcAddress(library, "HtmlHelpW"));
    return proc;
}

} // namespace

CPVPanel::CPVPanel(UINT dialogTemplateId) : CDialog(dialogTemplateId), m_nIDTemplate(dialogTemplateId) {}

CPVPanel::~CPVPanel() {
    m_spSubItemSource.Release();
    m_spSubItemHost.Release();
    // Destroyed while the panel is whole, so that its handlers still reach it.
    if (HasWindow())
        DestroyWindow();
}

// IPVChild -------------------------------------------------------------------

HRESULT CPVPanel::Init(IPVParent* parent) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!parent) {
        PVLog(L"Bad parent interface pointer.");
        return E_INVALIDARG;
    }
    m_pParent = parent;
    return S_OK;
}

HRESULT CPVPanel::Save() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::Refresh() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ClearDirty() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ValidationErrorHandler(LONG, BSTR, IErrorInfo**) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return E_FAIL;
}

HRESULT CPVPanel::ReservedA() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::PostModDefChange() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_FALSE;
}

HRESULT CPVPanel::SetLocale(LCID lcid) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CAopWinApp* app = dynamic_cast<CAopWinApp*>(AfxGetApp());
    if (!app) {
        PVLog(L"Bad application pointer.");
        return E_UNEXPECTED;
    }
    if (lcid == CResourceDllManager::GetInstance()->GetLocale())
        return S_OK;
    if (!app->CanLoadLocale(lcid) || !app->LoadLocale(lcid))
        return E_FAIL;
    return S_OK;
}

HRESULT CPVPanel::PreInitialActivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::OnActivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (m_pFocusCtrl && IsWindow(m_hFocusCtrl))
        ::SetFocus(m_hFocusCtrl);
    return S_OK;
}

HRESULT CPVPanel::OnDeactivate() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ReservedB(LONG) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::TakeFocus() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (HasWindow())
        ::SetFocus(m_hWnd);
    return S_OK;
}

// IPVPanel3 ------------------------------------------------------------------

bool CPVPanel::HasWindow() const {
    return m_hWnd && IsWindow(m_hWnd);
}

HRESULT CPVPanel::Create(HWND parent) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // The host's window is wrapped for the call only; a window the framework already
    // has an object for is used as it is.
    CWnd wrapper;
    const bool wrapped = parent && wrapper.Attach(parent);
    CWnd* parentWnd = wrapped ? &wrapper : CWnd::FromHandle(parent);
    // The template comes from the resource library the module state makes current.
    const BOOL created = CDialog::Create(m_nIDTemplate, parentWnd);
    m_pParentWnd = nullptr;
    if (wrapped)
        wrapper.Detach();
    if (!created || !HasWindow()) {
        PVLog(L"Failed to create panel.");
        return E_FAIL;
    }
    return S_OK;
}

BOOL CPVPanel::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_PV_SUBITEMCHANGED) {
        *result = OnWMSubItemChanged(wParam, lParam);
        return TRUE;
    }
    return CDialog::OnWndMsg(msg, wParam, lParam, result);
}

void CPVPanel::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

BOOL CPVPanel::OnInitDialog() {
    SetWindowLongW(
        m_hWnd, GWL_STYLE,
        static_cast<LONG>((static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)) & ~kPanelStylesRemoved) |
                          kPanelStylesAdded));
    SetWindowLongW(
        m_hWnd, GWL_EXSTYLE,
        static_cast<LONG>((static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)) & ~kPanelExStylesRemoved) |
                          kPanelExStylesAdded));
    const BOOL result = CDialog::OnInitDialog();
    // The derived page's version: it hands the first activation to the controls.
    static_cast<IPVChild*>(this)->PreInitialActivate();

    CComPtr<IPVParent> parent;
    try {
        parent = GetIPVParent();
    } catch (const _com_error&) {
        parent = nullptr;
    }
    if (parent)
        parent.QueryInterface(&m_spSubItemHost);
    else
        m_spSubItemHost.Release();
    if (!parent)
        return FALSE;

    CComPtr<IModule> module;
    if (FAILED(parent->GetModule(&module)) || !module) {
        PVLog(L"Failed to retrieve IModule");
        return FALSE;
    }
    module.QueryInterface(&m_spSubItemSource);

    if (SubItemsActive() &&
        FAILED(m_spSubItemSource->AdviseSubItems(static_cast<IDynamicSubItemEvents*>(this)))) {
        PVLog(L"Failed to register the sub items change events");
        return FALSE;
    }
    return result;
}

HRESULT CPVPanel::Destroy() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (SubItemsActive() &&
        FAILED(m_spSubItemSource->UnadviseSubItems(static_cast<IDynamicSubItemEvents*>(this))))
        return E_FAIL;
    if (!HasWindow())
        return S_FALSE;
    return DestroyWindow() ? S_OK : E_FAIL;
}

HRESULT CPVPanel::Show(INT nCmdShow) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!HasWindow())
        return E_UNEXPECTED;
    ::EnableWindow(m_hWnd, nCmdShow == SW_SHOW ? TRUE : FALSE);
    ::ShowWindow(m_hWnd, nCmdShow);
    return S_OK;
}

HRESULT CPVPanel::Move(const RECT* rect) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!HasWindow())
        return E_UNEXPECTED;
    if (!rect)
        return E_POINTER;
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

HRESULT CPVPanel::GetPanelTitle(BSTR* title) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return GetPanelTitleNoState(title);
}

HRESULT CPVPanel::GetPanelTitleNoState(BSTR* title) {
    if (!title)
        return E_POINTER;
    if (!HasWindow())
        return E_UNEXPECTED;
    if (!m_strPanelTitle.IsEmpty()) {
        *title = m_strPanelTitle.AllocSysString();
        return S_OK;
    }
    const int length = GetWindowTextLengthW(m_hWnd);
    CString text;
    GetWindowTextW(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    *title = text.AllocSysString();
    return S_OK;
}

HRESULT CPVPanel::GetSize(SIZE* size) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!size)
        return E_POINTER;
    return CPanelDialogSize::Compute(AfxGetResourceHandle(), m_nIDTemplate, size);
}

HRESULT CPVPanel::GetBannerTitle(BSTR* title) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!title)
        return E_POINTER;
    if (!m_strBannerTitle.IsEmpty()) {
        *title = m_strBannerTitle.AllocSysString();
        return S_OK;
    }
    return GetPanelTitleNoState(title);
}

HRESULT CPVPanel::GetPanelDefaultExpandedState(VARIANT_BOOL* expanded) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!expanded) {
        PVLog(L"pExpanded is null pointer");
        return E_POINTER;
    }
    *expanded = m_lDefaultExpandedState == 1 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// IPVProvideHelp -------------------------------------------------------------

HRESULT CPVPanel::ShowHelp() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (m_bCustomHelp)
        return CustomHelp();
    SendMessageW(m_hWnd, WM_COMMANDHELP, 0, 0);
    return S_OK;
}

HRESULT CPVPanel::CustomHelp() {
    CString helpFile;
    const bool fromExtendedInfo = m_bstrHelpFile.length() > 0;
    if (fromExtendedInfo) {
        helpFile = static_cast<const wchar_t*>(m_bstrHelpFile);
    } else if (CWinApp* app = AfxGetApp(); app && app->m_pszHelpFilePath) {
        helpFile = app->m_pszHelpFilePath;
    }
    const LONG helpId = m_helpId ? *m_helpId : static_cast<LONG>(m_nIDTemplate);

    if (fromExtendedInfo) {
        CComPtr<IModuleSpecificFileFind> finder;
        HRESULT hr = CoCreateInstance(CLSID_ModuleSpecificFileFind, nullptr, CLSCTX_SERVER,
                                      IModuleSpecificFileFind::Iid, reinterpret_cast<void**>(&finder));
        if (FAILED(hr)) {
            PVLog(L"Failed to create ModuleSpecificFileFind.");
            return hr;
        }
        _bstr_t resolved;
        hr = finder->ResolvePath(m_bstrHelpFile.GetBSTR(), resolved.GetAddress());
        if (FAILED(hr)) {
            PVLog(L"Failed to find resolved path.");
            return hr;
        }
        helpFile = resolved.GetBSTR() ? CString(resolved, static_cast<int>(resolved.length())) : CString();
    }

    if (helpFile.GetLength() >= 4 && helpFile.Right(4).CompareNoCase(L".HLP") == 0)
        helpFile = helpFile.Left(helpFile.GetLength() - 3) + L"chm";

    HtmlHelpProc htmlHelp = HtmlHelpFunction();
    const HWND viewer = htmlHelp ? htmlHelp(m_hWnd, helpFile, HH_HELP_CONTEXT,
                                            static_cast<DWORD_PTR>(static_cast<DWORD>(helpId)))
                                 : nullptr;
    if (!viewer) {
        CString message;
        message.Format(L"Error: Failed to display help - HtmlHelp: HelpFile = %s, HH_HELP_CONTEXT: = $%x, "
                       L"HelpID: = %d.",
                       helpFile.GetString(), helpId, helpId);
        PVLog(message);
        // The framework's prompt; its own text when the resource library has none.
        wchar_t text[512] = {};
        if (LoadStringW(AfxGetResourceHandle(), kFailedToLaunchHelpPrompt, text, 512) <= 0)
            wcscpy(text, L"Failed to launch help.");
        MessageBoxW(m_hWnd, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    return S_OK;
}

// IPVEventHandler2 -----------------------------------------------------------

HRESULT CPVPanel::LogixStateChanged(LONG) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ModuleStatusChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::Flush() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::DataChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ModuleDefinitionChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::Reverted() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::DirtyStateChanged() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return S_OK;
}

HRESULT CPVPanel::ModuleDeleted() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    PVLog(L"Unexpected module deleted event received by panel.");
    return S_OK;
}

// IPVDocumentation -----------------------------------------------------------

HRESULT CPVPanel::GetDocumentationDirtyState(VARIANT_BOOL* dirty) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!dirty)
        return E_POINTER;
    *dirty = VARIANT_FALSE;
    return S_OK;
}

// IPVExtendedInfoXml2 --------------------------------------------------------

HRESULT CPVPanel::SetExtendedInfo(BSTR xml) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CComPtr<IXMLDOMDocument2> document;
    HRESULT hr = CreateDocument(document);
    if (FAILED(hr)) {
        PVLog(L"Failed to create DOM");
        return hr;
    }
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (FAILED(document->loadXML(xml, &loaded)) || loaded != VARIANT_TRUE) {
        PVLog(L"Failed to create XML DOM for PV extended info xml");
        return hr;
    }
    SetSelectionNamespaces(document);

    const LCID lcid = CResourceDllManager::GetInstance()->GetLocale();
    const std::wstring locale = std::to_wstring(static_cast<unsigned long>(lcid));
    if (auto node = SelectSingle(document, L"ExtendedInfo/pv:PVPanelTitle/pv:Text[@LCID='" + locale + L"']"))
        NodeText(node, m_strPanelTitle);
    if (auto node = SelectSingle(document, L"ExtendedInfo/pv:PVBannerTitle/pv:Text[@LCID='" + locale + L"']"))
        NodeText(node, m_strBannerTitle);

    if (auto node = SelectSingle(document, L"ExtendedInfo/pv:PVPanelState")) {
        CComPtr<IXMLDOMElement> element;
        CString expand;
        if (SUCCEEDED(node.QueryInterface(&element)) &&
            DOMUtility::GetStringAttribute(element, L"Expand", expand))
            m_lDefaultExpandedState = (expand == L"True" || expand == L"true") ? 1 : 0;
    }

    ReadHelp(document, lcid);
    const HRESULT mapResult = ReadPageMap(document);
    return FAILED(mapResult) ? mapResult : hr;
}

void CPVPanel::ReadHelp(IXMLDOMDocument2* document, LCID lcid) {
    auto node = SelectSingle(document, L"ExtendedInfo/pv:Help");
    if (!node)
        return;
    CComPtr<IXMLDOMElement> element;
    if (SUCCEEDED(node.QueryInterface(&element))) {
        LONG helpId = 0;
        if (DOMUtility::GetLongAttribute(element, L"HelpID", helpId))
            m_helpId = helpId;
        CString helpFile;
        if (DOMUtility::GetStringAttribute(element, L"HelpFile", helpFile)) {
            CString path = GetHelpFilePath(helpFile, lcid);
            if (!CFilePath::Exists(path))
                path = GetHelpFilePath(helpFile, kEnglishUnitedStates);
            m_bstrHelpFile = CFilePath::Exists(path) ? _bstr_t(path.GetString()) : _bstr_t();
        }
    }
    m_bCustomHelp = true;
}

HRESULT CPVPanel::ReadPageMap(IXMLDOMDocument2* document) {
    CComPtr<IXMLDOMNodeList> items;
    if (FAILED(document->selectNodes(
            _bstr_t(L"ExtendedInfo/pv:PVPageIdToClsidMap/pv:PVPageIdToClsidMapItem").GetBSTR(), &items)) ||
        !items)
        return S_OK;
    LONG count = 0;
    items->get_length(&count);
    for (LONG i = 0; i < count; ++i) {
        CComPtr<IXMLDOMNode> node;
        const HRESULT hr = items->get_item(i, &node);
        if (FAILED(hr)) {
            PVLog(L"Failed to PageId to ClsId map node from DOM");
            return hr;
        }
        const HRESULT itemResult = ReadPageMapItem(node);
        if (FAILED(itemResult))
            return itemResult;
    }
    return S_OK;
}

HRESULT CPVPanel::ReadPageMapItem(IXMLDOMNode* node) {
    CComPtr<IXMLDOMElement> element;
    if (!node || FAILED(node->QueryInterface(IXMLDOMElement::Iid, reinterpret_cast<void**>(&element)))) {
        PVLog(L"pElement is invalid");
        return E_FAIL;
    }
    CString clsidText;
    if (!DOMUtility::GetStringAttribute(element, L"Clsid", clsidText)) {
        PVLog(L"Failed to get page CLSID\n.");
        return E_FAIL;
    }
    CLSID clsid{};
    if (const HRESULT hr = CLSIDFromString(clsidText.GetString(), &clsid); FAILED(hr)) {
        PVLog(L"Failed to get clsid from string");
        return hr;
    }
    CString pageId;
    if (!DOMUtility::GetStringAttribute(element, L"PageId", pageId)) {
        PVLog(L"Failed to get page Id\n.");
        return E_FAIL;
    }
    if (pageId != L"*") {
        HRESULT hr = S_OK;
        if (!ParsesAsLong(pageId, &hr)) {
            PVLog(L"Failed to convert pageId string to integer");
            return hr;
        }
    }
    m_pageMap[_bstr_t(pageId.GetString())] = _bstr_t(clsidText.GetString());
    return S_OK;
}

HRESULT CPVPanel::SetExtendedInfo2(BSTR xml, LONG) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return SetExtendedInfo(xml);
}

// IPVWndMsg ------------------------------------------------------------------

HRESULT CPVPanel::PreTranslateHostMessage(MSG* msg) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!msg || !HasWindow())
        return S_FALSE;
    return CWnd::WalkPreTranslateTree(m_hWnd, msg) ? S_OK : S_FALSE;
}

// Dynamic sub-items ----------------------------------------------------------

bool CPVPanel::SubItemsActive() const {
    return !m_pageMap.empty() && m_spSubItemHost && m_spSubItemSource;
}

HRESULT CPVPanel::OnSubItemsChanged(LONG) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    // Handled from the panel's own message loop, not inside the source's notification.
    PostMessageW(m_hWnd, WM_PV_SUBITEMCHANGED, 0, 0);
    return S_OK;
}

LRESULT CPVPanel::OnWMSubItemChanged(WPARAM, LPARAM) {
    if (SubItemsActive() && FAILED(m_spSubItemHost->RebuildSubItems(static_cast<IPVPanel3*>(this))))
        PVLog(L"Failed to rebuild dynamic sub items");
    return 0;
}

HRESULT CPVPanel::GetSubItemsXML(BSTR* xml) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!xml) {
        PVLog(L"pXml is null");
        return E_POINTER;
    }
    if (!SubItemsActive()) {
        *xml = nullptr;
        return S_OK;
    }
    HRESULT hr = m_spSubItemSource->GetSubItemsXml(xml);
    if (FAILED(hr)) {
        PVLog(L"Failed to get the sub items XML");
        return hr;
    }
    hr = AddPageClsidAndXMLHeader(xml);
    if (FAILED(hr)) {
        PVLog(L"Failed to update page clsid and XML header");
        return hr;
    }
    return S_OK;
}

HRESULT CPVPanel::OnSubItemSelChanged(ULONG itemId) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!SubItemsActive())
        return S_OK;
    const HRESULT hr = m_spSubItemSource->SubItemSelChanged(itemId);
    if (FAILED(hr)) {
        PVLog(L"Failed to notify item changed");
        return hr;
    }
    return S_OK;
}

HRESULT CPVPanel::AddPageClsidAndXMLHeader(BSTR* xml) {
    if (!xml) {
        PVLog(L"pXml is null");
        return E_POINTER;
    }
    CString combined(kSubItemsHeader);
    const int end = combined.Find(kSubItemsEndTag);
    if (end < 0) {
        PVLog(L"subItemsXML is invalid.");
        return E_FAIL;
    }
    const CString fragment = *xml ? CString(*xml, static_cast<int>(SysStringLen(*xml))) : CString();
    if (combined.Insert(end, fragment) != CString(kSubItemsHeader).GetLength() + fragment.GetLength()) {
        PVLog(L"Failed to add pXML");
        return E_FAIL;
    }

    CComPtr<IXMLDOMDocument2> document;
    if (FAILED(CreateDocument(document))) {
        PVLog(L"Failed to create DOM");
        return E_FAIL;
    }
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const _bstr_t text(combined.AllocSysString(), false);
    const HRESULT loadResult = document->loadXML(text.GetBSTR(), &loaded);
    if (FAILED(loadResult) || loaded != VARIANT_TRUE) {
        PVLog(L"Failed to create XML DOM for PV extended info xml");
        return E_FAIL;
    }
    if (FAILED(SetSelectionNamespaces(document))) {
        PVLog(L"Failed to set name space");
        return E_FAIL;
    }
    auto pageSet = SelectSingle(document, L"/pv:ProfileViewDirectory/pv:PageSet");
    if (!pageSet) {
        PVLog(L"Failed to get <PageSet> node");
        return E_FAIL;
    }
    CComPtr<IXMLDOMNodeList> pages;
    if (FAILED(pageSet->get_childNodes(&pages)) || !pages) {
        PVLog(L"Failed to get <Page> nodes");
        return E_FAIL;
    }
    if (FAILED(RecursivelyAddPageClsid(document, pages))) {
        PVLog(L"Failed to add page clsid");
        return E_FAIL;
    }
    _bstr_t result;
    if (FAILED(document->get_xml(result.GetAddress())))
        return E_FAIL;
    // The caller's fragment is replaced by the whole document.
    SysFreeString(*xml);
    *xml = result.Detach();
    return S_OK;
}

HRESULT CPVPanel::RecursivelyAddPageClsid(IXMLDOMDocument2* document, IXMLDOMNodeList* nodes) {
    if (!document) {
        PVLog(L"spXMLDoc is invalid");
        return E_POINTER;
    }
    if (!nodes) {
        PVLog(L"spPageNodes is invalid");
        return E_POINTER;
    }
    LONG count = 0;
    nodes->get_length(&count);
    for (LONG i = 0; i < count; ++i) {
        CComPtr<IXMLDOMNode> node;
        HRESULT hr = nodes->get_item(i, &node);
        if (FAILED(hr) || !node) {
            PVLog(L"Failed to get page node from DOM\n.");
            return FAILED(hr) ? hr : E_FAIL;
        }
        CComPtr<IXMLDOMElement> element;
        if (FAILED(node.QueryInterface(&element))) {
            PVLog(L"pElement is invalid");
            return E_FAIL;
        }
        LONG id = 0;
        if (!DOMUtility::GetLongAttribute(element, L"Id", id)) {
            PVLog(L"Failed to get page CLSID\n.");
            return E_FAIL;
        }
        const _bstr_t key(std::to_wstring(static_cast<ULONG>(id)).c_str());
        auto found = m_pageMap.find(key);
        if (found == m_pageMap.end())
            found = m_pageMap.find(_bstr_t(L"*"));
        if (found == m_pageMap.end()) {
            PVLog(L"Failed to find pageId\n.");
            return E_FAIL;
        }
        CComPtr<IXMLDOMAttribute> attribute;
        hr = document->createAttribute(_bstr_t(L"Clsid").GetBSTR(), &attribute);
        if (FAILED(hr) || !attribute) {
            PVLog(L"createAttribute failed");
            return FAILED(hr) ? hr : E_FAIL;
        }
        _variant_t value;
        value.vt = VT_BSTR;
        value.bstrVal = found->second.copy();
        hr = attribute->put_value(value);
        if (FAILED(hr))
            return hr;
        CComPtr<IXMLDOMAttribute> replaced;
        hr = element->setAttributeNode(attribute, &replaced);
        if (FAILED(hr))
            return hr;
        CComPtr<IXMLDOMNodeList> children;
        hr = element->get_childNodes(&children);
        if (SUCCEEDED(hr))
            hr = RecursivelyAddPageClsid(document, children);
        if (FAILED(hr)) {
            PVLog(L"Failed to update page clsid for child pages");
            return hr;
        }
    }
    return S_OK;
}

// Services -------------------------------------------------------------------

CComPtr<IPVParent> CPVPanel::GetIPVParent() {
    if (!m_pParent) {
        PVLog(L"Panel has invalid parent pointer.");
        return nullptr;
    }
    CComPtr<IPVParent> parent;
    const HRESULT hr = m_pParent->QueryInterface(IPVParent::Iid, reinterpret_cast<void**>(&parent));
    if (FAILED(hr)) {
        PVLog(L"Panel has invalid parent pointer.");
        if (hr != E_NOINTERFACE)
            _com_issue_error(hr);
        return nullptr;
    }
    return parent;
}

IPVLogixProperties* CPVPanel::GetIPVLogixProperties() {
    CComPtr<IPVParent> parent = GetIPVParent();
    CComPtr<IPVLogixProperties> properties;
    if (!parent || FAILED(parent.QueryInterface(&properties)) || !properties) {
        PVLog(L"Panel's parent does not support IPVLogixProperties.");
        return nullptr;
    }
    // The parent keeps the object alive for as long as the panel lives.
    return properties.p();
}

void CPVPanel::SetFocusCtrl(CWnd* wnd) {
    m_pFocusCtrl = wnd;
    m_hFocusCtrl = wnd ? wnd->GetSafeHwnd() : nullptr;
}

HRESULT CPVPanel::SetDirty() {
    // A parent that cannot be had fails the call like a missing one: raised out of here,
    // the error would end the page's CtrlModified before it tells the controls.
    CComPtr<IPVParent> parent;
    try {
        parent = GetIPVParent();
    } catch (const _com_error&) {
        parent = nullptr;
    }
    const HRESULT hr = parent ? parent->SetProfileDirty(static_cast<IPVPanel3*>(this)) : E_FAIL;
    if (FAILED(hr))
        PVLog(L"Panel's call to SetProfileDirty() failed.");
    return hr;
}
