// The panel: one property page of the module as the host embeds it. It is a modeless
// child dialog built from a template of the resource library and a COM object with
// the host's nine page interfaces. Pages derive from CPVPanelEnum, which adds the
// controls; this class answers the events with their plain defaults.
#pragma once

#include <map>
#include <optional>

#include "platform/base/WinTypes.h"
#include "platform/com/ComPtr.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/String.h"
#include "platform/msxml/MsXml.h"
#include "platform/oleaut/BstrT.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/PVParent.h"
#include "profile/interfaces/Panel.h"
#include "profile/panel/PVWndMsgSink.h"
#include "profile/server/PVModuleObject.h"

// One IUnknown for every interface (platform/com/RuntimeClass.h); a live panel holds
// one module lock. IPVProvideHelp is answered only by a help provider.
class CPVPanel : public CDialog,
                 public CPVModuleObject<IPVChild, Chain<IPVPanel3, IPVPanel2, IPVPanel>, IPVProvideHelp,
                                        IPVEventHandler2, IPVDocumentation,
                                        Chain<IPVExtendedInfoXml2, IPVExtendedInfoXml>, CPVWndMsgSink,
                                        IDynamicSubItemEvents, IPVDynamicSubItem> {
public:
    // The private message that carries a sub-item change onto the panel's own loop.
    static constexpr UINT WM_PV_SUBITEMCHANGED = 0x0400 + 100;

    explicit CPVPanel(UINT dialogTemplateId);
    ~CPVPanel() override;
    CPVPanel(const CPVPanel&) = delete;
    CPVPanel& operator=(const CPVPanel&) = delete;

    // IPVChild
    HRESULT STDMETHODCALLTYPE Init(IPVParent* parent) override;
    HRESULT STDMETHODCALLTYPE Save() override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE ClearDirty() override;
    HRESULT STDMETHODCALLTYPE ValidationErrorHandler(LONG code, BSTR memberName, IErrorInfo** error) override;
    HRESULT STDMETHODCALLTYPE ReservedA() override;
    HRESULT STDMETHODCALLTYPE PostModDefChange() override;
    HRESULT STDMETHODCALLTYPE SetLocale(LCID lcid) override;
    HRESULT STDMETHODCALLTYPE PreInitialActivate() override;
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    HRESULT STDMETHODCALLTYPE OnDeactivate() override;
    HRESULT STDMETHODCALLTYPE ReservedB(LONG reserved) override;
    HRESULT STDMETHODCALLTYPE TakeFocus() override;

    // IPVPanel3
    using CDialog::Create;
    HRESULT STDMETHODCALLTYPE Create(HWND parent) override;
    HRESULT STDMETHODCALLTYPE Destroy() override;
    HRESULT STDMETHODCALLTYPE Show(INT nCmdShow) override;
    HRESULT STDMETHODCALLTYPE Move(const RECT* rect) override;
    HRESULT STDMETHODCALLTYPE GetPanelTitle(BSTR* title) override;
    HRESULT STDMETHODCALLTYPE GetSize(SIZE* size) override;
    HRESULT STDMETHODCALLTYPE GetBannerTitle(BSTR* title) override;
    HRESULT STDMETHODCALLTYPE GetPanelDefaultExpandedState(VARIANT_BOOL* expanded) override;

    // IPVProvideHelp
    HRESULT STDMETHODCALLTYPE ShowHelp() override;

    // IPVEventHandler2
    HRESULT STDMETHODCALLTYPE LogixStateChanged(LONG state) override;
    HRESULT STDMETHODCALLTYPE ModuleStatusChanged() override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE DataChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDefinitionChanged() override;
    HRESULT STDMETHODCALLTYPE Reverted() override;
    HRESULT STDMETHODCALLTYPE DirtyStateChanged() override;
    HRESULT STDMETHODCALLTYPE ModuleDeleted() override;

    // IPVDocumentation
    HRESULT STDMETHODCALLTYPE GetDocumentationDirtyState(VARIANT_BOOL* dirty) override;

    // IPVExtendedInfoXml2
    HRESULT STDMETHODCALLTYPE SetExtendedInfo(BSTR xml) override;
    HRESULT STDMETHODCALLTYPE SetExtendedInfo2(BSTR xml, LONG reserved) override;

    // IPVWndMsg, through CPVWndMsgSink: the framework's pre-translation walk from the
    // message's window up to the panel.
    HRESULT PreTranslateHostMessage(MSG* msg) override;

    // IDynamicSubItemEvents
    HRESULT STDMETHODCALLTYPE OnSubItemsChanged(LONG hint) override;

    // IPVDynamicSubItem
    HRESULT STDMETHODCALLTYPE GetSubItemsXML(BSTR* xml) override;
    HRESULT STDMETHODCALLTYPE OnSubItemSelChanged(ULONG itemId) override;

    // The handler of WM_PV_SUBITEMCHANGED: asks the parent to rebuild the sub-items.
    LRESULT OnWMSubItemChanged(WPARAM wParam, LPARAM lParam);

    // Services for the pages.
    // A counted reference, or null (logged). A query failure other than
    // E_NOINTERFACE is raised as a _com_error.
    CComPtr<IPVParent> GetIPVParent();
    // Not counted: the parent keeps the object alive. Raises as GetIPVParent does.
    IPVLogixProperties* GetIPVLogixProperties();
    HRESULT SetDirty();
    void SetHelpProvider(BOOL provider) { m_bHelpProvider = provider; }
    void SetFocusCtrl(CWnd* wnd);
    CWnd* GetFocusCtrl() const { return m_pFocusCtrl; }

    UINT GetDialogTemplateId() const { return m_nIDTemplate; }

    // Wraps the sub-item source's fragment into a ProfileViewDirectory document and
    // gives every page element the Clsid of its Id.
    HRESULT AddPageClsidAndXMLHeader(BSTR* xml);
    HRESULT RecursivelyAddPageClsid(IXMLDOMDocument2* document, IXMLDOMNodeList* nodes);
    HRESULT CustomHelp();

    // What the extended info set; for the pages and tests.
    const CString& GetTitle() const { return m_strPanelTitle; }
    const CString& GetBanner() const { return m_strBannerTitle; }
    LONG GetDefaultExpandedState() const { return m_lDefaultExpandedState; }
    bool HasCustomHelp() const { return m_bCustomHelp; }
    const _bstr_t& GetHelpFile() const { return m_bstrHelpFile; }
    const std::optional<LONG>& GetHelpId() const { return m_helpId; }
    const std::map<_bstr_t, _bstr_t>& GetPageMap() const { return m_pageMap; }

    // Routes the private sub-item message to its handler.
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    bool Answers(REFIID riid) const override { return riid != IPVProvideHelp::Iid || m_bHelpProvider; }
    // Dialog initialisation, run inside Create once the window exists.
    BOOL OnInitDialog() override;
    // The pages exchange their controls' data here; the panel has none.
    void DoDataExchange(CDataExchange* dx) override;
    bool HasWindow() const;

private:
    HRESULT GetPanelTitleNoState(BSTR* title);
    HRESULT ReadPageMap(IXMLDOMDocument2* document);
    HRESULT ReadPageMapItem(IXMLDOMNode* node);
    void ReadHelp(IXMLDOMDocument2* document, LCID lcid);
    bool SubItemsActive() const;

    UINT m_nIDTemplate;
    IPVParent* m_pParent = nullptr;
    BOOL m_bHelpProvider = FALSE;
    CWnd* m_pFocusCtrl = nullptr;
    // The focus control's window when it was set: a temporary window object may be
    // gone with its window, the handle is never reused.
    HWND m_hFocusCtrl = nullptr;
    CString m_strPanelTitle;
    CString m_strBannerTitle;
    LONG m_lDefaultExpandedState = 1;
    bool m_bCustomHelp = false;
    _bstr_t m_bstrHelpFile;
    std::optional<LONG> m_helpId;
    std::map<_bstr_t, _bstr_t> m_pageMap;
    CComPtr<IDynamicSubItemHost> m_spSubItemHost;
    CComPtr<IDynamicSubItemSource> m_spSubItemSource;
};
