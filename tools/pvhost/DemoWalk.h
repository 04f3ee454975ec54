// The walk of `pvhost demo`: every page of the properties dialog visited and drawn,
// the known pages edited with the user's hand, the edits applied and found in the
// saved project, a pick undone by Revert, the controls greyed online, and a pick
// dropped by Cancel. Each step prints what it did; a step whose result is not what
// a user would see fails the walk.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/HostContext.h"
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

    bool VisitPages();
    bool CheckSavedProject();
    bool RevertAPick();
    bool GreyOnline();
    bool CancelAPick();

    // The edit the walk makes on the page of `className`, or null.
    static const CEdit* EditOf(const std::wstring& className);
    // The control of the edit on the dialog's page `index` (whose window is `window`):
    // the one that shows the edit's member, as the profile's page catalogue says.
    HWND ControlOf(size_t index, HWND window, const CEdit& edit) const;
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
};
