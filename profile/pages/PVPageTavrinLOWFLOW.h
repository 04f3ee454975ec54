// CPVPageTavrinLOWFLOW: the low-flow cut-off, its switch-on and switch-off values and
// the pressure shock suppression for the process variable it is assigned to.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinLOWFLOW : public CPVTablePage<PVPageCatalogue::kLOWFLOW, PVReservedReference::Held> {};
