#include "profile/controls/PVCtrlCmbDependStatic.h"

#include "platform/mfc/Wnd.h"
#include "platform/user/Controls.h"
#include "profile/controls/PVUnitTables.h"
#include "profile/server/PVLog.h"

namespace {

bool IsValidMode(LONG mode) {
    return mode == 0 || mode == 3 || mode == 4 || mode == 5;
}

// The followed combo box's selected process variable.
enum FlowSelection { kMassFlow = 1, kVolumeFlow = 2, kCorrVolumeFlow = 3 };

} // namespace

HRESULT CPVCtrlCmbDependStatic::Initialize(IPVGetSetValue* unit1, IPVGetSetValue* unit2,
                                           IPVGetSetValue* unit3, IPVGetSetValue* unit4,
                                           IPVGetSetValue* unit5, LONG mode) {
    IPVGetSetValue* const units[kUnitSlots] = {unit1, unit2, unit3, unit4, unit5};
    for (int slot = 0; slot < kUnitSlots; ++slot)
        m_spUnit[slot] = units[slot];
    m_lMode = mode;
    return S_OK;
}

HRESULT CPVCtrlCmbDependStatic::OnActivate() {
    const HRESULT hr = Refresh();
    if (FAILED(hr))
        return hr;
    return UpdateUnitText();
}

HRESULT CPVCtrlCmbDependStatic::Refresh() {
    return CheckBinding();
}

HRESULT CPVCtrlCmbDependStatic::OnChangedCtrlData(CWnd*, UINT changedId) {
    if (changedId != m_nFollowedComboId)
        return S_OK;
    return UpdateUnitText();
}

HRESULT CPVCtrlCmbDependStatic::CheckBinding() const {
    if (m_nFollowedComboId < 1) {
        PVLog(L"Invalid identifier of the followed combo box");
        return E_FAIL;
    }
    if (!IsValidMode(m_lMode)) {
        PVLog(L"Invalid mode");
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CPVCtrlCmbDependStatic::UpdateUnitText() {
    const HRESULT hr = CheckBinding();
    if (FAILED(hr))
        return hr;
    if (!GetCWnd())
        return E_FAIL;
    // The combo box is the label's sibling on the page; it is looked up each time
    // because the page's window may have been created again.
    CWnd* page = GetParentCWnd();
    CWnd* combo = page ? page->GetDlgItem(static_cast<int>(m_nFollowedComboId)) : nullptr;
    if (!combo) {
        PVLog(L"Failed to obtain the followed combo box");
        return E_FAIL;
    }
    const int selection = static_cast<int>(combo->SendMessage(CB_GETCURSEL));
    SetStaticWindowText(UnitTextOfSelection(selection));
    return S_OK;
}

LPCWSTR CPVCtrlCmbDependStatic::UnitTextOfSelection(int selection) const {
    LPCWSTR (*textOf)(LONG) = nullptr;
    switch (selection) {
    case kMassFlow:
        textOf = &CPVUnitTables::MassFlowUnitText;
        break;
    case kVolumeFlow:
        textOf = &CPVUnitTables::VolumeFlowUnitText;
        break;
    case kCorrVolumeFlow:
        textOf = &CPVUnitTables::CorrVolumeFlowUnitText;
        break;
    default:
        return L" ";
    }
    IPVGetSetValue* unit = m_spUnit[selection - 1];
    LONG code = 0;
    if (!unit || FAILED(unit->GetValue(&code, nullptr)))
        return L" ";
    return textOf(code);
}
