// CPVPageTavrinPARTIALLY: empty (partially filled) pipe detection, its adjustment,
// response time and maximum.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinPARTIALLY : public CPVTablePage<PVPageCatalogue::kPARTIALLY, PVReservedReference::Held> {};
