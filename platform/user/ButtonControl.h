// The push button: a click (mouse, space bar or BM_CLICK) sends BN_CLICKED to the parent.
#pragma once

#include "platform/user/Control.h"

class CButtonControl : public CControl {
public:
    explicit CButtonControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void SetPushed(bool pushed);

    bool m_pushed = false;
    bool m_focused = false;
};
