// CWnd: the framework's object for one window. A window is tied to an object in one of
// two ways:
// - permanently, by Attach (the object wraps the handle; messages still go to the
//   window's own procedure) or by SubclassWindow / creation through the framework (the
//   framework's procedure replaces the window's and routes every message to the object's
//   virtual handlers; what a handler leaves alone goes to the old procedure, Default());
// - temporarily, by FromHandle on a window that has no permanent object: a CWnd is made
//   for it and kept in the temporary map. A temporary object lives as long as its window:
//   the map drops objects of destroyed windows the next time it makes one (handles are
//   never reused, so a pointer stays good while its window exists), and DeleteTempMap
//   drops them all. Nothing here has an idle loop to clear the map as the framework does.
//
// Handlers. Instead of a message map, each message the framework routes has a virtual
// handler with the framework's name and arguments; a derived class overrides what it
// handles, and a handler's default passes the message on (Default()):
//   WM_CHAR OnChar, WM_KEYDOWN OnKeyDown, WM_PASTE OnPaste, WM_SETFOCUS OnSetFocus,
//   WM_KILLFOCUS OnKillFocus, WM_TIMER OnTimer, WM_DESTROY OnDestroy, WM_LBUTTONDOWN
//   OnLButtonDown, WM_ENABLE OnEnable, WM_DRAWITEM OnDrawItem, WM_COMMAND OnCommand,
//   WM_NOTIFY OnNotify, WM_NCDESTROY OnNcDestroy; anything else: WindowProc/OnWndMsg.
//
// Reflection. A control's WM_COMMAND, WM_NOTIFY and WM_DRAWITEM go to its parent; the
// parent first offers them back to the control's own object (when the control has a
// permanent one) as a reflected notification:
//   OnReflectedCommand(code)         (ON_CONTROL_REFLECT / ON_CONTROL_REFLECT_EX)
//   OnReflectedNotify(nmhdr, result) (ON_NOTIFY_REFLECT / ON_NOTIFY_REFLECT_EX)
//   OnReflectedDrawItem(dis)         (the owner-drawn control's DrawItem)
// Each answers TRUE when it has handled the notification; then the parent does nothing
// more. FALSE (the default) lets the parent's own handler run: OnCmdMsg(id, code) for
// commands, OnNotifyMsg(id, nmhdr, result) for notifications, OnDrawItem for drawing.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"
#include "platform/user/WinUser.h"

class CWnd : public CObject {
public:
    CWnd();
    // A window still attached is destroyed with its object, as in the framework.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The permanent object of a window, else a temporary one (null for a null handle or
    // a handle that is not a window).
    static CWnd* FromHandle(HWND hwnd);
    // The permanent object of a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // Deletes every temporary object.
    static void DeleteTempMap();

    // Ties the object to a window without touching its procedure. FALSE when the object
    // already has a window, the handle is not a window or another object has it.
    BOOL Attach(HWND hwnd);
    HWND Detach();

    // Attach, then the framework's procedure replaces the window's (which is kept for
    // default processing). Runs PreSubclassWindow before the procedure is replaced.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Puts the old procedure back and detaches.
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();

    // Creates a window through the framework: the object owns it from its first message.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    CWnd* GetDlgItem(int id) const;
    CWnd* GetParent() const;
    int GetDlgCtrlID() const;
    void SetWindowText(LPCWSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(RECT* rect) const;
    void GetClientRect(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Remove, then add; FALSE when nothing changed. With SWP_* flags the frame is
    // refreshed through SetWindowPos, as the framework does.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    // Fonts are GDI handles here (the framework wraps them in CFont).
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc);
    BOOL KillTimer(UINT_PTR id);

    // Sends the messages of the dialog initialisation data (resource type 240) named
    // `resourceName` in the current resource module to this window's items. Each record
    // is (item id, message, byte count, bytes); 0x0403 and 0x0401 are the add-string
    // messages of combo and list boxes with a narrow string. TRUE when there is no such
    // resource; FALSE when the data is malformed, an item is missing or refuses a string.
    BOOL ExecuteDlgInit(LPCWSTR resourceName);
    BOOL ExecuteDlgInit(const void* data, size_t size);

    // The message being handled now goes to the old procedure.
    LRESULT Default();
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Queued input before it is translated; TRUE keeps it from being dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers a message to the PreTranslateMessage of every object from its window up
    // through the parents, stopping after `stop` (null: up to the top).
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Routes a message to its handler; FALSE when none handled it.
    virtual BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A parent's handlers of what its children did not take by reflection.
    virtual BOOL OnCmdMsg(UINT id, UINT code);
    virtual BOOL OnNotifyMsg(UINT id, NMHDR* nmhdr, LRESULT* result);

    // The control's side of reflection: the parent sends a child's notification here.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers a notification to the object of `child`; FALSE when it has none or it
    // did not handle it.
    static BOOL ReflectMessage(HWND child, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnReflectedCommand(UINT code);
    virtual BOOL OnReflectedNotify(NMHDR* nmhdr, LRESULT* result);
    virtual BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* drawItem);

    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnDestroy();
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnEnable(BOOL enable);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* drawItem);
    // Default(), then the window lets go of the object (Detach) and PostNcDestroy runs.
    virtual void OnNcDestroy();
    // The last call an object gets from its window; an object that deletes itself does it here.
    virtual void PostNcDestroy();

    // The framework's window procedure.
    static LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    // The procedure that had the window before the framework's; Default() calls it.
    WNDPROC m_pfnSuper = nullptr;
};
