#include "profile/pages/PVCtrlTavrinTotalizerTabCtrl.h"

CPVCtrlTavrinTotalizerTabCtrl::CPVCtrlTavrinTotalizerTabCtrl(UINT dialogItemId)
    : CPVCtrlConfigTabCtrl(dialogItemId) {
    for (size_t tab = 0; tab < std::size(m_pages); ++tab)
        AddTabPage(&m_pages[tab], PVPageCatalogue::kTotalizerTabTitles[tab]);
}
