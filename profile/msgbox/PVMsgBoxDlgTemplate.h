// A message box that the profile lays out and builds itself: the text measured in the
// system's message font, an icon, a row of push buttons labelled by the string server,
// a dialog template written into memory and run modally; DoModal answers the pressed
// button's id. A Help button opens a topic in an HTML Help file and keeps the box open.
#pragma once

#include <memory>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"
#include "profile/msgbox/PVMsgBoxDlgItem.h"

class CStringServerWrapper;

class CPVMsgBoxDlgTemplate : public CObject {
public:
    // What DoModal answers when no box could be shown: no button has it.
    static constexpr INT_PTR kNotShown = -1;

    CPVMsgBoxDlgTemplate() = default;
    ~CPVMsgBoxDlgTemplate() override;

    // Non-zero when the style, text, caption and owner are given and the message font
    // could be made.
    virtual BOOL Init(UINT style, const wchar_t* text, const wchar_t* caption, HWND owner, UINT helpId,
                      const wchar_t* helpFile);
    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog(HWND dialog, WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy(HWND dialog, WPARAM wParam, LPARAM lParam);

    // Lays the box out and writes its template: its bytes and their count, or 0 (logged).
    // DoModal runs this; it is public so that the layout can be checked without a run.
    UINT BuildTemplate(PVByteArray* bytes);
    int GetNumButtons() const;
    const RECT& GetDialogRect() const { return m_rectDlg; }
    const std::vector<std::unique_ptr<CPVMsgBoxDlgItem>>& GetItems() const { return m_items; }

private:
    SIZE CalcMessageSize(bool withIcon) const;
    bool CreateItems(const RECT& textRect, const RECT& iconRect, const RECT& firstButton);
    bool CreateButton(WORD buttonId, LONG labelIndex, CStringServerWrapper* server, bool advance, RECT* rect,
                      bool isDefault);
    UINT GetDialogArraySize() const;
    UINT GetDialogArray(PVByteArray* array) const;
    void OnHelp();
    static INT_PTR CALLBACK MsgBoxDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

    // The box whose modal loop runs now; saved and restored around each run, so that
    // one box may open another.
    static CPVMsgBoxDlgTemplate* s_pRunning;

    HWND m_hWndOwner = nullptr;
    std::vector<std::unique_ptr<CPVMsgBoxDlgItem>> m_items;
    UINT m_nStyle = 0;
    RECT m_rectDlg{};
    CString m_strText;
    CString m_strCaption;
    HFONT m_hFont = nullptr;
    CString m_strHelpFile;
    UINT m_nHelpId = 0;
};
