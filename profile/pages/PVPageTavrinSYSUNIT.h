// CPVPageTavrinSYSUNIT: the units the device reports its measurements in.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinSYSUNIT : public CPVTablePage<PVPageCatalogue::kSYSUNIT, PVReservedReference::Held> {};
