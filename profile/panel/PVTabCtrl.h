// An owner-drawn tab strip that keeps the dialogs of its tabs: it creates them in its
// own parent, places them over its display area and shows one at a time. A switch,
// by mouse, arrow key or request, first asks the page being left and then the page
// to be shown; either may refuse it, and the strip then stays where it was.
#pragma once

#include <vector>

#include "platform/mfc/String.h"
#include "platform/mfc/TabCtrl.h"

class CPVTabPage;

class CPVTabCtrl : public CTabCtrl {
public:
    // Appended to the title of a tab whose page holds a change.
    static constexpr wchar_t kModifiedMarker = L'*';

    CPVTabCtrl() = default;
    CPVTabCtrl(const CPVTabCtrl&) = delete;
    CPVTabCtrl& operator=(const CPVTabCtrl&) = delete;

    // E_FAIL for a null page. The page is not owned.
    HRESULT AddTab(CPVTabPage* page, const wchar_t* title);
    // Creates the page windows in tab order, stopping at the first that cannot be made.
    void CreateTabs();
    // Switches from tab `from` to tab `to`: E_FAIL for an index that is no tab or a
    // refusal of either page; S_OK without doing anything when they are equal.
    HRESULT SelectTab(int from, int to);
    HRESULT SelectTab(int to);

    // -1 when the page is not one of the tabs.
    int IndexOf(const CPVTabPage* page) const;
    int GetTabCount() const { return static_cast<int>(m_entries.size()); }
    HRESULT GetTabTitle(int index, CString& title) const;
    HRESULT SetTabTitle(int index, const wchar_t* title);
    // The client rectangle less the strip.
    void GetDisplayArea(RECT* rect) const;

    void ShowModifiedMarker(BOOL on) { m_bShowModifiedMarker = on; }
    void MarkCurrentTabModified();
    void RemoveModifiedMarkers();

protected:
    // Binding to the dialog item makes the strip owner-drawn and creates the pages.
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT* drawItem) override;
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnDestroy() override;

private:
    struct CTabEntry {
        CPVTabPage* page;
        UINT templateId;
        CString title;
    };

    bool IsTab(int index) const { return index >= 0 && index < GetItemCount(); }
    CPVTabPage* PageAt(int index) const;
    // Places a new page below (or above, with TCS_BOTTOM) the strip's tabs.
    void PlacePage(CPVTabPage& page, int item);

    std::vector<CTabEntry> m_entries;
    BOOL m_bShowModifiedMarker = FALSE;
};
