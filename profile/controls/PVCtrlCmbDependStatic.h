// A label that shows the flow unit of the process variable a combo box of the page
// selects (selection 1 mass flow, 2 volume flow, 3 corrected volume flow), read from
// the system unit member of that variable; a blank for any other selection.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlStatic.h"
#include "profile/values/IPVGetSetValue.h"

class CPVCtrlCmbDependStatic : public CPVCtrlStatic {
public:
    static constexpr int kUnitSlots = 5;

    CPVCtrlCmbDependStatic(UINT dialogItemId, UINT followedComboId)
        : CPVCtrlStatic(dialogItemId), m_nFollowedComboId(followedComboId) {}

    // Slots one to three are the mass, volume and corrected volume flow unit members;
    // any slot may be null. Valid modes are 0, 3, 4 and 5.
    HRESULT Initialize(IPVGetSetValue* unit1, IPVGetSetValue* unit2, IPVGetSetValue* unit3,
                       IPVGetSetValue* unit4, IPVGetSetValue* unit5, LONG mode);

    // Refreshes, then shows the unit text.
    HRESULT STDMETHODCALLTYPE OnActivate() override;
    // Checks the binding only; the text is not read again.
    HRESULT STDMETHODCALLTYPE Refresh() override;
    // Shows the unit text again when the followed combo box changed.
    HRESULT STDMETHODCALLTYPE OnChangedCtrlData(CWnd* changed, UINT changedId) override;

    UINT GetFollowedComboId() const { return m_nFollowedComboId; }
    LONG GetMode() const { return m_lMode; }

private:
    HRESULT CheckBinding() const;
    HRESULT UpdateUnitText();
    LPCWSTR UnitTextOfSelection(int selection) const;

    UINT m_nFollowedComboId;
    CComPtr<IPVGetSetValue> m_spUnit[kUnitSlots];
    LONG m_lMode = -1;
};
