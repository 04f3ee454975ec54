#include "profile/controls/PVCtrlCmbDependStaticPreset.h"

#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"
#include "profile/controls/PVUnitTables.h"
#include "profile/server/PVLog.h"

HRESULT CPVCtrlCmbDependStaticPreset::OnActivate() {
    const HRESULT hr = Refresh();
    if (FAILED(hr))
        return hr;
    return UpdateUnitText();
}

HRESULT CPVCtrlCmbDependStaticPreset::Refresh() {
    return CheckBinding();
}

HRESULT CPVCtrlCmbDependStaticPreset::OnChangedCtrlData(CWnd*, UINT changedId) {
    if (changedId != m_nUnitComboId && changedId != m_nAssignmentComboId)
        return S_OK;
    return UpdateUnitText();
}

HRESULT CPVCtrlCmbDependStaticPreset::CheckBinding() const {
    if (m_nUnitComboId < 1 || m_nAssignmentComboId < 1) {
        PVLog(L"Invalid identifier of a followed combo box");
        return E_FAIL;
    }
    return S_OK;
}

bool CPVCtrlCmbDependStaticPreset::ReadComboSelection(UINT id, int* selection) const {
    // Looked up each time: the page's window may have been created again.
    CWnd* page = GetParentCWnd();
    CWnd* combo = page ? page->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (!combo) {
        PVLog(L"Failed to obtain a followed combo box");
        return false;
    }
    *selection = static_cast<int>(combo->SendMessage(CB_GETCURSEL));
    return true;
}

HRESULT CPVCtrlCmbDependStaticPreset::UpdateUnitText() {
    const HRESULT hr = CheckBinding();
    if (FAILED(hr))
        return hr;
    int unit = 0;
    int assignment = 0;
    if (!ReadComboSelection(m_nUnitComboId, &unit) || !ReadComboSelection(m_nAssignmentComboId, &assignment))
        return E_FAIL;
    // The unit list shows only the units the assignment allows, from its offset on.
    const LONG index = unit + CPVUnitTables::TotalizerUnitRule(assignment).unitOffset;
    SetStaticWindowText(CPVUnitTables::TotalizerUnitText(index));
    return S_OK;
}
