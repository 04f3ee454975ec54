// CValidateEdit: an edit box that lets its derived controls decide which typed
// characters and which pasted texts it takes, and tells them when its text changed.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/Edit.h"
#include "platform/mfc/String.h"

class CValidateEdit : public CEdit {
public:
    // May the edit hold this whole text (`inserted` is the part being pasted)?
    virtual HRESULT ValidateText(const CString& newText, const CString& inserted) = 0;
    // May this typed character be inserted?
    virtual HRESULT ValidateChar(UINT ch) = 0;
    // An accepted character: the usual edit processing.
    virtual void ProcessChar(UINT ch, UINT repeat, UINT flags) = 0;
    // The window text is no longer the last text seen.
    virtual void OnTextChanged() = 0;

protected:
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* oldWnd) override;
    BOOL OnReflectedCommand(UINT code) override;

private:
    CString m_lastText;
};
