// CPVPageTavrinTotalizerConfig: the device's three totalizers, one per tab.
#pragma once

#include "profile/pages/PVCtrlTavrinTotalizerTabCtrl.h"
#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinTotalizerConfig : public CPVTablePage<PVPageCatalogue::kTotalizerConfig> {};
