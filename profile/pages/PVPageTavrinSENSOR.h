// CPVPageTavrinSENSOR: the sensor's installation direction.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinSENSOR : public CPVTablePage<PVPageCatalogue::kSENSOR> {};
