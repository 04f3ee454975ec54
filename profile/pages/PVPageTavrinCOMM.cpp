#include "profile/pages/PVPageTavrinCOMM.h"

#include "platform/mfc/DataExchange.h"
#include "platform/mfc/String.h"
#include "profile/pages/PVPageBinding.h"
#include "profile/resources/ResourceIds.h"

namespace {

const UINT kSlotItems[CPVPageTavrinCOMM::kSlotCount] = {
    IDC_COMM_SLOT1,  IDC_COMM_SLOT2,  IDC_COMM_SLOT3,  IDC_COMM_SLOT4,  IDC_COMM_SLOT5,
    IDC_COMM_SLOT6,  IDC_COMM_SLOT7,  IDC_COMM_SLOT8,  IDC_COMM_SLOT9,  IDC_COMM_SLOT10,
    IDC_COMM_SLOT11, IDC_COMM_SLOT12, IDC_COMM_SLOT13, IDC_COMM_SLOT14, IDC_COMM_SLOT15,
    IDC_COMM_SLOT16, IDC_COMM_SLOT17, IDC_COMM_SLOT18, IDC_COMM_SLOT19, IDC_COMM_SLOT20,
};

} // namespace

CPVPageTavrinCOMM::CPVPageTavrinCOMM()
    : CPVConfigPanelEnum(IDD_COMM),
      m_cmbSlot{CPVCtrlConfigComboBox(IDC_COMM_SLOT1),  CPVCtrlConfigComboBox(IDC_COMM_SLOT2),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT3),  CPVCtrlConfigComboBox(IDC_COMM_SLOT4),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT5),  CPVCtrlConfigComboBox(IDC_COMM_SLOT6),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT7),  CPVCtrlConfigComboBox(IDC_COMM_SLOT8),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT9),  CPVCtrlConfigComboBox(IDC_COMM_SLOT10),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT11), CPVCtrlConfigComboBox(IDC_COMM_SLOT12),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT13), CPVCtrlConfigComboBox(IDC_COMM_SLOT14),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT15), CPVCtrlConfigComboBox(IDC_COMM_SLOT16),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT17), CPVCtrlConfigComboBox(IDC_COMM_SLOT18),
                CPVCtrlConfigComboBox(IDC_COMM_SLOT19), CPVCtrlConfigComboBox(IDC_COMM_SLOT20)} {
    for (CPVCtrlConfigComboBox& box : m_cmbSlot)
        AddControlToList(&box);
    SetHelpProvider(TRUE);
}

void CPVPageTavrinCOMM::DoDataExchange(CDataExchange* dx) {
    CPVConfigPanelEnum::DoDataExchange(dx);
    for (int i = 0; i < kSlotCount; ++i)
        DDX_Control(dx, static_cast<int>(kSlotItems[i]), m_cmbSlot[i]);
}

BOOL CPVPageTavrinCOMM::OnInitDialog() {
    const BOOL result = CPVConfigPanelEnum::OnInitDialog();
    IPVGetSetAdapter* adapter = GetIPVGetSetAdapter();
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        CString member;
        member.Format(L"ConfigurableInputAsm_%d", slot);
        PVBindEnumeration(m_cmbSlot[slot - 1], member, adapter);
    }
    static_cast<IPVPropPageEnum*>(this)->SetFocusCtrl(&m_cmbSlot[0]);
    return result;
}
