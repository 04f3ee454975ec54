// CPVPageTavrinSYSUNIT: the units the device reports its measurements in.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/pages/PVPageClassIds.h"
#include "profile/panel/PVConfigPanelEnum.h"

class CPVPageTavrinSYSUNIT : public CPVConfigPanelEnum {
public:
    static const wchar_t* PageClsidText() { return PVPageClassIds::kSYSUNIT; }
    static constexpr const wchar_t* kPageName = L"PVPageTavrinSYSUNIT Page";

    CPVPageTavrinSYSUNIT();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    // A reference the units pages carry and never set; released with the page.
    CComPtr<IUnknown> m_spReserved;
    CPVCtrlConfigComboBox m_cmbMassFlow;
    CPVCtrlConfigComboBox m_cmbVolumeFlow;
    CPVCtrlConfigComboBox m_cmbCorrVolumeFlow;
    CPVCtrlConfigComboBox m_cmbMass;
    CPVCtrlConfigComboBox m_cmbVolume;
    CPVCtrlConfigComboBox m_cmbConductivity;
    CPVCtrlConfigComboBox m_cmbDensity;
    CPVCtrlConfigComboBox m_cmbTemperature;
};
