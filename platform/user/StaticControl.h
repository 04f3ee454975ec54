// The static control: text, or an icon with SS_ICON.
#pragma once

#include "platform/user/Control.h"

class CStaticControl : public CControl {
public:
    explicit CStaticControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HICON m_icon = nullptr;
};
