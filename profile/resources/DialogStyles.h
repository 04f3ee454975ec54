// Window, dialog and control styles that the resource scripts use, with their Windows
// values. Only the resource compiler reads this header; C++ code takes these names
// from the stand-in's own headers.
#pragma once

#ifdef RC_INVOKED
#define WS_CHILD 0x40000000
#define WS_VISIBLE 0x10000000
#define WS_BORDER 0x00800000
#define WS_VSCROLL 0x00200000
#define WS_GROUP 0x00020000
#define WS_TABSTOP 0x00010000

#define DS_FIXEDSYS 0x0008
#define DS_SETFONT 0x0040
#define DS_CONTROL 0x0400
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

#define CBS_DROPDOWNLIST 0x0003
#define ES_AUTOHSCROLL 0x0080
#define SS_SUNKEN 0x1000

#define IDC_STATIC (-1)

// A dialog's initialisation data: messages sent to its items when it is created.
#define RT_DLGINIT 240
// The message code that initialisation data uses to add a string to a combo box.
#define DLGINIT_CB_ADDSTRING 0x0403
#endif
