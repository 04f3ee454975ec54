// CPVCtrlComboDependent: an edit box that is enabled only while a combo box of its
// page shows a selection from a lowest to a highest one. It re-evaluates that on
// every load and whenever the followed combo box reports a change.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"

template <class TEditBase>
class CPVCtrlComboDependent : public TEditBase {
public:
    CPVCtrlComboDependent(UINT dialogItemId, UINT followedComboId, LONG lowestSelection, LONG highestSelection)
        : TEditBase(dialogItemId), m_nFollowedComboId(followedComboId), m_lLowest(lowestSelection),
          m_lHighest(highestSelection) {}

    // The edit box's rule, and the followed combo box's selection in the range.
    bool IsCtrlEnabled() const override { return TEditBase::IsCtrlEnabled() && SelectionInRange(); }

    HRESULT STDMETHODCALLTYPE OnActivate() override { return Refresh(); }
    // Loads unless dirty, then enables by the followed combo box.
    HRESULT STDMETHODCALLTYPE Refresh() override {
        if (HRESULT hr = CheckFollowedCombo(); FAILED(hr))
            return hr;
        const HRESULT hr = this->RefreshIfClean(nullptr);
        const HRESULT enabled = this->UpdateEnabledState();
        return FAILED(hr) ? hr : enabled;
    }
    // Only a change of the followed combo box matters.
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override {
        if (HRESULT hr = CheckFollowedCombo(); FAILED(hr))
            return hr;
        return changedId == m_nFollowedComboId ? TEditBase::OnChangedCtrlData(changed, changedId) : S_OK;
    }

    UINT GetFollowedComboId() const { return m_nFollowedComboId; }

protected:
    bool HasFollowedCombo() const { return m_nFollowedComboId >= 1; }
    // A failure here stops refresh and change handling.
    virtual HRESULT CheckFollowedCombo() const { return S_OK; }

private:
    bool SelectionInRange() const {
        // Looked up each time: the page's window may have been created again.
        CWnd* page = this->GetParentCWnd();
        CWnd* combo = page ? page->GetDlgItem(static_cast<int>(m_nFollowedComboId)) : nullptr;
        if (!combo)
            return false;
        const LONG selection = static_cast<LONG>(combo->SendMessage(CB_GETCURSEL));
        return selection >= m_lLowest && selection <= m_lHighest;
    }

    UINT m_nFollowedComboId;
    LONG m_lLowest;
    LONG m_lHighest;
};
