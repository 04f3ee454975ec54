// CPVPageTavrinCOMM: what the device places in each of the twenty slots of its
// configurable input assembly.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinCOMM : public CPVTablePage<PVPageCatalogue::kCOMM> {};
