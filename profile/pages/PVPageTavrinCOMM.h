// CPVPageTavrinCOMM: what the device places in each of the twenty slots of its
// configurable input assembly.
#pragma once

#include "profile/controls/PVCtrlConfigComboBox.h"
#include "profile/pages/PVPageClassIds.h"
#include "profile/panel/PVConfigPanelEnum.h"

class CPVPageTavrinCOMM : public CPVConfigPanelEnum {
public:
    static const wchar_t* PageClsidText() { return PVPageClassIds::kCOMM; }
    static constexpr const wchar_t* kPageName = L"PVPageTavrinCOMM Page";
    static constexpr int kSlotCount = 20;

    CPVPageTavrinCOMM();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    CPVCtrlConfigComboBox m_cmbSlot[kSlotCount];
};
