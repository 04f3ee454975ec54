// CPVCtrlConfigChkCmbBtnDependEditBox: a float edit box (first float converter) that
// is enabled only while a combo box of its page shows a selection of a given range.
// Unlike the other dependent box, a missing followed combo box does not make its
// binding invalid; its refresh and change handling fail instead.
#pragma once

#include "profile/controls/PVCtrlComboDependent.h"
#include "profile/controls/PVCtrlConfigEditFloat.h"

class CPVCtrlConfigChkCmbBtnDependEditBox : public CPVCtrlComboDependent<CPVCtrlConfigEditFloat> {
public:
    using CPVCtrlComboDependent::CPVCtrlComboDependent;

protected:
    HRESULT CheckFollowedCombo() const override { return HasFollowedCombo() ? S_OK : E_FAIL; }
};
