// The tooltip control's tool list and settings. Tips are not shown (no pointer hovers
// here); what a tool would show is kept and can be read back.
#pragma once

#include <string>
#include <vector>

#include "platform/user/CommCtrl.h"
#include "platform/user/Control.h"

class CToolTipControl : public CControl {
public:
    explicit CToolTipControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Tool {
        UINT flags;
        HWND hwnd;
        UINT_PTR id;
        RECT rect;
        std::wstring text;
        bool callback;
        LPARAM param;
    };

    Tool* FindTool(const TTTOOLINFOW* info);
    void SetText(Tool& tool, const TTTOOLINFOW& info);
    void SetDelay(WPARAM which, int value);

    std::vector<Tool> m_tools;
    bool m_active = true;
    int m_maxWidth = -1;
    int m_initial = 500;
    int m_autoPop = 5000;
    int m_reshow = 100;
};
