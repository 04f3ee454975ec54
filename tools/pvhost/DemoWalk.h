// The walk of `pvhost demo`: every page of the properties dialog visited and drawn,
// the known pages edited with the user's hand, numbers typed into the measurement
// pages' boxes (one beyond the member's range, which the page refuses to let go of),
// the low-flow boxes and unit following the assignment, the edits applied and found
// in the saved project, a pick undone by Revert, the controls greyed online, and a pick
// dropped by Cancel. Each step prints what it did; a step whose result is not what
// a user would see fails the walk.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/HostContext.h"
#include "host/HostProject.h"
#include "host/PropertiesDialog.h"
#include "platform/user/WinUser.h"

class CDemoWalk {
public:
    using Printer = std::function<void(const std::string&)>;

    CDemoWalk(std::shared_ptr<CHostContext> context, CPropertiesDialog& dialog, std::string outputFolder,
              std::string savePath, Printer print, Printer fail);

    // True when every step went as a user expects. The dialog is closed afterwards.
    bool Run();

    // A file name for a page's picture: "page-01-system-units.png".
    static std::string PictureName(size_t index, const std::wstring& title);

private:
    struct CEdit;
    struct CEntry;

    bool VisitPages();
    bool CheckSavedProject();
    bool RevertAPick();
    bool GreyOnline();
    bool CancelAPick();

    // The numbers typed on a measurement page: one beyond the member's range, refused
    // with the host's message and the page kept; then a valid one.
    bool EnterNumbers(size_t index, HWND window, const CEntry& entry);
    // The low-flow boxes and unit label follow the assignment: greyed and blank for
    // "Off", enabled with the mass flow unit for "Mass flow".
    bool FollowLowFlowAssignment(size_t index, HWND window);
    bool CheckSavedEntries(const CHostProject& saved);
    static const CEntry* EntryOf(const std::wstring& className);
    // Replaces the text of `box` as a user does: click, Ctrl+A, type.
    static bool TypeInto(HWND box, const std::wstring& text);
    // The totalizer page: totalizer 1 turned from mass flow to volume flow, its unit
    // list and unit written at once, the preset label following; a picture per tab.
    bool WalkTotalizers(size_t index, HWND window);
    // Clicks tab `tab` of `strip` and draws the page around it into `file`.
    bool ShowTab(HWND strip, int tab, HWND window, const std::string& file);

    // The edit the walk makes on the page of `className`, or null.
    static const CEdit* EditOf(const std::wstring& className);
    // The control on the dialog's page `index` (whose window is `window`) that shows
    // `member`, as the profile's page catalogue says.
    HWND ControlOf(size_t index, HWND window, const std::wstring& member) const;
    // Picks the item showing `text` in `combo` with the user's hand.
    bool PickText(HWND combo, const std::wstring& text, const std::string& where);
    std::string PageTitle(size_t index) const;
    bool Draw(HWND window, const std::string& file);
    bool Fail(const std::string& message);

    std::shared_ptr<CHostContext> m_context;
    CPropertiesDialog& m_dialog;
    std::string m_output;
    std::string m_savePath;
    Printer m_print;
    Printer m_fail;
    // The pages the walk edited, by index in the dialog.
    std::vector<size_t> m_edited;
    // The pages the walk typed numbers into, by index in the dialog.
    std::vector<size_t> m_entered;
    // Members and the texts the saved project must hold besides the edits' picks.
    std::vector<std::pair<std::wstring, std::wstring>> m_expectedSaved;
};
