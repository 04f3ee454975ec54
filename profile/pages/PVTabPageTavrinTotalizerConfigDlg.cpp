#include "profile/pages/PVTabPageTavrinTotalizerConfigDlg.h"

#include <memory>
#include <string>
#include <type_traits>

#include "profile/panel/PVTabCtrl.h"

namespace {

// The box whose value object the unit box takes as its assignment.
constexpr UINT AssignmentItem() {
    for (const CPVControlRow& row : PVPageCatalogue::kTotalizerTabRows)
        if (row.control == PVControl::ConfigComboBoxTot)
            return row.follows[0];
    return 0;
}

} // namespace

CPVTabPageTavrinTotalizerConfigDlg::CPVTabPageTavrinTotalizerConfigDlg()
    : CPVTabPageConfigEnum(kTable.dialogTemplate) {
    m_controls.ForEach([this](auto& control, size_t) { AddControlToList(&control); });
}

int CPVTabPageTavrinTotalizerConfigDlg::TotalizerNumber() const {
    const CPVTabCtrl* tabCtrl = GetTabCtrl();
    return tabCtrl ? tabCtrl->IndexOf(this) + 1 : 0;
}

void CPVTabPageTavrinTotalizerConfigDlg::DoDataExchange(CDataExchange* dx) {
    CPVTabPageConfigEnum::DoDataExchange(dx);
    PVSubclassControls<kTable>(dx, m_controls);
}

BOOL CPVTabPageTavrinTotalizerConfigDlg::OnInitDialog() {
    const BOOL result = CPVTabPageConfigEnum::OnInitDialog();
    BindControls(GetIPVGetSetAdapter(), TotalizerNumber());
    static_cast<IPVPropPageEnum*>(this)->SetFocusCtrl(PVFocusControl<kTable>(m_controls));
    return result;
}

void CPVTabPageTavrinTotalizerConfigDlg::BindControls(IPVGetSetAdapter* adapter, int number) {
    // The assignment box comes first in the list, so its value object exists when the
    // unit box is bound; the unit box reads the stored assignment through it.
    CComPtr<IPVGetSetValue> assignment;
    m_controls.ForEach([&](auto& control, size_t index) {
        CPVControlRow row = kTable.rows[index];
        const std::wstring member = row.member ? PVNumberedMember(row.member, number) : std::wstring();
        if (row.member)
            row.member = member.c_str();
        using Control = std::decay_t<decltype(control)>;
        if constexpr (std::is_same_v<Control, CPVCtrlConfigComboBoxTot>)
            PVBind(control, row, adapter, assignment);
        else if constexpr (std::is_same_v<Control, CPVCtrlConfigComboBox>)
            PVBind(control, row, adapter,
                   row.item == AssignmentItem() ? std::addressof(assignment) : nullptr);
        else
            PVBind(control, row, adapter);
    });
}
