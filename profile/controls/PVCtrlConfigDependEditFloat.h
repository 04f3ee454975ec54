// CPVCtrlConfigDependEditFloat: a float edit box (second float converter) that is
// enabled only while a combo box of its page shows a selection of a given range.
#pragma once

#include "profile/controls/PVCtrlComboDependent.h"
#include "profile/controls/PVCtrlConfigEditFloat2.h"

class CPVCtrlConfigDependEditFloat : public CPVCtrlComboDependent<CPVCtrlConfigEditFloat2> {
public:
    using CPVCtrlComboDependent::CPVCtrlComboDependent;

    // Also a followed combo box identifier of at least 1.
    BOOL InitializationIsValid() override {
        return CPVCtrlConfigEditFloat2::InitializationIsValid() && HasFollowedCombo();
    }
};
