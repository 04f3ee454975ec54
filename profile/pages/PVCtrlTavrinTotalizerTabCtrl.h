// CPVCtrlTavrinTotalizerTabCtrl: the tab strip of the totalizer page, one tab page per
// totalizer, titled with the totalizers' numbers.
#pragma once

#include <iterator>

#include "profile/pages/PVPageBinding.h"
#include "profile/pages/PVTabPageTavrinTotalizerConfigDlg.h"
#include "profile/panel/PVCtrlConfigTabCtrl.h"

class CPVCtrlTavrinTotalizerTabCtrl : public CPVCtrlConfigTabCtrl {
public:
    explicit CPVCtrlTavrinTotalizerTabCtrl(UINT dialogItemId);

private:
    CPVTabPageTavrinTotalizerConfigDlg m_pages[std::size(PVPageCatalogue::kTotalizerTabTitles)];
};

template <> struct PVControlClass<PVControl::TotalizerTabCtrl> {
    using Type = CPVCtrlTavrinTotalizerTabCtrl;
    static constexpr bool Takes(PVValue value) { return value == PVValue::None; }
};

// The tab pages bind their own members when their windows are made.
inline HRESULT PVBind(CPVCtrlTavrinTotalizerTabCtrl&, const CPVControlRow&, IPVGetSetAdapter*) {
    return S_OK;
}
