// The drop-down list combo box: items with data, the selection, the list's open state
// and sizes, and the CBN_ notifications a pick by mouse or keyboard produces.
#pragma once

#include <string>
#include <vector>

#include "platform/user/Control.h"

class CComboBoxControl : public CControl {
public:
    explicit CComboBoxControl(HWND hwnd) : CControl(hwnd) {}
    void Describe(nlohmann::json& out) const override;

    // Heights of the model font (6 x 13 pixels per average character): a list item is
    // one line, the selection field one line plus a margin, and the closed box frames
    // the field with three pixels above and below.
    static constexpr int kItemHeight = 13;
    static constexpr int kFieldHeight = 15;
    static constexpr int kFieldFrame = 6;

protected:
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Item {
        std::wstring text;
        LRESULT data;
    };

    bool Valid(WPARAM index) const {
        return static_cast<INT>(index) >= 0 && static_cast<size_t>(index) < m_items.size();
    }
    int WindowHeight() const { return m_fieldHeight + kFieldFrame; }
    void Select(int index);
    void Open();
    void Close(bool ok);
    void OnKeyDown(WPARAM vk, bool alt);
    void OnButton(UINT msg, int x, int y);
    LRESULT Find(WPARAM start, const wchar_t* text) const;
    LRESULT Insert(size_t index, const wchar_t* text);
    void SyncWindowText();

    std::vector<Item> m_items;
    int m_selection = -1;
    int m_selectionAtOpen = -1;
    bool m_dropped = false;
    bool m_tracking = false;
    int m_itemHeight = kItemHeight;
    int m_fieldHeight = kFieldHeight;
    int m_droppedWidth = 0;
    int m_droppedHeight = 0;
};
