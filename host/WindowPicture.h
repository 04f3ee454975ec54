// A picture of a window tree in the classic look, written as a PNG file with cairo:
// frames, labels, sunken edits with their text, combo boxes with their selection (and
// their list when it is dropped), push buttons, group frames, tab strips with the
// selected tab, stock icons, labels wrapped at their width; disabled controls grey,
// read-only edits shaded; the visible windows it owns (a message box over the dialog
// that opened it) over it, each with its title bar. Text is DejaVu Sans,
// scaled so that every run has the size the text metrics model gives the dialog font
// ("MS Shell Dlg", 8 points at 96 dots per inch), so that layouts look as they measure.
// The windows are read through the window dump; nothing is sent to them.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

class CWindowPicture {
public:
    // The picture has the window's size; a window with a caption gets its title bar
    // above that. Hidden windows are left out with everything below them.
    static bool WritePng(HWND root, const std::string& path, std::string* error);
};
