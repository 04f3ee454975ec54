// CPVTabPageTavrinTotalizerConfigDlg: one totalizer on a tab of the totalizer page.
// The three tabs share one template and one table; a tab page learns which totalizer
// it shows from its place among the tabs and binds that totalizer's members.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"
#include "profile/panel/PVTabPageConfigEnum.h"

class CPVTabPageTavrinTotalizerConfigDlg : public CPVTabPageConfigEnum {
public:
    static constexpr const CPVPageTable& kTable = PVPageCatalogue::kTotalizerTab;
    static_assert(kTable.IsWellFormed(), "a dialog item twice or a focus off the rows");

    CPVTabPageTavrinTotalizerConfigDlg();

    // 1 for the first tab; 0 when the page is not among its tab control's tabs, which
    // makes member names the tag does not have, so the controls stay empty.
    int TotalizerNumber() const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Binds the totalizer's members and names the assignment box as the focus control.
    BOOL OnInitDialog() override;

private:
    void BindControls(IPVGetSetAdapter* adapter, int number);

    CPVTableControls<kTable> m_controls;
};
