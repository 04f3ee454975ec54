// CPVPageTavrinPROCESS: process filtering, the flow override, the filter mode and the
// damping of flow and conductivity.
#pragma once

#include "profile/pages/PVPageCatalogue.h"
#include "profile/pages/PVTablePage.h"

class CPVPageTavrinPROCESS : public CPVTablePage<PVPageCatalogue::kPROCESS> {};
