// The host's properties dialog for the module: a top-level window with one tab per
// page class, the page area where the current page lives, and the buttons OK, Cancel,
// Apply, Help, Refresh and Go Online/Go Offline. Pages are created the first time they
// are shown, by class identifier through the registry (the module is loaded by its
// InProcServer32 path), and driven only through the panel interfaces:
//   create:  Init, SetLocale, SetExtendedInfo, GetSize, Create, Show(SW_SHOW), Move, OnActivate
//   revisit: Show(SW_SHOW), Move, OnActivate
//   leave:   OnDeactivate (a failure keeps the page), Show(SW_HIDE)
//   refused: when a page's OnDeactivate or Save fails on a write the host refused (a
//            value beyond the member's range), ValidationErrorHandler with the member
//            and the host's error, so that the page's control shows it; a page that
//            takes no error has the host show it through its own ShowError
//   Apply:   Save and then ClearDirty on every created page, in tab order; the project's
//            values become the stored ones and it is written to the save path
//   OK:      Apply, then OnDeactivate of the current page, Destroy of every page
//   Cancel:  Destroy of every page; the project goes back to its stored values
// Pages are released when the dialog closes. The buttons call the public operations;
// the operations can also be called directly.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/HostContext.h"
#include "host/HostParent.h"
#include "platform/base/Guid.h"
#include "platform/com/ComPtr.h"
#include "profile/interfaces/Panel.h"

struct CPropertyPageInfo {
    CLSID clsid{};
    std::wstring className; // "CPVPageTavrinLOWFLOW"; may be empty
    std::wstring title;     // the tab's text until the page tells its own title
};

class CPropertiesDialog {
public:
    // The ids of the dialog's own windows (OK and Cancel are IDOK and IDCANCEL).
    static constexpr int kHelpId = 9;
    static constexpr int kTabId = 0x3020;
    static constexpr int kApplyId = 0x3021;
    static constexpr int kRefreshId = 0x3022;
    static constexpr int kOnlineId = 0x3023;
    static constexpr int kPageAreaId = 0x3024;
    // The controller mode "Go Online" sets: online with the controller running, where the
    // configuration cannot change (modes 1 to 6 are online).
    static constexpr LONG kOnlineMode = 4;

    explicit CPropertiesDialog(std::shared_ptr<CHostContext> context);
    // An open dialog is cancelled.
    ~CPropertiesDialog();
    CPropertiesDialog(const CPropertiesDialog&) = delete;
    CPropertiesDialog& operator=(const CPropertiesDialog&) = delete;

    // Makes the window and shows the first page (no page: an empty page area). A page
    // that cannot be created is reported and leaves its tab empty; Open still succeeds.
    HRESULT Open(std::vector<CPropertyPageInfo> pages, const std::wstring& caption);
    // Where Apply writes the project; empty: Apply only commits it in memory.
    void SetSavePath(std::string path) { m_savePath = std::move(path); }
    // Receives one line per thing the dialog did (for pvhost's output).
    void SetReporter(std::function<void(const std::string&)> reporter) { m_reporter = std::move(reporter); }

    bool IsOpen() const { return m_hwnd != nullptr; }
    // IDOK or IDCANCEL once closed; 0 while open.
    int Result() const { return m_result; }
    HWND Window() const { return m_hwnd; }
    HWND Item(int id) const;
    size_t PageCount() const { return m_pages.size(); }
    const CPropertyPageInfo& PageInfo(size_t index) const { return m_pages[index].info; }
    // -1 while no page is shown.
    int CurrentPage() const { return m_current; }
    // The page's own window (the child of the page area), or null before it is created.
    HWND PageWindow(size_t index) const;
    HRESULT PageFailure(size_t index) const { return m_pages[index].failure; }
    CHostParent* Parent() const { return m_parent; }
    // The last failure as a person reads it; empty when the last operation succeeded.
    const std::string& LastError() const { return m_lastError; }

    // Leaves the current page (which may refuse) and shows `index`.
    HRESULT SelectPage(int index);
    HRESULT Apply();
    HRESULT Ok();
    HRESULT Cancel();
    HRESULT Refresh();
    HRESULT SetOnline(bool online);
    // The project goes back to its stored values and every created page hears Reverted.
    HRESULT Revert();
    HRESULT Help();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct CPageSite {
        CPropertyPageInfo info;
        CComPtr<IPVChild> child;
        CComPtr<IPVPanel3> panel;
        SIZE size{};
        HRESULT failure = S_OK;
        // The window the page made in Create: the page area's child that was new then.
        HWND window = nullptr;
    };

    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    HRESULT CreatePage(CPageSite& site);
    HRESULT ShowPage(int index);
    HRESULT LeaveCurrent(bool hide = true);
    // Offers the host's refusal of a write to the page whose operation failed with its
    // code.
    void OfferRefusal(CPageSite& site, HRESULT failure);
    void Close(int result);
    void Layout();
    void UpdateButtons();
    std::wstring ExtendedInfoXml(const CPageSite& site) const;
    std::string PageName(const CPageSite& site) const;
    HRESULT Fail(HRESULT hr, const std::string& message);
    // Gives `event` to every created page that handles events; the first failure,
    // reported as a failure on `what`.
    HRESULT TellPages(const std::string& what, const std::function<HRESULT(IPVEventHandler2*)>& event);
    void Report(const std::string& line);

    std::shared_ptr<CHostContext> m_context;
    CComPtr<CHostParent> m_parent;
    std::vector<CPageSite> m_pages;
    HWND m_hwnd = nullptr;
    HWND m_tab = nullptr;
    HWND m_pageArea = nullptr;
    SIZE m_areaSize{360, 220};
    int m_current = -1;
    int m_result = 0;
    bool m_switching = false;
    std::string m_savePath;
    std::string m_lastError;
    std::function<void(const std::string&)> m_reporter;
};
