// CPVCtrlConfigComboBoxTot: a totalizer's unit in a drop-down list that shows only the
// units the totalizer's assigned process variable allows. The list starts at the
// rule's first unit, so the selected index is the unit less that offset.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlConfigComboBase.h"
#include "profile/values/IPVGetSetValue.h"

class CPVCtrlConfigComboBoxTot : public CPVCtrlConfigComboBase {
public:
    // `assignmentComboId`: the sibling box that selects what the totalizer counts.
    CPVCtrlConfigComboBoxTot(UINT dialogItemId, UINT assignmentComboId)
        : CPVCtrlConfigComboBase(dialogItemId), m_nAssignmentComboId(assignmentComboId) {}

    HRESULT LoadValue() override;
    HRESULT SaveValue() override;
    // The binding's validity on the first call; false from then on, so that a box is
    // bound once.
    BOOL InitializationIsValid() override;

    // Binds the box and fills the list for the stored assignment; E_FAIL when the
    // binding is not valid or the box was bound before.
    HRESULT Initialize(IPVGetSetValue* unit, IPVGetSetValue* assignment, IPVGetSetValue* unitStrings);

    // Refills the list when the assignment box changed; the unit member takes the new
    // assignment's default unit at once.
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;

    // The unit of the first item in the list.
    LONG GetUnitOffset() const { return m_lUnitOffset; }

protected:
    IPVGetSetValue* GetValueObject() const override { return m_spUnit; }
    void SizeDroppedList() override;

private:
    // Initial: the assignment comes from the assignment member. Otherwise it comes
    // from the assignment box's selection, and its default unit is written and shown.
    HRESULT Fill(bool initial);
    LONG ReadAssignment(bool initial) const;

    UINT m_nAssignmentComboId;
    CComPtr<IPVGetSetValue> m_spUnit;
    CComPtr<IPVGetSetValue> m_spAssignment;
    CComPtr<IPVGetSetValue> m_spUnitStrings;
    LONG m_lUnitOffset = 0;
};
