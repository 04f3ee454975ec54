// CPVPageTavrinSENSOR: the sensor's installation direction.
#pragma once

#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/pages/PVPageClassIds.h"
#include "profile/panel/PVConfigPanelEnum.h"

class CPVPageTavrinSENSOR : public CPVConfigPanelEnum {
public:
    static const wchar_t* PageClsidText() { return PVPageClassIds::kSENSOR; }
    static constexpr const wchar_t* kPageName = L"PVPageTavrinSENSOR Page";

    CPVPageTavrinSENSOR();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    CPVCtrlConfigComboBox m_cmbDirection;
};
