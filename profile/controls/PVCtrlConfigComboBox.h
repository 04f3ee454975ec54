// CPVCtrlConfigComboBox: an enumeration member in a drop-down list; the items are the
// member's display strings and the selected index is its value.
#pragma once

#include "platform/com/ComPtr.h"
#include "profile/controls/PVCtrlConfigComboBase.h"
#include "profile/values/IPVGetSetValue.h"

class CPVCtrlConfigComboBox : public CPVCtrlConfigComboBase {
public:
    // The list shows at most this many items without scrolling.
    static constexpr int kVisibleItems = 6;

    explicit CPVCtrlConfigComboBox(UINT dialogItemId) : CPVCtrlConfigComboBase(dialogItemId) {}

    HRESULT LoadValue() override;
    HRESULT SaveValue() override;
    // The binding's validity on the first call; false from then on, so that a box is
    // bound once.
    BOOL InitializationIsValid() override;

    // Binds the box and fills the list from `strings`; E_FAIL when the binding is not
    // valid or the box was bound before. `condition` is kept and not used.
    HRESULT Initialize(IPVGetSetValue* value, IPVGetSetValue* strings, IUnknown* condition = nullptr);

protected:
    IPVGetSetValue* GetValueObject() const override { return m_spValue; }
    void SizeDroppedList() override;

private:
    CComPtr<IPVGetSetValue> m_spValue;
    CComPtr<IPVGetSetValue> m_spStrings;
    CComPtr<IUnknown> m_spCondition;
};
