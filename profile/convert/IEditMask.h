// IEditMask: what a numeric edit box asks before it takes a keystroke or a paste, and
// the final check of its whole text when it loses the focus or saves. Masks hold no
// state; the box passes its window and its sign permissions on every call.
#pragma once

#include "platform/base/HResult.h"
#include "platform/base/WinTypes.h"
#include "platform/mfc/String.h"

class CPromptInfo;
class CWnd;

// Sign flags: which leading sign the member allows.
constexpr UINT EDITMASK_ALLOW_PLUS = 1;
constexpr UINT EDITMASK_ALLOW_MINUS = 2;

class IEditMask {
public:
    virtual ~IEditMask() = default;
    // `newText` is what the box would hold after the paste; on success `inserted` is
    // the pasted text as the box should insert it.
    virtual HRESULT ValidatePaste(const CString& newText, CString& inserted, UINT signFlags) = 0;
    // Judged against the window's text and selection as they are before the key.
    virtual HRESULT ValidateKeystroke(CWnd* edit, UINT ch, UINT signFlags) = 0;
    // Converts the text as the member's type would; on success leading zeros are
    // stripped in place. `extra` is not used.
    virtual HRESULT ValidateValue(CString& text, BOOL* zerosStripped, CPromptInfo* prompt, UINT extra) = 0;
    virtual HRESULT ValidateChar(wchar_t ch) = 0;
    virtual HRESULT ValidateText(const CString& text) = 0;
};
