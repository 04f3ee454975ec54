#include "profile/pages/PVPageTavrinSYSUNIT.h"

#include "platform/mfc/DataExchange.h"
#include "profile/pages/PVPageBinding.h"
#include "profile/resources/ResourceIds.h"

CPVPageTavrinSYSUNIT::CPVPageTavrinSYSUNIT()
    : CPVConfigPanelEnum(IDD_SYSUNIT), m_cmbMassFlow(IDC_SYSUNIT_MASS_FLOW),
      m_cmbVolumeFlow(IDC_SYSUNIT_VOLUME_FLOW), m_cmbCorrVolumeFlow(IDC_SYSUNIT_CORR_VOLUME_FLOW),
      m_cmbMass(IDC_SYSUNIT_MASS), m_cmbVolume(IDC_SYSUNIT_VOLUME),
      m_cmbConductivity(IDC_SYSUNIT_CONDUCTIVITY), m_cmbDensity(IDC_SYSUNIT_DENSITY),
      m_cmbTemperature(IDC_SYSUNIT_TEMPERATURE) {
    for (CPVCtrlConfigComboBox* box : {&m_cmbMassFlow, &m_cmbVolumeFlow, &m_cmbCorrVolumeFlow, &m_cmbMass,
                                       &m_cmbVolume, &m_cmbConductivity, &m_cmbDensity, &m_cmbTemperature})
        AddControlToList(box);
    SetHelpProvider(TRUE);
}

void CPVPageTavrinSYSUNIT::DoDataExchange(CDataExchange* dx) {
    CPVConfigPanelEnum::DoDataExchange(dx);
    DDX_Control(dx, IDC_SYSUNIT_MASS_FLOW, m_cmbMassFlow);
    DDX_Control(dx, IDC_SYSUNIT_VOLUME_FLOW, m_cmbVolumeFlow);
    DDX_Control(dx, IDC_SYSUNIT_CORR_VOLUME_FLOW, m_cmbCorrVolumeFlow);
    DDX_Control(dx, IDC_SYSUNIT_MASS, m_cmbMass);
    DDX_Control(dx, IDC_SYSUNIT_VOLUME, m_cmbVolume);
    DDX_Control(dx, IDC_SYSUNIT_CONDUCTIVITY, m_cmbConductivity);
    DDX_Control(dx, IDC_SYSUNIT_DENSITY, m_cmbDensity);
    DDX_Control(dx, IDC_SYSUNIT_TEMPERATURE, m_cmbTemperature);
}

BOOL CPVPageTavrinSYSUNIT::OnInitDialog() {
    const BOOL result = CPVConfigPanelEnum::OnInitDialog();
    IPVGetSetAdapter* adapter = GetIPVGetSetAdapter();
    PVBindEnumeration(m_cmbMassFlow, L"SystemUnitMassFlow", adapter);
    PVBindEnumeration(m_cmbVolumeFlow, L"SystemUnitVolumeFlow", adapter);
    PVBindEnumeration(m_cmbCorrVolumeFlow, L"SystemUnitCorrVolumeFlow", adapter);
    PVBindEnumeration(m_cmbMass, L"SystemUnitMass", adapter);
    PVBindEnumeration(m_cmbVolume, L"SystemUnitVolume", adapter);
    PVBindEnumeration(m_cmbConductivity, L"SystemUnitConductivity", adapter);
    PVBindEnumeration(m_cmbDensity, L"SystemUnitDensity", adapter);
    PVBindEnumeration(m_cmbTemperature, L"SystemUnitTemperature", adapter);
    static_cast<IPVPropPageEnum*>(this)->SetFocusCtrl(&m_cmbMassFlow);
    return result;
}
