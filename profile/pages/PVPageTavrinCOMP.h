// CPVPageTavrinCOMP: external compensation, the density and temperature sources and
// the fixed density used while no density comes from outside.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinCOMP : public CPVTablePage<PVPageCatalogue::kCOMP, PVReservedReference::Held> {};
