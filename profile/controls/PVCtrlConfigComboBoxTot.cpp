#include "profile/controls/PVCtrlConfigComboBoxTot.h"

#include <algorithm>

#include "platform/gdi/SystemMetrics.h"
#include "platform/user/Controls.h"
#include "platform/user/WinUser.h"
#include "profile/controls/PVUnitTables.h"
#include "profile/server/PVLog.h"

BOOL CPVCtrlConfigComboBoxTot::InitializationIsValid() {
    return FirstValidity(m_spUnit && m_spUnit->InitializationIsValid() == S_OK && m_spAssignment &&
                         m_spAssignment->InitializationIsValid() == S_OK && m_spUnitStrings);
}

HRESULT CPVCtrlConfigComboBoxTot::Initialize(IPVGetSetValue* unit, IPVGetSetValue* assignment,
                                             IPVGetSetValue* unitStrings) {
    m_spUnit = unit;
    m_spAssignment = assignment;
    m_spUnitStrings = unitStrings;
    if (!InitializationIsValid())
        return E_FAIL;
    Fill(true);
    return S_OK;
}

LONG CPVCtrlConfigComboBoxTot::ReadAssignment(bool initial) const {
    if (initial) {
        LONG assignment = -1;
        // An unreadable assignment filters nothing: every unit stays choosable.
        return SUCCEEDED(m_spAssignment->GetValue(&assignment, nullptr)) ? assignment : -1;
    }
    // The assignment box holds the user's choice before it is saved to the member.
    HWND box = ::GetDlgItem(::GetParent(m_hWnd), static_cast<int>(m_nAssignmentComboId));
    if (!box) {
        PVLog(L"Failed to obtain the assignment combo box");
        return -1;
    }
    return static_cast<LONG>(::SendMessageW(box, CB_GETCURSEL, 0, 0));
}

HRESULT CPVCtrlConfigComboBoxTot::Fill(bool initial) {
    const CPVTotalizerUnitRule rule = CPVUnitTables::TotalizerUnitRule(ReadAssignment(initial));
    m_lUnitOffset = rule.unitOffset;
    ResetContent();
    const HRESULT hr = rule.filtered ? AppendStrings(m_spUnitStrings, static_cast<int>(rule.firstUnit),
                                                     static_cast<int>(rule.lastUnit))
                                     : AppendStrings(m_spUnitStrings);
    if (FAILED(hr) || initial)
        return hr;
    // The old unit may not exist for the new process variable, so the member takes
    // the new default now rather than at the next save.
    const HRESULT written = m_spUnit->SetValue(rule.defaultUnit, nullptr);
    SelectQuietly(static_cast<int>(rule.defaultUnit - m_lUnitOffset));
    return FAILED(written) ? E_FAIL : S_OK;
}

HRESULT CPVCtrlConfigComboBoxTot::OnChangedCtrlData(CWnd*, UINT changedId) {
    if (!IsBindingValid())
        return E_FAIL;
    if (changedId == m_nAssignmentComboId)
        Fill(false);
    return S_OK;
}

HRESULT CPVCtrlConfigComboBoxTot::LoadValue() {
    if (!IsBindingValid())
        return E_FAIL;
    LONG unit = -1;
    const HRESULT hr = m_spUnit->GetValue(&unit, nullptr);
    if (FAILED(hr))
        return E_FAIL;
    SelectQuietly(static_cast<int>(unit - m_lUnitOffset));
    return hr;
}

HRESULT CPVCtrlConfigComboBoxTot::SaveValue() {
    if (!IsBindingValid())
        return E_FAIL;
    const LONG unit = m_lUnitOffset + static_cast<LONG>(GetCurSel());
    return FAILED(m_spUnit->SetValue(unit, nullptr)) ? E_FAIL : S_OK;
}

void CPVCtrlConfigComboBoxTot::SizeDroppedList() {
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    // Room for about six items whatever the list holds; the units scroll.
    const int height = (edgeY + 3 * GetItemHeight(0)) * 2 + 2;
    RECT client{};
    GetClientRect(&client);
    const int width = std::max<int>(WidestItemWidth() + 2 * edgeX + 2, client.right - client.left);
    ApplyDroppedSize(height, width);
}
