// pvhost's script language: one command per line, acted out on the open properties
// dialog through the user's hand. Blank lines and lines starting with '#' are skipped.
//   page NAME        shows the page by its tab title, class name or number (1 = first)
//   type ID TEXT     focuses control ID of the current page, selects its text, types TEXT
//   paste ID TEXT    focuses control ID, selects its text, pastes TEXT
//   pick ID INDEX    picks item INDEX (0 = first) of combo box ID with the mouse
//   click ID         clicks control ID (the page's first, then the dialog's own)
//   tab ID INDEX     clicks tab INDEX (0 = first) of the tab strip ID on the page shown
//   tabkey ID KEY    puts the focus on the tab strip ID and presses KEY there: left,
//                    right, up or down (the strip stops at its first and last tab)
//   key NAME         presses a key on the focused window: enter, tab, escape, backspace,
//                    delete, home, end, left, right, up, down, space, f4, a letter or a
//                    digit, with ctrl+, shift+ or alt+ before it
//   wait MS          lets MS milliseconds of the (virtual) clock pass
//   apply, ok, cancel, online, offline, refresh, help   the dialog's buttons
//   png FILE         draws the whole dialog into FILE
//   dump [json]      prints the dialog's window tree (text, or JSON)
//   dialog COMMAND   arms COMMAND (click, type, paste, pick, key, wait, png or dump) for
//                    the modal dialog or message box that the next command opens; there
//                    ids are the dialog's own, dump prints the dialog and png draws the
//                    whole dialog with it on top. Consecutive dialog lines run in order in
//                    the same dialog. A next command that opens no dialog is an error.
//   device           prints what the simulated device holds: identity, option word,
//                    access levels, texts, clock, verification, stored reports
// Every error names the line it comes from.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/PropertiesDialog.h"

struct CScriptCommand {
    int line = 0;
    std::string verb;
    int id = 0;
    long long number = 0;
    std::string text;
};

class CScriptRunner {
public:
    CScriptRunner(CPropertiesDialog& dialog, std::function<void(const std::string&)> output);

    // Reads one line; a blank or comment line gives the verb "". False with the error.
    static bool Parse(const std::string& text, int line, CScriptCommand* command, std::string* error);
    // Reads a whole script; stops at the first bad line.
    static bool ParseAll(const std::string& script, std::vector<CScriptCommand>* commands,
                         std::string* error);
    // Runs before the dialog is closed by ok or cancel (pvhost draws its --png then).
    void SetBeforeClose(std::function<void()> hook) { m_beforeClose = std::move(hook); }
    // False with an error naming the line when the command could not be done.
    bool Run(const CScriptCommand& command, std::string* error);

private:
    // The commands armed for one dialog, and what became of them.
    struct CDialogGroup {
        std::vector<CScriptCommand> commands;
        bool taken = false;
        std::string error;
    };

    bool RunHere(const CScriptCommand& command, std::string* error);
    void Arm(const CScriptCommand& command);
    void RunInDialog(CDialogGroup& group, HWND box);
    HWND FindControl(int id) const;
    // The tab strip `id` on the page shown, or null with the error.
    HWND FindTabStrip(const CScriptCommand& command, std::string* error) const;
    bool ClickButton(int id, const char* what);

    CPropertiesDialog& m_dialog;
    std::shared_ptr<CDialogGroup> m_group; // armed by the dialog lines just run
    bool m_arming = false;                 // the last command run was a dialog line
    HWND m_modal = nullptr;                // the dialog the armed commands run in
    std::function<void(const std::string&)> m_output;
    std::function<void()> m_beforeClose;
    std::string m_failure;
};
