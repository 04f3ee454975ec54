// The unit label of a totalizer's preset value: the totalizer unit that the page's
// unit combo box selects, placed in the unit index space by the process variable
// that the assignment combo box selects.
#pragma once

#include "profile/controls/PVCtrlStatic.h"

class CPVCtrlCmbDependStaticPreset : public CPVCtrlStatic {
public:
    CPVCtrlCmbDependStaticPreset(UINT dialogItemId, UINT unitComboId, UINT assignmentComboId)
        : CPVCtrlStatic(dialogItemId), m_nUnitComboId(unitComboId), m_nAssignmentComboId(assignmentComboId) {}

    // Refreshes, then shows the unit text.
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    // Checks the identifiers only; the text is not read again.
    HRESULT STDMETHODCALLTYPE Refresh() override;
    // Shows the unit text again when either followed combo box changed.
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;

private:
    HRESULT CheckBinding() const;
    HRESULT UpdateUnitText();
    // The current selection of the page's combo box `id`; false without its window.
    bool ReadComboSelection(UINT id, int* selection) const;

    UINT m_nUnitComboId;
    UINT m_nAssignmentComboId;
};
