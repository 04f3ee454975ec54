// Base of the standard controls: one object per control window, created on WM_NCCREATE
// and retired on WM_NCDESTROY by the class's window procedure.
#pragma once

#include <memory>

#include <nlohmann/json_fwd.hpp>

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

class CControl {
public:
    explicit CControl(HWND hwnd) : m_hwnd(hwnd) {}
    virtual ~CControl() = default;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    // The control's own state, for dumps of the window tree.
    virtual void Describe(nlohmann::json& out) const = 0;

    // The control behind a window, or null.
    static CControl* From(HWND hwnd);

    // The window procedure of a control class T.
    template <class T> static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        CControl* control = From(hwnd);
        if (!control) {
            if (msg != WM_NCCREATE)
                return DefWindowProcW(hwnd, msg, wParam, lParam);
            control = Attach(hwnd, std::make_unique<T>(hwnd));
            if (!control)
                return FALSE;
        }
        const LRESULT result = control->Handle(msg, wParam, lParam);
        if (msg == WM_NCDESTROY)
            Retire(hwnd);
        return result;
    }

protected:
    // The control's processing; what it does not handle goes to Default.
    virtual LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // WM_COMMAND to the parent with the control's id and the notification code.
    void Notify(WORD code);
    int Id() const;
    DWORD Style() const;
    bool IsEnabled() const;

    // WM_SETFONT/WM_GETFONT: the controls keep the handle; measuring is GDI's business.
    HFONT m_font = nullptr;
    HWND m_hwnd;

private:
    static CControl* Attach(HWND hwnd, std::unique_ptr<CControl> control);
    static void Retire(HWND hwnd);
};
