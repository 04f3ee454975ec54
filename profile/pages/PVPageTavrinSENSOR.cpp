#include "profile/pages/PVPageTavrinSENSOR.h"

#include "platform/mfc/DataExchange.h"
#include "profile/pages/PVPageBinding.h"
#include "profile/resources/ResourceIds.h"

CPVPageTavrinSENSOR::CPVPageTavrinSENSOR()
    : CPVConfigPanelEnum(IDD_SENSOR), m_cmbDirection(IDC_SENSOR_DIRECTION) {
    AddControlToList(&m_cmbDirection);
    SetHelpProvider(TRUE);
}

void CPVPageTavrinSENSOR::DoDataExchange(CDataExchange* dx) {
    CPVConfigPanelEnum::DoDataExchange(dx);
    DDX_Control(dx, IDC_SENSOR_DIRECTION, m_cmbDirection);
}

BOOL CPVPageTavrinSENSOR::OnInitDialog() {
    const BOOL result = CPVConfigPanelEnum::OnInitDialog();
    PVBindEnumeration(m_cmbDirection, L"SensorInstalledDirection", GetIPVGetSetAdapter());
    static_cast<IPVPropPageEnum*>(this)->SetFocusCtrl(&m_cmbDirection);
    return result;
}
