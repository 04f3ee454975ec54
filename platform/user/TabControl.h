// The tab control: items, the selection, hit testing and item rectangles, and the
// TCN_SELCHANGING/TCN_SELCHANGE notifications of a user's switch.
//
// An owner-drawn strip (TCS_OWNERDRAWFIXED) has its parent draw each item; a dump carries
// that drawing, recorded, for pictures.
//
// Layout model: one row; an item is 6 pixels per character of its text plus 6 on each
// side, 18 pixels high; items start 2 pixels in (buttons: 3 pixels apart), at the top,
// or at the bottom with TCS_BOTTOM.
#pragma once

#include <string>
#include <vector>

#include "platform/user/CommCtrl.h"
#include "platform/user/Control.h"

class CTabControl : public CControl {
public:
    explicit CTabControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

    static constexpr int kCharWidth = 6;
    static constexpr int kPadding = 6;
    static constexpr int kItemHeight = 18;
    static constexpr int kButtonGap = 3;
    static constexpr int kMargin = 2;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::wstring text;
        int image = -1;
        LPARAM param = 0;
        DWORD state = 0;
    };

    bool Valid(WPARAM index) const {
        return static_cast<INT>(index) >= 0 && static_cast<size_t>(index) < m_items.size();
    }
    RECT ItemRect(size_t index) const;
    int HitTest(POINT pt) const;
    // A user's switch: the parent may refuse it on TCN_SELCHANGING.
    void UserSelect(int index);
    LRESULT NotifyParent(UINT code);
    void SetFields(Item& item, const TCITEMW& source);
    // Has the parent draw every item on `dc` (WM_DRAWITEM).
    void DrawOwnerItems(HDC dc) const;
    void Paint();
    // The owner's drawing of every item: fills and text lines in the strip's coordinates.
    nlohmann::json OwnerDrawing() const;

    std::vector<Item> m_items;
    int m_selection = -1;
};
