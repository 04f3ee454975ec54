// The unit texts the profile shows itself, because the device reports units as codes
// that the tag's enumerations do not always name: the totalizer unit index space, the
// flow unit codes of the system units, and which totalizer units an assigned process
// variable allows.
#pragma once

#include "platform/base/WinTypes.h"

// What a totalizer's assignment allows: the unit indices shown (all of them when not
// filtered), the index of the first unit shown and the unit written when the user
// changes the assignment.
struct CPVTotalizerUnitRule {
    bool filtered = false;
    LONG firstUnit = 0;
    LONG lastUnit = 0;
    LONG unitOffset = 0;
    LONG defaultUnit = 0;
};

class CPVUnitTables {
public:
    static constexpr LONG kTotalizerUnitCount = 35;

    // The totalizer unit of `index` (0..34), "??" for any other index.
    static LPCWSTR TotalizerUnitText(LONG index);
    // The flow unit of a system unit code, a single blank for an unlisted code.
    static LPCWSTR MassFlowUnitText(LONG code);
    static LPCWSTR VolumeFlowUnitText(LONG code);
    static LPCWSTR CorrVolumeFlowUnitText(LONG code);
    // The unit rule for the assignment combo box's selection `assignment`.
    static CPVTotalizerUnitRule TotalizerUnitRule(LONG assignment);
};
